// Text helpers shared by the stored formats.
#include "settings/text.h"

#include <limits>

namespace pelrin {

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
      cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1, cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, cp = lead & 0x07;
    } else {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    bool valid = i + static_cast<std::size_t>(extra) < text.size();
    for (int k = 1; valid && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) valid = false;
      else cp = (cp << 6) | (next & 0x3F);
    }
    if (!valid || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    i += static_cast<std::size_t>(extra) + 1;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

long long ParseLeadingInteger(std::u16string_view text, int base) {
  std::size_t i = 0;
  auto isSpace = [](char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
  while (i < text.size() && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  auto digit = [base](char16_t c) -> int {
    int d = -1;
    if (c >= u'0' && c <= u'9') d = c - u'0';
    else if (c >= u'a' && c <= u'z') d = c - u'a' + 10;
    else if (c >= u'A' && c <= u'Z') d = c - u'A' + 10;
    return d < base ? d : -1;
  };
  if (base == 16 && i + 2 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X') &&
      digit(text[i + 2]) >= 0) {
    i += 2;
  }
  unsigned long long magnitude = 0;
  bool saturated = false;
  const unsigned long long limit = static_cast<unsigned long long>(std::numeric_limits<long long>::max());
  // One division up front instead of one per digit: these numbers are parsed by the thousand per file.
  const unsigned long long cutoff = limit / static_cast<unsigned>(base);
  const unsigned long long cutoffDigit = limit % static_cast<unsigned>(base);
  for (; i < text.size(); ++i) {
    const int d = digit(text[i]);
    if (d < 0) break;
    if (saturated) continue;
    if (magnitude > cutoff || (magnitude == cutoff && static_cast<unsigned>(d) > cutoffDigit)) {
      saturated = true;
    } else {
      magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    }
  }
  if (saturated) return negative ? std::numeric_limits<long long>::min() : std::numeric_limits<long long>::max();
  return negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
}

std::u16string FormatDecimal(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string FormatHex(std::uint32_t value, int width) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string out;
  do {
    out.insert(out.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  while (static_cast<int>(out.size()) < width) out.insert(out.begin(), u'0');
  return out;
}

}  // namespace pelrin

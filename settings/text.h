// Text helpers shared by the stored formats: UTF-8/UTF-16 conversion, number parsing and formatting.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pelrin {

// Conversions between the program's UTF-16 text and UTF-8 (terminal, file names). Invalid sequences
// become U+FFFD.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// Converts the leading number of `text` the way the C library's wcstol does: leading white space, an
// optional sign, for base 16 an optional "0x", then digits up to the first character that is not a digit
// of the base. No digit gives 0. The result saturates at the limits of a 64-bit integer.
long long ParseLeadingInteger(std::u16string_view text, int base);

// "%d", "%u" and "%.NX" (upper case, zero-padded to at least `width` digits) as UTF-16.
std::u16string FormatDecimal(long long value);
std::u16string FormatHex(std::uint32_t value, int width);

}  // namespace pelrin

// The profile file: writer and reader.
#include "settings/profile_file.h"

#include <algorithm>
#include <utility>

#include "settings/text.h"
#include "settings/text_file.h"

namespace pelrin {
namespace {

constexpr std::u16string_view kHeader = u"[Setting]";
constexpr std::size_t kFirstKeyBlockLine = 58;  // 1-based
constexpr std::size_t kKeyBlockLines = 6;

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

void AppendHex2(std::u16string& text, std::uint32_t value) {
  text += kHexDigits[(value >> 4) & 0xF];
  text += kHexDigits[value & 0xF];
}

std::u16string Hex2(std::uint32_t value) {
  std::u16string text;
  AppendHex2(text, value);
  return text;
}

std::u16string Bytes3(const ThreeBytes& bytes) { return Hex2(bytes[0]) + Hex2(bytes[1]) + Hex2(bytes[2]); }

std::u16string ColourText(Colour colour) { return Hex2(Red(colour)) + Hex2(Green(colour)) + Hex2(Blue(colour)); }

template <std::size_t N>
std::u16string ListA(const std::array<std::uint8_t, N>& values) {
  std::u16string text;
  for (std::size_t i = 0; i < N; ++i) {
    text += Hex2(values[i]);
    if (i + 1 < N) text += u'|';
  }
  return text;
}

template <typename Row, typename Format>
std::u16string Groups(const std::array<Row, kLightingModeCount>& rows, Format format) {
  std::u16string text;
  for (const auto& row : rows) {
    for (std::size_t c = 0; c < row.size(); ++c) {
      text += format(row[c]);
      text += c + 1 < row.size() ? u'|' : u';';
    }
  }
  return text;
}

// A line feed inside a name would split the line and shift every later field.
std::u16string OneLine(std::u16string text) {
  std::replace(text.begin(), text.end(), u'\n', u' ');
  return text;
}

std::u16string Decimal(std::uint32_t value) { return FormatDecimal(static_cast<long long>(value)); }

// Reads the number in `value` at [pos, pos + length) with leading-digit conversion; characters past the
// end of the value count as absent, so a short value gives 0 rather than reading beyond it.
long long NumberAt(std::u16string_view value, std::size_t pos, std::size_t length, int base) {
  if (pos >= value.size()) return 0;
  return ParseLeadingInteger(value.substr(pos, length), base);
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

std::uint8_t ByteAt(std::u16string_view value, std::size_t pos) {
  // Two plain digits are the rule; anything else takes the general conversion (spaces, signs, "0x").
  if (pos + 1 < value.size()) {
    const int high = HexDigit(value[pos]);
    const int low = HexDigit(value[pos + 1]);
    if (high >= 0 && low >= 0) return static_cast<std::uint8_t>(high * 16 + low);
  }
  return static_cast<std::uint8_t>(NumberAt(value, pos, 2, 16));
}

ThreeBytes ThreeBytesAt(std::u16string_view value) {
  return {ByteAt(value, 0), ByteAt(value, 2), ByteAt(value, 4)};
}

Colour ColourAt(std::u16string_view value, std::size_t pos) {
  return MakeColour(ByteAt(value, pos), ByteAt(value, pos + 2), ByteAt(value, pos + 4));
}

ProfileReadResult Fail(std::size_t line, std::string reason) {
  return {false, static_cast<int>(line), std::move(reason)};
}

}  // namespace

std::vector<std::u16string> ProfileFileLines(const ProfileRecord& r) {
  std::vector<std::u16string> lines;
  lines.reserve(kProfileFileLineCount);
  lines.emplace_back(kHeader);
  for (const auto& pair : r.namedSettings) lines.push_back(OneLine(pair.key + u"=" + pair.value));
  lines.push_back(u"DPIOffOnFlagValue=" + Hex2(r.DPIOffOnFlagValue));
  for (std::size_t s = 0; s < kDpiStageCount; ++s) {
    lines.push_back(u"\tXYSetting" + Decimal(static_cast<std::uint32_t>(s + 1)) + u"Value=" + FormatHex(r.XYSetting[s], 4));
  }
  lines.push_back(u"\tCurrentDPILevelValue=" + Hex2(r.CurrentDPILevelValue));
  for (std::size_t s = 0; s < kDpiStageCount; ++s) {
    lines.push_back(u"\tDPILevelIndication" + Decimal(static_cast<std::uint32_t>(s)) + u"Valuer=" +
                    ColourText(r.DPILevelIndication[s]));
  }
  lines.push_back(u"\tAngleSnapValue=" + Hex2(r.AngleSnapValue));
  lines.push_back(u"\tLiftDetectionValue=" + Hex2(r.LiftDetectionValue));
  lines.push_back(OneLine(u"PollingRateName=" + r.PollingRateName));
  lines.push_back(u"\tPollingRateValue=" + Bytes3(r.PollingRateValue));
  lines.push_back(OneLine(u"Lighting1Name=" + r.Lighting1Name));
  lines.push_back(u"\tLighting1ModeValue=" + Bytes3(r.Lighting1ModeValue));
  lines.push_back(u"\tLighting1OffOn=" + Hex2(r.Lighting1OffOn));
  lines.push_back(u"\tLighting1Speed=" + ListA(r.Lighting1Speed));
  lines.push_back(u"\tLighting1Brightness=" + ListA(r.Lighting1Brightness));
  lines.push_back(u"\tLighting1ColorSelected=" + Groups(r.Lighting1ColorSelected, [](std::uint8_t v) { return Hex2(v); }));
  lines.push_back(u"\tLighting1FixedColor=" + Groups(r.Lighting1FixedColor, ColourText));
  lines.push_back(u"\tLighting1Direction=" + ListA(r.Lighting1Direction));
  lines.push_back(OneLine(u"Lighting2Name=" + r.Lighting2Name));
  lines.push_back(u"\tLighting2ModeValue=" + Bytes3(r.Lighting2ModeValue));
  lines.push_back(u"\tLighting2OffOn=" + Hex2(r.Lighting2OffOn));
  lines.push_back(u"\tLighting2Speed=" + Hex2(r.Lighting2Speed));
  lines.push_back(u"\tLighting2Brightness=" + Hex2(r.Lighting2Brightness));
  lines.push_back(u"\tLighting2FixedColor=" + ColourText(r.Lighting2FixedColor));
  for (std::size_t u = 0; u < kButtonCount; ++u) {
    const KeyAssignment& key = r.keyAssignments[u];
    const std::u16string number = Decimal(static_cast<std::uint32_t>(u));
    lines.push_back(OneLine(u"Key" + number + u"Name=" + key.name));
    lines.push_back(u"\tKey" + number + u"Value=" + Hex2(key.value[0]) + Hex2(key.value[1]) + Hex2(key.value[2]));
    lines.push_back(u"\tMacroKeyIndex=" + Decimal(key.macroIndex));
    lines.push_back(OneLine(u"\tMacroKey" + number + u"Name=" + key.macro.name));
    lines.push_back(u"\t\tMacroActionNum=" + Decimal(key.macro.actionCount));
    std::u16string all = u"\t\tAllAction=";
    all.reserve(all.size() + kAllActionLength);
    for (MacroAction action : key.macro.actions) {
      for (int b = 0; b < 4; ++b) AppendHex2(all, action >> (8 * b));
    }
    lines.push_back(std::move(all));
  }
  return lines;
}

std::string EncodeProfileFile(const ProfileRecord& record) { return EncodeUtf16Lines(ProfileFileLines(record)); }

bool SaveProfileFile(const ProfileRecord& record, const std::filesystem::path& path) {
  return WriteFileAtomically(path, EncodeProfileFile(record));
}

std::uint8_t CountMacroCommands(const MacroKey& macro) {
  const std::size_t count = std::min<std::size_t>(macro.actionCount, kMaxMacroActions);
  std::size_t commands = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if ((macro.actions[i] & 0xFF) != kDelayCode) ++commands;
  }
  return static_cast<std::uint8_t>(std::min<std::size_t>(commands, 0xFF));
}

ProfileReadResult ParseProfileLines(const std::vector<std::u16string>& lines, ProfileRecord& r) {
  if (lines.empty()) return Fail(1, "the file is empty");
  if (lines[0] != kHeader) return Fail(1, "the first line is not [Setting]");
  // Values of the lines from 22 on, by 1-based line number; each must hold an "=".
  std::array<std::u16string_view, kProfileFileLineCount + 1> values{};
  for (std::size_t n = 2; n <= kProfileFileLineCount; ++n) {
    if (n > lines.size()) return Fail(n, "the file ends before line 93");
    const std::u16string& line = lines[n - 1];
    const auto equals = line.find(u'=');
    if (equals == std::u16string::npos) return Fail(n, "the line has no \"=\"");
    const bool keyed = n <= 57 || (n >= kFirstKeyBlockLine && (n - kFirstKeyBlockLine) % kKeyBlockLines < 2);
    if (equals == 0 && keyed) return Fail(n, "the line starts with \"=\"");
    values[n] = std::u16string_view(line).substr(equals + 1);
    if (n >= kFirstKeyBlockLine) {
      const std::size_t kind = (n - kFirstKeyBlockLine) % kKeyBlockLines;
      if ((kind == 2 || kind == 4) && values[n].empty()) return Fail(n, "the number after \"=\" is missing");
      if (kind == 5 && values[n].size() != kAllActionLength) return Fail(n, "AllAction is not 2688 characters long");
    }
    if (n <= 21) r.namedSettings[n - 2] = {line.substr(0, equals), std::u16string(values[n])};
  }

  r.DPIOffOnFlagValue = ByteAt(values[22], 0);
  for (std::size_t s = 0; s < kDpiStageCount; ++s) {
    r.XYSetting[s] = static_cast<std::uint16_t>(NumberAt(values[23 + s], 0, 4, 16));
  }
  r.CurrentDPILevelValue = ByteAt(values[31], 0);
  for (std::size_t s = 0; s < kDpiStageCount; ++s) r.DPILevelIndication[s] = ColourAt(values[32 + s], 0);
  r.AngleSnapValue = ByteAt(values[40], 0);
  r.LiftDetectionValue = ByteAt(values[41], 0);
  r.PollingRateName = values[42];
  r.PollingRateValue = ThreeBytesAt(values[43]);
  r.Lighting1Name = values[44];
  r.Lighting1ModeValue = ThreeBytesAt(values[45]);
  r.Lighting1OffOn = ByteAt(values[46], 0);
  for (std::size_t m = 0; m < kLightingModeCount; ++m) {
    r.Lighting1Speed[m] = ByteAt(values[47], 3 * m);
    r.Lighting1Brightness[m] = ByteAt(values[48], 3 * m);
    r.Lighting1Direction[m] = ByteAt(values[51], 3 * m);
    for (std::size_t c = 0; c < kLightingColourSlots; ++c) {
      r.Lighting1ColorSelected[m][c] = ByteAt(values[49], 3 * (10 * m + c));
      r.Lighting1FixedColor[m][c] = ColourAt(values[50], 7 * (10 * m + c));
    }
  }
  r.Lighting2Name = values[52];
  r.Lighting2ModeValue = ThreeBytesAt(values[53]);
  r.Lighting2OffOn = ByteAt(values[54], 0);
  r.Lighting2Speed = ByteAt(values[55], 0);
  r.Lighting2Brightness = ByteAt(values[56], 0);
  r.Lighting2FixedColor = ColourAt(values[57], 0);

  for (std::size_t u = 0; u < kButtonCount; ++u) {
    const std::size_t first = kFirstKeyBlockLine + kKeyBlockLines * u;
    KeyAssignment& key = r.keyAssignments[u];
    key.name = values[first];
    key.value = ThreeBytesAt(values[first + 1]);
    key.macroIndex = static_cast<std::uint32_t>(ParseLeadingInteger(values[first + 2], 10));
    key.macro.name = values[first + 3];
    const long long count = ParseLeadingInteger(values[first + 4], 10);
    key.macro.actionCount =
        count < 0 || count > static_cast<long long>(kMaxMacroActions) ? kMaxMacroActions : static_cast<std::uint32_t>(count);
    const std::u16string_view all = values[first + 5];
    for (std::size_t i = 0; i < kMaxMacroActions; ++i) {
      MacroAction action = 0;
      for (std::size_t b = 0; b < 4; ++b) action |= static_cast<MacroAction>(ByteAt(all, 8 * i + 2 * b)) << (8 * b);
      key.macro.actions[i] = action;
    }
    key.macro.commandCount = CountMacroCommands(key.macro);
  }
  return {true, 0, {}};
}

ProfileReadResult ParseProfileFile(std::string_view bytes, ProfileRecord& record) {
  return ParseProfileLines(SplitUtf16Lines(bytes), record);
}

ProfileReadResult LoadProfileFile(const std::filesystem::path& path, ProfileRecord& record) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return Fail(0, "the file cannot be read");
  return ParseProfileFile(std::string_view(*bytes), record);
}

}  // namespace pelrin

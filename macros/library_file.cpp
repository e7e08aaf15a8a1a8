// Reading and writing the macro library file.
#include "macros/library_file.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "settings/text.h"
#include "settings/text_file.h"

namespace pelrin {
namespace {

constexpr std::u16string_view kHeader = u"[MacroLibrary]";
constexpr std::size_t kAllActionLength = kMaxMacroActions * 8;

// The text after the first "="; none when there is no "=" or nothing follows it.
std::optional<std::u16string_view> ValueOf(std::u16string_view line) {
  const std::size_t equals = line.find(u'=');
  if (equals == std::u16string_view::npos || equals + 1 == line.size()) return std::nullopt;
  return line.substr(equals + 1);
}

template <typename Int>
Int ClampedInteger(std::u16string_view text) {
  const long long value = ParseLeadingInteger(text, 10);
  return static_cast<Int>(std::clamp<long long>(value, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max()));
}

// "...stage=%d;stage0Index=%d;stage1Index=%d;stage2Index=%d;": the text after each of the first four "="
// up to the next ";". A value without a digit counts as missing.
std::optional<MacroItemLocation> ParseLocation(std::u16string_view line) {
  if (!ValueOf(line)) return std::nullopt;
  int values[4] = {};
  std::size_t from = 0;
  for (int& value : values) {
    const std::size_t equals = line.find(u'=', from);
    if (equals == std::u16string_view::npos) return std::nullopt;
    const std::size_t end = std::min(line.find(u';', equals + 1), line.size());
    const std::u16string_view text = line.substr(equals + 1, end - equals - 1);
    const auto firstDigit = std::find_if(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
    if (firstDigit == text.end()) return std::nullopt;
    value = ClampedInteger<int>(text);
    from = equals + 1;
  }
  return MacroItemLocation{values[0], values[1], values[2], values[3]};
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

// Two characters as one byte; conversion stops at the first character that is not a hexadecimal digit.
std::uint8_t HexByte(char16_t high, char16_t low) {
  const int h = HexDigit(high);
  if (h < 0) return 0;
  const int l = HexDigit(low);
  return static_cast<std::uint8_t>(l < 0 ? h : h * 16 + l);
}

// Walks the lines; an empty line ends the file.
class LineCursor {
 public:
  explicit LineCursor(const std::vector<std::u16string>& lines) : lines_(lines) {}
  std::optional<std::u16string_view> Next() {
    if (next_ >= lines_.size() || lines_[next_].empty()) return std::nullopt;
    return std::u16string_view(lines_[next_++]);
  }
  std::optional<std::u16string_view> NextValue() {
    auto line = Next();
    return line ? ValueOf(*line) : std::nullopt;
  }

 private:
  const std::vector<std::u16string>& lines_;
  std::size_t next_ = 0;
};

// Reads one item block whose name line is `nameLine`; false when the file breaks off or is malformed.
bool ReadItemBlock(std::u16string_view nameLine, LineCursor& cursor, MacroLibrary& target, LibraryReadResult& result) {
  const auto name = ValueOf(nameLine);
  if (!name) return false;
  const auto locationLine = cursor.Next();
  const auto location = locationLine ? ParseLocation(*locationLine) : std::nullopt;
  if (!location) return false;
  const auto folderFlag = cursor.NextValue();
  const auto openFlag = cursor.NextValue();
  if (!folderFlag || !openFlag) return false;

  MacroItem item;
  item.name = std::u16string(*name);
  item.isFolder = ParseLeadingInteger(*folderFlag, 10) != 0;
  if (item.isFolder) {
    item.isOpen = ParseLeadingInteger(*openFlag, 10) != 0;
  } else {
    std::optional<std::u16string_view> fields[5];
    for (auto& field : fields) {
      field = cursor.NextValue();
      if (!field) return false;
    }
    const auto allAction = cursor.NextValue();
    if (!allAction || allAction->size() != kAllActionLength) return false;
    auto macro = std::make_unique<MacroKey>(CreateMacroKey(item.name));
    macro->index = static_cast<std::uint32_t>(ParseLeadingInteger(*fields[0], 10));
    macro->loopType = ClampedInteger<std::uint8_t>(*fields[1]);
    macro->loopCount = ClampedInteger<std::uint8_t>(*fields[2]);
    const long long actionCount = ParseLeadingInteger(*fields[3], 10);
    macro->commandCount = ClampedInteger<std::uint8_t>(*fields[4]);
    const std::u16string_view hex = *allAction;
    for (std::size_t i = 0; i < kMaxMacroActions; ++i) {
      const std::u16string_view word = hex.substr(8 * i, 8);
      macro->actions[i] = MakeAction(HexByte(word[0], word[1]), HexByte(word[2], word[3]), HexByte(word[4], word[5]),
                                     HexByte(word[6], word[7]));
    }
    // A count the action array cannot hold would send every later reader past its end.
    if (actionCount < 0 || actionCount > static_cast<long long>(kMaxMacroActions)) {
      ++result.skippedItems;
      return true;
    }
    macro->actionCount = static_cast<std::uint32_t>(actionCount);
    item.macro = std::move(macro);
  }
  // Folders live only at the first two levels.
  if (!IsSlotLocation(*location) || (item.isFolder && location->stage == 2)) {
    ++result.skippedItems;
    return true;
  }
  target.Store(*location, std::move(item));
  return true;
}

// A counter at or below an index already in use would hand that index out again, and a button bound to the
// old macro would then play the new one.
void KeepIndexCounterAheadOfMacros(MacroLibrary& library) {
  std::optional<std::uint32_t> highest;
  library.ForEachItem([&](const MacroItemLocation&, const MacroItem& item) {
    if (item.IsMacro()) highest = std::max(highest.value_or(0), item.macro->index);
  });
  const std::int32_t next = library.NextMacroIndex();
  if (next >= 0 && (!highest || static_cast<std::uint32_t>(next) > *highest)) return;
  constexpr auto kLimit = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
  library.SetNextMacroIndex(static_cast<std::int32_t>(!highest ? 0 : std::min(*highest, kLimit - 1) + 1));
}

LibraryReadResult ParseLines(const std::vector<std::u16string>& lines, MacroLibrary& target) {
  LibraryReadResult result;
  target.Clear();
  LineCursor cursor(lines);
  const auto header = cursor.Next();
  if (!header || *header != kHeader) return result;
  const auto counter = cursor.NextValue();
  if (!counter) return result;
  target.SetNextMacroIndex(ClampedInteger<std::int32_t>(*counter));
  const auto locationLine = cursor.Next();
  const auto location = locationLine ? ParseLocation(*locationLine) : std::nullopt;
  if (!location) return result;
  result.fileLocation = *location;
  bool complete = true;
  while (const auto nameLine = cursor.Next()) {
    if (!ReadItemBlock(*nameLine, cursor, target, result)) {
      complete = false;
      break;
    }
  }
  KeepIndexCounterAheadOfMacros(target);
  result.ok = complete;
  return result;
}

std::u16string LocationText(const MacroItemLocation& l) {
  return u"stage=" + FormatDecimal(l.stage) + u";stage0Index=" + FormatDecimal(l.stage0Index) +
         u";stage1Index=" + FormatDecimal(l.stage1Index) + u";stage2Index=" + FormatDecimal(l.stage2Index) + u";";
}

void AppendItemBlock(std::vector<std::u16string>& lines, const MacroItemLocation& location, const MacroItem& item) {
  const std::u16string indent(static_cast<std::size_t>(location.stage), u'\t');
  lines.push_back(indent + u"++++++++MacroItemName=" + item.name);
  lines.push_back(indent + u"MacroItemLocation:" + LocationText(location));
  lines.push_back(indent + u"MacroItemIsFolder=" + FormatDecimal(item.isFolder ? 1 : 0));
  lines.push_back(indent + u"MacroItemFolderIsOpen=" + FormatDecimal(item.isOpen ? 1 : 0));
  if (item.isFolder) return;
  static const MacroKey kNoActions;
  const MacroKey& macro = item.macro ? *item.macro : kNoActions;
  lines.push_back(indent + u"MacroKeyIndex=" + FormatDecimal(macro.index));
  lines.push_back(indent + u"MacroKeyLoopType=" + FormatDecimal(macro.loopType));
  lines.push_back(indent + u"MacroKeyLoopNum=" + FormatDecimal(macro.loopCount));
  lines.push_back(indent + u"MacroActionNum=" + FormatDecimal(macro.actionCount));
  lines.push_back(indent + u"MacroCommandActionNum=" + FormatDecimal(macro.commandCount));
  std::u16string all = indent + u"AllAction=";
  all.reserve(all.size() + kAllActionLength);
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  for (MacroAction action : macro.actions) {
    for (int byte = 0; byte < 4; ++byte) {
      const std::uint8_t value = ActionByte(action, byte);
      all += kDigits[value >> 4];
      all += kDigits[value & 0x0F];
    }
  }
  lines.push_back(std::move(all));
}

}  // namespace

LibraryReadResult ReadLibraryFile(const std::filesystem::path& path, MacroLibrary& target) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return {};
  return ParseLibraryFile(*bytes, target);
}

LibraryReadResult ParseLibraryFile(std::string_view bytes, MacroLibrary& target) {
  return ParseLines(SplitUtf16Lines(bytes), target);
}

std::vector<std::u16string> LibraryFileLines(const MacroLibrary& library, const MacroItemLocation& recordedLocation) {
  std::vector<std::u16string> lines;
  lines.emplace_back(kHeader);
  lines.push_back(u"MacroKeyIndex=" + FormatDecimal(library.NextMacroIndex()));
  lines.push_back(u"Select Locaton:" + LocationText(recordedLocation));
  library.ForEachItem([&lines](const MacroItemLocation& location, const MacroItem& item) {
    AppendItemBlock(lines, location, item);
  });
  return lines;
}

std::string EncodeLibraryFile(const MacroLibrary& library, const MacroItemLocation& recordedLocation) {
  return EncodeUtf16Lines(LibraryFileLines(library, recordedLocation));
}

bool WriteLibraryFile(const std::filesystem::path& path, const MacroItemLocation& recordedLocation,
                      const MacroLibrary& library) {
  return WriteUtf16LinesFile(path, LibraryFileLines(library, recordedLocation));
}

}  // namespace pelrin

// The profile file (.psf): the 93-line text image of one profile record, written and read by position.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "settings/profile_record.h"

namespace pelrin {

inline constexpr std::size_t kProfileFileLineCount = 93;
// The AllAction value: 336 action words of eight hexadecimal digits.
inline constexpr std::size_t kAllActionLength = kMaxMacroActions * 8;

// Why a profile file was refused; `line` counts from 1, 0 when the file could not be read at all.
struct ProfileReadResult {
  bool ok = false;
  int line = 0;
  std::string reason;
  explicit operator bool() const { return ok; }
};

// The 93 lines of the file, in order.
std::vector<std::u16string> ProfileFileLines(const ProfileRecord& record);
std::string EncodeProfileFile(const ProfileRecord& record);

// Reads the lines of a profile file into `record`. Only fields the file holds are stored, so a macro's
// loop settings keep the values `record` had. On failure `record` holds what was read up to the bad line;
// callers that must not keep a part-read record parse into a copy.
//
// Action counts above 336 are limited to 336. Each button macro's commandCount becomes the number of its
// actions that are not pauses: the file does not hold it, and the mouse plays back only that many events.
ProfileReadResult ParseProfileLines(const std::vector<std::u16string>& lines, ProfileRecord& record);
ProfileReadResult ParseProfileFile(std::string_view bytes, ProfileRecord& record);
ProfileReadResult LoadProfileFile(const std::filesystem::path& path, ProfileRecord& record);

// Writes the record to `path` whole, or leaves the file as it was and returns false.
bool SaveProfileFile(const ProfileRecord& record, const std::filesystem::path& path);

// The commandCount a macro's actions imply: its actions, up to its action count, that are not pauses.
std::uint8_t CountMacroCommands(const MacroKey& macro);

}  // namespace pelrin

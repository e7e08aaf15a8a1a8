// The macro library file (".mlf"), also used for exported macros (".mkf") and libraries (".mbf").
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "macros/macro_library.h"

namespace pelrin {

inline constexpr char kLibraryFileName[] = "MacroLibraryFile.mlf";

struct LibraryReadResult {
  bool ok = false;
  // The location recorded in the file's third line (kNoLocation when it was not reached).
  MacroItemLocation fileLocation;
  // Item blocks that were read but do not fit the tree (a slot outside it, a folder at the third level, more
  // than 336 actions) and were left out.
  int skippedItems = 0;

  explicit operator bool() const { return ok; }
};

// Reads a library file into `target`. A file that cannot be opened leaves `target` as it was; otherwise the
// target is cleared first, and a load that fails midway keeps the items read before the failing line.
LibraryReadResult ReadLibraryFile(const std::filesystem::path& path, MacroLibrary& target);
// The same, from the file's bytes (byte-order mark included).
LibraryReadResult ParseLibraryFile(std::string_view bytes, MacroLibrary& target);

// The lines of the file: the header, the index counter, `recordedLocation`, then every used item.
std::vector<std::u16string> LibraryFileLines(const MacroLibrary& library, const MacroItemLocation& recordedLocation);
// The whole file as bytes.
std::string EncodeLibraryFile(const MacroLibrary& library, const MacroItemLocation& recordedLocation);
// Replaces the file at `path` whole (never leaving a cut file). False when it cannot be written.
bool WriteLibraryFile(const std::filesystem::path& path, const MacroItemLocation& recordedLocation,
                      const MacroLibrary& library);

}  // namespace pelrin

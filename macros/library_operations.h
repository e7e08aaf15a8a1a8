// What the macro manager does to the library: new macros and folders, rename, delete, import and export.
// Plain functions on a library passed in (the windows pass GlobalMacroLibrary()); they show nothing and
// return what happened, with the language entry the window reports it with.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "macros/macro_library.h"
#include "settings/profile_record.h"

namespace pelrin {

enum class LibraryOutcome {
  kDone,
  kEmptyName,        // 242
  kInvalidName,      // a line feed would split the library file; 242
  kDuplicateName,    // a sibling has the name: 241, nothing created
  kNoFreeSlot,       // the 60 slots of the level are used: nothing created, nothing shown
  kNotAllowedHere,   // a folder inside a second-level folder: nothing created, nothing shown
  kIndexesExhausted, // the macro index counter cannot grow: nothing created, nothing shown
  kNothingSelected,  // delete or rename without an item: 233
  kInUse,            // a button of the current profile plays the macro: 257
  kNothingToExport,  // export macro with a folder or nothing selected: nothing written
  kNothingToImport,  // the file cannot be read or its recorded location holds nothing usable
  kWriteFailed,      // the export file could not be written; quiet
};

// The language entry that reports an outcome, 0 for none.
int LanguageEntryFor(LibraryOutcome outcome);

struct LibraryEditResult {
  LibraryOutcome outcome = LibraryOutcome::kDone;
  // The tree selection afterwards: the new item, kNoLocation after a delete, the selection passed in when
  // nothing changed.
  MacroItemLocation selection;
  int created = 0;  // items an import added
  int skipped = 0;  // items of an import file that found no place (no slot, or too deep)

  bool Succeeded() const { return outcome == LibraryOutcome::kDone; }
  int LanguageEntry() const { return LanguageEntryFor(outcome); }
};

// New macro with the given name: into a selected folder (a first-level folder takes it at the second level,
// a second-level folder at the third), otherwise at the top level, in the first free slot. It takes the
// library's next macro index; the folder it went into is opened.
LibraryEditResult NewMacro(MacroLibrary& library, const MacroItemLocation& selected, std::u16string_view name);
// New folder: at the top level, or inside a selected first-level folder; never inside a second-level folder.
LibraryEditResult NewFolder(MacroLibrary& library, const MacroItemLocation& selected, std::u16string_view name);
// Renames an item (and its macro). The same name again changes nothing.
LibraryEditResult RenameItem(MacroLibrary& library, const MacroItemLocation& item, std::u16string_view name);

// Whether a button of `currentProfile` is bound to the item's macro or, for a folder, to a macro inside it.
bool IsItemInUse(const MacroLibrary& library, const MacroItemLocation& item, const ProfileRecord& currentProfile);
// Deletes the item with everything under it, unless it is in use; later siblings move up one slot.
LibraryEditResult DeleteItem(MacroLibrary& library, const MacroItemLocation& item, const ProfileRecord& currentProfile);

// The file names the export dialogs offer: "<macro>.mkf"; "<selected item>.mbf" or "AllMacroKey.mbf".
std::u16string ExportMacroFileName(const MacroLibrary& library, const MacroItemLocation& selected);
std::u16string ExportAllFileName(const MacroLibrary& library, const MacroItemLocation& selected);
// Writes the whole library, recording the selected macro (export macro; only with a macro selected) or the
// selection (export all).
LibraryEditResult ExportMacro(const MacroLibrary& library, const MacroItemLocation& selected,
                              const std::filesystem::path& path);
LibraryEditResult ExportAll(const MacroLibrary& library, const MacroItemLocation& selected,
                            const std::filesystem::path& path);

// Import of a ".mkf": the file's item at its recorded location becomes a new macro, placed as NewMacro places
// it, with the file's actions and loop settings and a new index.
LibraryEditResult ImportMacro(MacroLibrary& library, const MacroItemLocation& selected, const MacroLibrary& file,
                              const MacroItemLocation& fileLocation);
LibraryEditResult ImportMacroFile(MacroLibrary& library, const MacroItemLocation& selected,
                                  const std::filesystem::path& path);
LibraryEditResult ImportMacroBytes(MacroLibrary& library, const MacroItemLocation& selected, std::string_view bytes);

// Import of a ".mbf": the file's top-level items (recorded location stage -1), or the recorded item and its
// later siblings, into the selected folder or the top level, folders with their contents as far as the depth
// allows. Nothing is imported when any of those names already exists at the destination.
LibraryEditResult ImportAll(MacroLibrary& library, const MacroItemLocation& selected, const MacroLibrary& file,
                            const MacroItemLocation& fileLocation);
LibraryEditResult ImportAllFile(MacroLibrary& library, const MacroItemLocation& selected,
                                const std::filesystem::path& path);
LibraryEditResult ImportAllBytes(MacroLibrary& library, const MacroItemLocation& selected, std::string_view bytes);

}  // namespace pelrin

// The macro manager's operations on the library tree.
#include "macros/library_operations.h"

#include <vector>

#include "macros/library_file.h"
#include "settings/text_file.h"

namespace pelrin {
namespace {

constexpr std::uint8_t kMacroCategory = 0x90;

// Where a new item goes for the current selection: the parent location (kNoLocation: the top level).
// A folder is never placed inside a second-level folder.
std::optional<MacroItemLocation> PlacementParent(const MacroLibrary& library, const MacroItemLocation& selected,
                                                 bool forFolder) {
  if (!library.Item(selected).IsFolder()) return kNoLocation;
  const MacroItemLocation folder = NormalizedLocation(selected);
  if (folder.stage == 0) return folder;
  if (folder.stage == 1 && !forFolder) return folder;
  return std::nullopt;
}

bool ParentHoldsChildren(const MacroItemLocation& parent, bool forFolder) {
  return parent.stage == -1 || parent.stage == 0 || (parent.stage == 1 && !forFolder);
}

struct Created {
  LibraryOutcome outcome;
  MacroItemLocation location;
};

// Creates a macro or folder named `name` among the children of `parent`.
Created CreateChild(MacroLibrary& library, const MacroItemLocation& parent, std::u16string_view name, bool folder) {
  if (name.empty()) return {LibraryOutcome::kEmptyName, kNoLocation};
  if (name.find(u'\n') != std::u16string_view::npos) return {LibraryOutcome::kInvalidName, kNoLocation};
  if (!ParentHoldsChildren(parent, folder)) return {LibraryOutcome::kNotAllowedHere, kNoLocation};
  if (library.HasChildNamed(parent, name)) return {LibraryOutcome::kDuplicateName, kNoLocation};
  const int slot = library.FirstFreeSlot(parent);
  if (slot < 0) return {LibraryOutcome::kNoFreeSlot, kNoLocation};
  MacroItem item;
  item.name = std::u16string(name);
  item.isFolder = folder;
  if (!folder) {
    const auto index = library.TakeMacroIndex();
    if (!index) return {LibraryOutcome::kIndexesExhausted, kNoLocation};
    item.macro = std::make_unique<MacroKey>(CreateMacroKey(item.name));
    item.macro->index = *index;
  }
  const MacroItemLocation location = ChildLocation(parent, slot);
  // A free slot may still carry children left there by a hand-edited file; a new item starts empty.
  library.ClearChildren(location);
  library.Store(location, std::move(item));
  return {LibraryOutcome::kDone, location};
}

LibraryEditResult NewItem(MacroLibrary& library, const MacroItemLocation& selected, std::u16string_view name,
                          bool folder) {
  if (name.empty()) return {LibraryOutcome::kEmptyName, selected};
  const auto parent = PlacementParent(library, selected, folder);
  if (!parent) return {LibraryOutcome::kNotAllowedHere, selected};
  const Created created = CreateChild(library, *parent, name, folder);
  if (created.outcome != LibraryOutcome::kDone) return {created.outcome, selected};
  if (MacroItem* parentFolder = library.MutableItem(*parent)) parentFolder->isOpen = true;  // shows the new row
  return {LibraryOutcome::kDone, created.location, 1};
}

// An imported macro keeps its new index and takes everything else from the file.
void CopyImportedMacro(MacroKey& to, const MacroKey& from) {
  const std::uint32_t index = to.index;
  CopyMacroKey(to, from);
  to.actions = from.actions;
  to.index = index;
}

// The used children of a slot in slot order, up to the first free slot.
std::vector<MacroItemLocation> ChildrenUpToFirstFree(const MacroLibrary& library, const MacroItemLocation& parent) {
  std::vector<MacroItemLocation> children;
  for (int slot = 0; slot < kSlotsPerLevel; ++slot) {
    const MacroItemLocation child = ChildLocation(parent, slot);
    if (!library.Item(child).IsUsed()) break;
    children.push_back(child);
  }
  return children;
}

int CountWithContents(const MacroLibrary& file, const MacroItemLocation& item) {
  int count = 1;
  if (file.Item(item).IsFolder()) {
    for (const auto& child : ChildrenUpToFirstFree(file, item)) count += CountWithContents(file, child);
  }
  return count;
}

// Re-creates one item of the file (a folder with its contents) under `parent`.
void ImportItem(MacroLibrary& library, const MacroItemLocation& parent, const MacroLibrary& file,
                const MacroItemLocation& source, LibraryEditResult& result) {
  const MacroItem& item = file.Item(source);
  const Created created = CreateChild(library, parent, item.name, item.isFolder);
  if (created.outcome != LibraryOutcome::kDone) {
    result.skipped += CountWithContents(file, source);
    return;
  }
  ++result.created;
  if (item.isFolder) {
    for (const auto& child : ChildrenUpToFirstFree(file, source)) ImportItem(library, created.location, file, child, result);
  } else if (item.macro) {
    CopyImportedMacro(*library.MutableItem(created.location)->macro, *item.macro);
  }
}

std::u16string FileNameText(std::u16string name) {
  for (char16_t& c : name) {
    if (c == u'/' || c == u'\0') c = u'_';
  }
  return name;
}

}  // namespace

int LanguageEntryFor(LibraryOutcome outcome) {
  switch (outcome) {
    case LibraryOutcome::kEmptyName:
    case LibraryOutcome::kInvalidName: return 242;
    case LibraryOutcome::kDuplicateName: return 241;
    case LibraryOutcome::kNothingSelected: return 233;
    case LibraryOutcome::kInUse: return 257;
    default: return 0;
  }
}

LibraryEditResult NewMacro(MacroLibrary& library, const MacroItemLocation& selected, std::u16string_view name) {
  return NewItem(library, selected, name, false);
}

LibraryEditResult NewFolder(MacroLibrary& library, const MacroItemLocation& selected, std::u16string_view name) {
  return NewItem(library, selected, name, true);
}

LibraryEditResult RenameItem(MacroLibrary& library, const MacroItemLocation& location, std::u16string_view name) {
  MacroItem* item = library.MutableItem(location);
  if (item == nullptr) return {LibraryOutcome::kNothingSelected, location};
  if (name.empty()) return {LibraryOutcome::kEmptyName, location};
  if (name.find(u'\n') != std::u16string_view::npos) return {LibraryOutcome::kInvalidName, location};
  if (item->name == name) return {LibraryOutcome::kDone, location};
  if (library.HasChildNamed(ParentLocation(location), name, SlotIndexOf(location))) {
    return {LibraryOutcome::kDuplicateName, location};
  }
  item->name = std::u16string(name);
  // The macro carries the name a reload of the library would give it, so a button bound right after the
  // rename shows the new name too.
  if (item->macro) item->macro->name = item->name;
  return {LibraryOutcome::kDone, location};
}

bool IsItemInUse(const MacroLibrary& library, const MacroItemLocation& location, const ProfileRecord& currentProfile) {
  bool inUse = false;
  library.ForEachInSubtree(location, [&](const MacroItemLocation&, const MacroItem& item) {
    if (!item.IsMacro()) return;
    for (const KeyAssignment& key : currentProfile.keyAssignments) {
      if (key.value[0] == kMacroCategory && key.macroIndex == item.macro->index) inUse = true;
    }
  });
  return inUse;
}

LibraryEditResult DeleteItem(MacroLibrary& library, const MacroItemLocation& location, const ProfileRecord& currentProfile) {
  if (!library.Item(location).IsUsed()) return {LibraryOutcome::kNothingSelected, location};
  if (IsItemInUse(library, location, currentProfile)) return {LibraryOutcome::kInUse, location};
  library.Erase(location);
  return {LibraryOutcome::kDone, kNoLocation};
}

std::u16string ExportMacroFileName(const MacroLibrary& library, const MacroItemLocation& selected) {
  return FileNameText(library.Item(selected).name) + u".mkf";
}

std::u16string ExportAllFileName(const MacroLibrary& library, const MacroItemLocation& selected) {
  const MacroItem& item = library.Item(selected);
  return item.IsUsed() ? FileNameText(item.name) + u".mbf" : u"AllMacroKey.mbf";
}

LibraryEditResult ExportMacro(const MacroLibrary& library, const MacroItemLocation& selected,
                              const std::filesystem::path& path) {
  if (!library.Item(selected).IsMacro()) return {LibraryOutcome::kNothingToExport, selected};
  return ExportAll(library, selected, path);
}

LibraryEditResult ExportAll(const MacroLibrary& library, const MacroItemLocation& selected,
                            const std::filesystem::path& path) {
  const bool written = WriteLibraryFile(path, selected, library);
  return {written ? LibraryOutcome::kDone : LibraryOutcome::kWriteFailed, selected};
}

LibraryEditResult ImportMacro(MacroLibrary& library, const MacroItemLocation& selected, const MacroLibrary& file,
                              const MacroItemLocation& fileLocation) {
  const MacroItem& source = file.Item(fileLocation);
  if (!source.IsMacro()) return {LibraryOutcome::kNothingToImport, selected};
  LibraryEditResult result = NewMacro(library, selected, source.name);
  if (result.Succeeded()) CopyImportedMacro(*library.MutableItem(result.selection)->macro, *source.macro);
  return result;
}

LibraryEditResult ImportMacroFile(MacroLibrary& library, const MacroItemLocation& selected,
                                  const std::filesystem::path& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return {LibraryOutcome::kNothingToImport, selected};
  return ImportMacroBytes(library, selected, *bytes);
}

LibraryEditResult ImportMacroBytes(MacroLibrary& library, const MacroItemLocation& selected, std::string_view bytes) {
  MacroLibrary file;
  const LibraryReadResult read = ParseLibraryFile(bytes, file);
  return ImportMacro(library, selected, file, read.fileLocation);
}

LibraryEditResult ImportAll(MacroLibrary& library, const MacroItemLocation& selected, const MacroLibrary& file,
                            const MacroItemLocation& fileLocation) {
  const bool intoFolder = library.Item(selected).IsFolder();
  const MacroItemLocation destination = intoFolder ? NormalizedLocation(selected) : kNoLocation;

  std::vector<MacroItemLocation> sources;
  if (fileLocation.stage == -1) {
    sources = ChildrenUpToFirstFree(file, kNoLocation);
  } else if (file.Item(fileLocation).IsUsed()) {
    const MacroItemLocation first = NormalizedLocation(fileLocation);
    if (file.Item(first).isFolder && !intoFolder) {
      sources.push_back(first);
    } else {
      for (const auto& sibling : ChildrenUpToFirstFree(file, ParentLocation(first))) {
        if (SlotIndexOf(sibling) >= SlotIndexOf(first)) sources.push_back(sibling);
      }
      // The recorded item may sit after a free slot, which ends the list above.
      if (sources.empty()) sources.push_back(first);
    }
  }
  if (sources.empty()) return {LibraryOutcome::kNothingToImport, selected};

  for (const auto& source : sources) {
    if (library.HasChildNamed(destination, file.Item(source).name)) return {LibraryOutcome::kDuplicateName, selected};
  }
  LibraryEditResult result{LibraryOutcome::kDone, selected};
  for (const auto& source : sources) ImportItem(library, destination, file, source, result);
  if (MacroItem* folder = library.MutableItem(destination)) folder->isOpen = true;
  return result;
}

LibraryEditResult ImportAllFile(MacroLibrary& library, const MacroItemLocation& selected,
                                const std::filesystem::path& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return {LibraryOutcome::kNothingToImport, selected};
  return ImportAllBytes(library, selected, *bytes);
}

LibraryEditResult ImportAllBytes(MacroLibrary& library, const MacroItemLocation& selected, std::string_view bytes) {
  MacroLibrary file;
  const LibraryReadResult read = ParseLibraryFile(bytes, file);
  return ImportAll(library, selected, file, read.fileLocation);
}

}  // namespace pelrin

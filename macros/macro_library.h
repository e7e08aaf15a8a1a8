// The macro library: a tree of folders and macros, three levels of 60 slots, and its process-wide instance.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macros/macro_key.h"

namespace pelrin {

inline constexpr int kLibraryStages = 3;
inline constexpr int kSlotsPerLevel = 60;

// Addresses one slot of the tree. Stage -1 addresses nothing; as a parent it stands for the top level.
// The indices a stage does not use are 0.
struct MacroItemLocation {
  int stage = -1;
  int stage0Index = 0;
  int stage1Index = 0;
  int stage2Index = 0;

  friend bool operator==(const MacroItemLocation&, const MacroItemLocation&) = default;
};

inline constexpr MacroItemLocation kNoLocation{};

// True for stage 0 to 2 with every index that stage uses in 0 to 59.
bool IsSlotLocation(const MacroItemLocation& location);
// The same slot with the indices its stage does not use set to 0; kNoLocation for anything else.
MacroItemLocation NormalizedLocation(const MacroItemLocation& location);
// Slot `slot` among the children of `parent` (kNoLocation as parent: the top level); kNoLocation when
// `parent` is a stage-2 slot or `slot` is out of range.
MacroItemLocation ChildLocation(const MacroItemLocation& parent, int slot);
// The folder that holds a slot; kNoLocation for a top-level slot.
MacroItemLocation ParentLocation(const MacroItemLocation& location);
// The slot's index among its siblings.
int SlotIndexOf(const MacroItemLocation& location);

// One node of the tree. A slot with an empty name is free.
struct MacroItem {
  std::u16string name;
  std::unique_ptr<MacroKey> macro;  // none for a folder
  bool isFolder = false;
  bool isOpen = false;  // a folder whose children the tree shows

  bool IsUsed() const { return !name.empty(); }
  bool IsMacro() const { return IsUsed() && !isFolder && macro != nullptr; }
  bool IsFolder() const { return IsUsed() && isFolder; }
};

// Behaves as the fixed arrays 60, 60 x 60 and 60 x 60 x 60 of items, but stores only the levels that hold
// something, so an empty library is small.
class MacroLibrary {
 public:
  MacroLibrary();
  ~MacroLibrary();
  MacroLibrary(const MacroLibrary&) = delete;
  MacroLibrary& operator=(const MacroLibrary&) = delete;

  // The item in a slot; a free slot, or a location outside the tree, reads as an empty item.
  const MacroItem& Item(const MacroItemLocation& location) const;
  // The item in a used slot, for changing its fields in place; nullptr for a free slot or no slot.
  MacroItem* MutableItem(const MacroItemLocation& location);

  // Puts `item` into a slot, replacing what was there; the slot's children stay. False for no slot.
  bool Store(const MacroItemLocation& location, MacroItem item);
  // Removes the item with its children; its later siblings move one slot down with their children.
  void Erase(const MacroItemLocation& location);
  // Removes the children of a slot (all levels below it).
  void ClearChildren(const MacroItemLocation& location);
  // Removes every item; nextMacroIndex stays.
  void Clear();

  // The first free slot among the children of `parent` (kNoLocation: the top level), -1 when all 60 are used.
  int FirstFreeSlot(const MacroItemLocation& parent) const;
  // Whether a used child of `parent` other than slot `exceptSlot` carries exactly `name`.
  bool HasChildNamed(const MacroItemLocation& parent, std::u16string_view name, int exceptSlot = -1) const;

  // Visits every used item: all stage-0 items in slot order, then all stage-1 items ordered by their
  // indices, then all stage-2 items.
  void ForEachItem(const std::function<void(const MacroItemLocation&, const MacroItem&)>& visit) const;
  // Visits the used items of the subtree under `location`, the item itself first.
  void ForEachInSubtree(const MacroItemLocation& location,
                        const std::function<void(const MacroItemLocation&, const MacroItem&)>& visit) const;

  // The first macro, in the order of ForEachItem, whose index is `index`.
  std::optional<MacroItemLocation> FindMacroByIndex(std::uint32_t index) const;

  // Closes every folder: the tree starts collapsed.
  void CollapseAllFolders();

  // The index the next new macro receives; it only grows.
  std::int32_t NextMacroIndex() const { return nextMacroIndex_; }
  void SetNextMacroIndex(std::int32_t value) { nextMacroIndex_ = value; }
  // Hands out the next index and moves the counter on; none once the counter cannot grow any more.
  std::optional<std::uint32_t> TakeMacroIndex();

 private:
  struct Node;
  using Level = std::array<Node, kSlotsPerLevel>;
  struct Node {
    MacroItem item;
    std::unique_ptr<Level> children;
  };

  const Level* ChildLevel(const MacroItemLocation& parent) const;
  Level* ChildLevel(const MacroItemLocation& parent, bool create);
  Node* NodeAt(const MacroItemLocation& location, bool create);

  std::unique_ptr<Level> top_;
  std::int32_t nextMacroIndex_ = 0;
};

// One row of the macro tree as the windows show it.
struct MacroTreeRow {
  MacroItemLocation location;
  int depth = 0;  // the stage: the row's indentation
  bool isFolder = false;
  bool isOpen = false;
  const std::u16string* name = nullptr;  // valid while the library is unchanged
};
// The rows in tree order: each used item of a level up to its first free slot, directly followed by the
// rows of its children when it is an open folder.
std::vector<MacroTreeRow> VisibleTreeRows(const MacroLibrary& library);
// The row that shows `location`, -1 when it is not shown.
int RowOf(const std::vector<MacroTreeRow>& rows, const MacroItemLocation& location);

// Empties a library before loading.
inline void ClearLibrary(MacroLibrary& library) { library.Clear(); }

// The library and tree selection shared by the main window, the macro manager, the macro-select dialog
// and the synchronisation. Main thread only.
MacroLibrary& GlobalMacroLibrary();
MacroItemLocation& SelectedLocation();

}  // namespace pelrin

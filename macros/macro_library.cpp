// The macro library tree and its process-wide instance.
#include "macros/macro_library.h"

#include <algorithm>
#include <limits>

namespace pelrin {
namespace {

bool InRange(int index) { return index >= 0 && index < kSlotsPerLevel; }

const MacroItem& EmptyItem() {
  static const MacroItem empty;
  return empty;
}

}  // namespace

bool IsSlotLocation(const MacroItemLocation& l) {
  switch (l.stage) {
    case 0: return InRange(l.stage0Index);
    case 1: return InRange(l.stage0Index) && InRange(l.stage1Index);
    case 2: return InRange(l.stage0Index) && InRange(l.stage1Index) && InRange(l.stage2Index);
    default: return false;
  }
}

MacroItemLocation NormalizedLocation(const MacroItemLocation& l) {
  if (!IsSlotLocation(l)) return kNoLocation;
  MacroItemLocation n = l;
  if (n.stage < 2) n.stage2Index = 0;
  if (n.stage < 1) n.stage1Index = 0;
  return n;
}

MacroItemLocation ChildLocation(const MacroItemLocation& parent, int slot) {
  if (!InRange(slot)) return kNoLocation;
  if (parent.stage == -1) return {0, slot, 0, 0};
  if (!IsSlotLocation(parent) || parent.stage == 2) return kNoLocation;
  MacroItemLocation child = NormalizedLocation(parent);
  child.stage = parent.stage + 1;
  (child.stage == 1 ? child.stage1Index : child.stage2Index) = slot;
  return child;
}

MacroItemLocation ParentLocation(const MacroItemLocation& l) {
  if (!IsSlotLocation(l) || l.stage == 0) return kNoLocation;
  if (l.stage == 1) return {0, l.stage0Index, 0, 0};
  return {1, l.stage0Index, l.stage1Index, 0};
}

int SlotIndexOf(const MacroItemLocation& l) {
  switch (l.stage) {
    case 0: return l.stage0Index;
    case 1: return l.stage1Index;
    case 2: return l.stage2Index;
    default: return -1;
  }
}

MacroLibrary::MacroLibrary() : top_(std::make_unique<Level>()) {}
MacroLibrary::~MacroLibrary() = default;

const MacroLibrary::Level* MacroLibrary::ChildLevel(const MacroItemLocation& parent) const {
  if (parent.stage == -1) return top_.get();
  return const_cast<MacroLibrary*>(this)->ChildLevel(parent, false);
}

MacroLibrary::Level* MacroLibrary::ChildLevel(const MacroItemLocation& parent, bool create) {
  if (parent.stage == -1) return top_.get();
  if (!IsSlotLocation(parent) || parent.stage == 2) return nullptr;
  Node* node = NodeAt(parent, create);
  if (node == nullptr) return nullptr;
  if (!node->children && create) node->children = std::make_unique<Level>();
  return node->children.get();
}

MacroLibrary::Node* MacroLibrary::NodeAt(const MacroItemLocation& location, bool create) {
  if (!IsSlotLocation(location)) return nullptr;
  Level* level = ChildLevel(ParentLocation(location), create);
  return level != nullptr ? &(*level)[static_cast<std::size_t>(SlotIndexOf(location))] : nullptr;
}

const MacroItem& MacroLibrary::Item(const MacroItemLocation& location) const {
  const Node* node = const_cast<MacroLibrary*>(this)->NodeAt(location, false);
  return node != nullptr ? node->item : EmptyItem();
}

MacroItem* MacroLibrary::MutableItem(const MacroItemLocation& location) {
  Node* node = NodeAt(location, false);
  return node != nullptr && node->item.IsUsed() ? &node->item : nullptr;
}

bool MacroLibrary::Store(const MacroItemLocation& location, MacroItem item) {
  Node* node = NodeAt(location, true);
  if (node == nullptr) return false;
  node->item = std::move(item);
  return true;
}

void MacroLibrary::Erase(const MacroItemLocation& location) {
  if (!IsSlotLocation(location)) return;
  Level* level = ChildLevel(ParentLocation(location), false);
  if (level == nullptr) return;
  const auto slot = static_cast<std::ptrdiff_t>(SlotIndexOf(location));
  std::move(level->begin() + slot + 1, level->end(), level->begin() + slot);
  level->back() = Node{};
}

void MacroLibrary::ClearChildren(const MacroItemLocation& location) {
  if (Node* node = NodeAt(location, false)) node->children.reset();
}

void MacroLibrary::Clear() {
  for (Node& node : *top_) node = Node{};
}

int MacroLibrary::FirstFreeSlot(const MacroItemLocation& parent) const {
  const Level* level = ChildLevel(parent);
  if (level == nullptr) return (parent.stage == -1 || (IsSlotLocation(parent) && parent.stage < 2)) ? 0 : -1;
  for (int i = 0; i < kSlotsPerLevel; ++i) {
    if (!(*level)[static_cast<std::size_t>(i)].item.IsUsed()) return i;
  }
  return -1;
}

bool MacroLibrary::HasChildNamed(const MacroItemLocation& parent, std::u16string_view name, int exceptSlot) const {
  const Level* level = ChildLevel(parent);
  if (level == nullptr) return false;
  for (int i = 0; i < kSlotsPerLevel; ++i) {
    const MacroItem& item = (*level)[static_cast<std::size_t>(i)].item;
    if (i != exceptSlot && item.IsUsed() && item.name == name) return true;
  }
  return false;
}

void MacroLibrary::ForEachItem(const std::function<void(const MacroItemLocation&, const MacroItem&)>& visit) const {
  const Level& top = *top_;
  for (int i = 0; i < kSlotsPerLevel; ++i) {
    if (top[static_cast<std::size_t>(i)].item.IsUsed()) visit({0, i, 0, 0}, top[static_cast<std::size_t>(i)].item);
  }
  for (int i = 0; i < kSlotsPerLevel; ++i) {
    const Level* level1 = top[static_cast<std::size_t>(i)].children.get();
    if (level1 == nullptr) continue;
    for (int j = 0; j < kSlotsPerLevel; ++j) {
      const MacroItem& item = (*level1)[static_cast<std::size_t>(j)].item;
      if (item.IsUsed()) visit({1, i, j, 0}, item);
    }
  }
  for (int i = 0; i < kSlotsPerLevel; ++i) {
    const Level* level1 = top[static_cast<std::size_t>(i)].children.get();
    if (level1 == nullptr) continue;
    for (int j = 0; j < kSlotsPerLevel; ++j) {
      const Level* level2 = (*level1)[static_cast<std::size_t>(j)].children.get();
      if (level2 == nullptr) continue;
      for (int k = 0; k < kSlotsPerLevel; ++k) {
        const MacroItem& item = (*level2)[static_cast<std::size_t>(k)].item;
        if (item.IsUsed()) visit({2, i, j, k}, item);
      }
    }
  }
}

void MacroLibrary::ForEachInSubtree(const MacroItemLocation& location,
                                    const std::function<void(const MacroItemLocation&, const MacroItem&)>& visit) const {
  const MacroItem& item = Item(location);
  if (!item.IsUsed()) return;
  visit(NormalizedLocation(location), item);
  if (location.stage == 2) return;
  for (int i = 0; i < kSlotsPerLevel; ++i) ForEachInSubtree(ChildLocation(location, i), visit);
}

std::optional<MacroItemLocation> MacroLibrary::FindMacroByIndex(std::uint32_t index) const {
  std::optional<MacroItemLocation> found;
  ForEachItem([&](const MacroItemLocation& location, const MacroItem& item) {
    if (!found && item.IsMacro() && item.macro->index == index) found = location;
  });
  return found;
}

void MacroLibrary::CollapseAllFolders() {
  for (Node& node : *top_) {
    node.item.isOpen = false;
    if (!node.children) continue;
    for (Node& child : *node.children) child.item.isOpen = false;
  }
}

std::optional<std::uint32_t> MacroLibrary::TakeMacroIndex() {
  if (nextMacroIndex_ < 0 || nextMacroIndex_ == std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::uint32_t>(nextMacroIndex_++);
}

namespace {

void AppendRows(const MacroLibrary& library, const MacroItemLocation& parent, std::vector<MacroTreeRow>& rows) {
  for (int slot = 0; slot < kSlotsPerLevel; ++slot) {
    const MacroItemLocation location = ChildLocation(parent, slot);
    const MacroItem& item = library.Item(location);
    if (!item.IsUsed()) break;
    rows.push_back({location, location.stage, item.isFolder, item.isOpen, &item.name});
    if (item.isFolder && item.isOpen && location.stage < kLibraryStages - 1) AppendRows(library, location, rows);
  }
}

}  // namespace

std::vector<MacroTreeRow> VisibleTreeRows(const MacroLibrary& library) {
  std::vector<MacroTreeRow> rows;
  AppendRows(library, kNoLocation, rows);
  return rows;
}

int RowOf(const std::vector<MacroTreeRow>& rows, const MacroItemLocation& location) {
  const MacroItemLocation wanted = NormalizedLocation(location);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].location == wanted && IsSlotLocation(wanted)) return static_cast<int>(i);
  }
  return -1;
}

MacroLibrary& GlobalMacroLibrary() {
  static MacroLibrary library;
  return library;
}

MacroItemLocation& SelectedLocation() {
  static MacroItemLocation selected;
  return selected;
}

}  // namespace pelrin

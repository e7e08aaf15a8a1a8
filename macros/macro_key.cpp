// Editing operations and display texts of macros.
#include "macros/macro_key.h"

#include <algorithm>

#include "macros/key_tables.h"

namespace pelrin {
namespace {

std::u16string Ascii(const char* text) { return std::u16string(text, text + std::char_traits<char>::length(text)); }

std::u16string Decimal(std::uint32_t value) { return Ascii(std::to_string(value).c_str()); }

// "Move Right %d" / "Move Left %d" and friends: the number is the magnitude of the signed byte.
std::u16string SignedAmountText(std::uint8_t amount, const char* positive, const char* negative) {
  const bool isNegative = (amount & 0x80) != 0;
  const std::uint32_t magnitude = isNegative ? 256u - amount : amount;
  return Ascii(isNegative ? negative : positive) + Decimal(magnitude);
}

std::size_t CountOf(const MacroKey& macro) { return std::min<std::size_t>(macro.actionCount, kMaxMacroActions); }

}  // namespace

std::u16string ActionDisplayText(MacroAction action) {
  if (IsShownAsPause(action)) return Decimal(PauseMilliseconds(action)) + u"ms";
  const std::uint8_t amount = ActionByte(action, 3);
  switch (ActionCode(action)) {
    case kVkMouseMoveX: return SignedAmountText(amount, "Move Right ", "Move Left ");
    case kVkMouseMoveY: return SignedAmountText(amount, "Move Down ", "Move Up ");
    case kVkMouseWheel: return SignedAmountText(amount, "Wheel Down ", "Wheel Up ");
    default: return std::u16string(KeyName(ActionCode(action)));
  }
}

ActionIcon ActionIconOf(MacroAction action) {
  if (IsShownAsPause(action)) return ActionIcon::kPause;
  return IsRelease(action) ? ActionIcon::kRelease : ActionIcon::kPress;
}

MacroKey CreateMacroKey(std::u16string name) {
  MacroKey macro;
  macro.name = std::move(name);
  return macro;
}

bool InsertAction(MacroKey& macro, std::size_t position, MacroAction action) {
  if (macro.actionCount >= kMaxMacroActions) return false;
  const std::size_t count = macro.actionCount;
  position = std::min(position, count);
  std::copy_backward(macro.actions.begin() + static_cast<std::ptrdiff_t>(position),
                     macro.actions.begin() + static_cast<std::ptrdiff_t>(count),
                     macro.actions.begin() + static_cast<std::ptrdiff_t>(count + 1));
  macro.actions[position] = action;
  ++macro.actionCount;
  return true;
}

bool RemoveAction(MacroKey& macro, std::size_t position) {
  const std::size_t count = CountOf(macro);
  if (position >= count) return false;
  std::copy(macro.actions.begin() + static_cast<std::ptrdiff_t>(position + 1), macro.actions.end(),
            macro.actions.begin() + static_cast<std::ptrdiff_t>(position));
  macro.actions.back() = 0;
  macro.actionCount = static_cast<std::uint32_t>(count - 1);
  return true;
}

bool SetAction(MacroKey& macro, std::size_t position, MacroAction action) {
  if (position >= kMaxMacroActions) return false;
  macro.actions[position] = action;
  return true;
}

void CopyMacroKey(MacroKey& to, const MacroKey& from) {
  if (&to == &from) return;
  const std::size_t count = CountOf(from);
  to.name = from.name;
  to.index = from.index;
  to.loopType = from.loopType;
  to.loopCount = from.loopCount;
  to.commandCount = from.commandCount;
  to.actionCount = static_cast<std::uint32_t>(count);
  std::copy_n(from.actions.begin(), count, to.actions.begin());
  std::fill(to.actions.begin() + static_cast<std::ptrdiff_t>(count), to.actions.end(), 0u);
}

int LanguageEntryFor(ActionEditOutcome outcome) { return outcome == ActionEditOutcome::kTooManyEvents ? 237 : 0; }

ActionEditResult InsertStroke(MacroKey& macro, std::size_t position, std::uint8_t code) {
  // Two more events would pass the limit the mouse can hold.
  if (macro.commandCount > kMaxMacroEvents - 2) return {ActionEditOutcome::kTooManyEvents};
  if (macro.actionCount > kMaxMacroActions - 3) return {ActionEditOutcome::kNoRoom};
  position = std::min<std::size_t>(position, macro.actionCount);
  InsertAction(macro, position, MakePress(code));
  InsertAction(macro, position + 1, MakePause(kStrokePauseMs));
  InsertAction(macro, position + 2, MakeRelease(code));
  macro.commandCount = static_cast<std::uint8_t>(macro.commandCount + 2);
  return {ActionEditOutcome::kDone, static_cast<int>(position + 2)};
}

ActionEditResult DeleteAction(MacroKey& macro, std::size_t position) {
  if (position >= CountOf(macro)) return {ActionEditOutcome::kNotEditable};
  const bool wasEvent = ActionCode(macro.actions[position]) > 7;
  RemoveAction(macro, position);
  if (wasEvent && macro.commandCount > 0) --macro.commandCount;
  if (macro.actionCount == 0) return {ActionEditOutcome::kDone, -1};
  const std::size_t selected = position < macro.actionCount ? position : position - 1;
  return {ActionEditOutcome::kDone, static_cast<int>(selected)};
}

}  // namespace pelrin

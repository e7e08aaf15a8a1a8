// A macro: its name, identity, loop settings and up to 336 action words, with the operations that edit it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace pelrin {

// One action word; its bytes b0 (code), b1, b2, b3 are stored low byte first, so b0 is the low byte.
using MacroAction = std::uint32_t;

inline constexpr std::size_t kMaxMacroActions = 336;
inline constexpr unsigned kMaxMacroEvents = 168;  // non-pause actions a macro may hold
inline constexpr std::uint8_t kDelayCode = 3;     // b0 of a pause
inline constexpr std::uint8_t kReleaseFlag = 0x80;  // b1 of a key or button release
inline constexpr std::uint32_t kMaxEnteredPauseMs = 15300000;  // longest pause a user may type
inline constexpr std::uint32_t kMaxRecordedPauseMs = 4095;     // longest pause recording stores
inline constexpr std::uint32_t kStrokePauseMs = 50;            // between press and release of inserted strokes
inline constexpr std::uint32_t kDefaultPauseMs = 100;          // a newly inserted pause

inline constexpr std::uint8_t kLoopTypeOnce = 1;
inline constexpr std::uint8_t kLoopTypeCounted = 2;  // the only mode that uses loopCount
inline constexpr std::uint8_t kLoopTypeOther = 4;

struct MacroKey {
  std::u16string name;
  std::uint32_t index = 0;
  std::uint32_t actionCount = 0;
  std::array<MacroAction, kMaxMacroActions> actions{};
  std::uint8_t loopType = 2;
  std::uint8_t loopCount = 1;
  std::uint8_t commandCount = 0;

  friend bool operator==(const MacroKey&, const MacroKey&) = default;
};

// ---- Action words ----

constexpr MacroAction MakeAction(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
  return static_cast<MacroAction>(b0) | (static_cast<MacroAction>(b1) << 8) | (static_cast<MacroAction>(b2) << 16) |
         (static_cast<MacroAction>(b3) << 24);
}
constexpr std::uint8_t ActionByte(MacroAction action, int byte) {
  return static_cast<std::uint8_t>((action >> (8 * byte)) & 0xFF);
}
constexpr std::uint8_t ActionCode(MacroAction action) { return ActionByte(action, 0); }

// A pause of `milliseconds` (kept to the 24 bits the word holds), big-endian in b1..b3.
constexpr MacroAction MakePause(std::uint32_t milliseconds) {
  if (milliseconds > 0xFFFFFF) milliseconds = 0xFFFFFF;
  return MakeAction(kDelayCode, static_cast<std::uint8_t>(milliseconds >> 16), static_cast<std::uint8_t>(milliseconds >> 8),
                    static_cast<std::uint8_t>(milliseconds));
}
constexpr MacroAction MakePress(std::uint8_t code) { return MakeAction(code, 0, 0, 0); }
constexpr MacroAction MakeRelease(std::uint8_t code) { return MakeAction(code, kReleaseFlag, 0, 0); }

// The milliseconds of a pause word: b1..b3 as a big-endian number.
constexpr std::uint32_t PauseMilliseconds(MacroAction action) {
  return (static_cast<std::uint32_t>(ActionByte(action, 1)) << 16) | (static_cast<std::uint32_t>(ActionByte(action, 2)) << 8) |
         ActionByte(action, 3);
}

// Codes 0 to 7 are never keys: the action list shows and edits all of them as pauses, although only code 3
// is played back as one.
constexpr bool IsShownAsPause(MacroAction action) { return ActionCode(action) < 8; }
constexpr bool IsRelease(MacroAction action) { return (ActionByte(action, 1) & kReleaseFlag) != 0; }
// Mouse buttons, pointer movements and the wheel (codes 0xE0 to 0xE7): the action editor cannot change them.
constexpr bool IsMouseAction(MacroAction action) { return ActionCode(action) >= 0xE0 && ActionCode(action) <= 0xE7; }

// The text of an action in the action list ("100ms", "Move Left 5", "Wheel Up 1", a key name).
std::u16string ActionDisplayText(MacroAction action);

// The row icon of an action in the action list: a clock, an up arrow or a down arrow.
enum class ActionIcon { kPause, kRelease, kPress };
ActionIcon ActionIconOf(MacroAction action);

// ---- Editing a macro ----

// A new macro as created in the library: the given name and the defaults.
MacroKey CreateMacroKey(std::u16string name);

// Inserts at `position`; a position at or beyond the count appends. False, changing nothing, when the macro
// is full.
bool InsertAction(MacroKey& macro, std::size_t position, MacroAction action);
// Removes the action at `position`, moving the following ones down. False when there is no such action.
// Leaves commandCount alone: callers that remove an event adjust it.
bool RemoveAction(MacroKey& macro, std::size_t position);
// Replaces the action at a position below 336 without changing the count. False for a larger position.
bool SetAction(MacroKey& macro, std::size_t position, MacroAction action);
// Makes `to` a copy of `from`: name, index, loop settings, command count and the actions up to the count.
// Entries after the count are cleared, so no actions of an earlier, longer macro stay behind.
void CopyMacroKey(MacroKey& to, const MacroKey& from);

// What an insert command of the action editor did.
enum class ActionEditOutcome {
  kDone,
  kTooManyEvents,  // commandCount is above 166: shown as language entry 237
  kNoRoom,         // fewer free action entries than the command needs; the macro is unchanged
  kNotEditable,    // no such action, or a mouse action, which cannot be changed
};
struct ActionEditResult {
  ActionEditOutcome outcome = ActionEditOutcome::kDone;
  int selected = -1;  // the action to select afterwards, -1 for none (valid with kDone)
};
// Language entry that reports an outcome, 0 for none.
int LanguageEntryFor(ActionEditOutcome outcome);

// Inserts press, 50 ms pause and release of `code` (a mouse pseudo-key or any virtual key) at `position`
// (clamped to the count), adds two events, and selects the release.
ActionEditResult InsertStroke(MacroKey& macro, std::size_t position, std::uint8_t code);
// Removes an action; an event (code above 7) also lowers commandCount. Selects the row that takes its place
// (the one above when the last row was removed).
ActionEditResult DeleteAction(MacroKey& macro, std::size_t position);

}  // namespace pelrin

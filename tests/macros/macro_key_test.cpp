// Key tables, action words and the editing operations of a macro.
#include <gtest/gtest.h>

#include <algorithm>

#include "macros/key_tables.h"
#include "macros/macro_key.h"

namespace pelrin {
namespace {

TEST(KeyTables, NamesAtTheEdgesOfEachRun) {
  const std::pair<int, std::u16string_view> cases[] = {
      {0, u"Undefined"}, {255, u"Undefined"}, {7, u"Undefined"},  {188, u","},       {220, u"\\"},
      {48, u"0"},        {57, u"9"},          {65, u"A"},         {90, u"Z"},        {96, u"Num0"},
      {105, u"Num9"},    {112, u"F1"},        {135, u"F24"},      {136, u"Undefined"}, {224, u"L Key"},
      {231, u"Mouse Wheel"}, {232, u"Undefined"}, {33, u"Page Up"}, {165, u"Alt_R"},
  };
  for (const auto& [key, name] : cases) EXPECT_EQ(KeyName(static_cast<std::uint8_t>(key)), name) << key;
}

TEST(KeyTables, DeviceCodesAtTheEdgesOfEachRun) {
  const std::pair<int, int> cases[] = {
      {165, 230},  // right Alt: the packer turns it into modifier bit 64
      {7, 0},      {0, 0},    {255, 0},   {229, 245},  // Mouse X: movement event
      {14, 88},    {59, 41},  {48, 39},   {49, 30},  {57, 38},  {65, 4},    {90, 29},
      {96, 98},    {97, 89},  {105, 97},  {110, 99}, {108, 0},  {112, 58},  {123, 69}, {124, 0},
      {160, 225},  {162, 224}, {91, 227}, {92, 231}, {192, 53}, {222, 52},  {224, 240}, {231, 247},
      {240, 129},  {251, 145}, {252, 0},
  };
  for (const auto& [key, code] : cases) EXPECT_EQ(DeviceCode(static_cast<std::uint8_t>(key)), code) << key;
}

TEST(MacroAction, PauseWordIsBigEndianMilliseconds) {
  EXPECT_EQ(MakePause(100), MakeAction(0x03, 0x00, 0x00, 0x64));
  EXPECT_EQ(MakePause(50), MakeAction(0x03, 0x00, 0x00, 0x32));
  EXPECT_EQ(MakePause(kMaxEnteredPauseMs), MakeAction(0x03, 0xE9, 0x75, 0xA0));
  EXPECT_EQ(PauseMilliseconds(MakePause(kMaxEnteredPauseMs)), kMaxEnteredPauseMs);
}

TEST(MacroAction, DisplayTexts) {
  const std::pair<MacroAction, std::u16string> cases[] = {
      {MakePause(100), u"100ms"},
      {MakeAction(0x00, 0x00, 0x01, 0x00), u"256ms"},  // any code below 8 shows as a pause
      {MakeAction(0xE5, 0, 0, 0xFB), u"Move Left 5"},
      {MakeAction(0xE6, 0, 0, 0xFB), u"Move Up 5"},
      {MakeAction(0xE6, 0, 0, 0x05), u"Move Down 5"},
      {MakeAction(0xE5, 0, 0, 0x80), u"Move Left 128"},
      {MakeAction(0xE7, 0, 0, 0xFF), u"Wheel Up 1"},
      {MakeAction(0xE7, 0, 0, 0x02), u"Wheel Down 2"},
      {MakeRelease(0xE0), u"L Key"},
      {MakePress(0x41), u"A"},
      {MakePress(0xF0), u"Undefined"},
  };
  for (const auto& [action, text] : cases) EXPECT_EQ(ActionDisplayText(action), text) << std::hex << action;
  EXPECT_EQ(ActionIconOf(MakePause(5)), ActionIcon::kPause);
  EXPECT_EQ(ActionIconOf(MakeRelease(0x41)), ActionIcon::kRelease);
  EXPECT_EQ(ActionIconOf(MakePress(0x41)), ActionIcon::kPress);
}

MacroKey MacroWith(std::initializer_list<MacroAction> actions) {
  MacroKey macro = CreateMacroKey(u"m");
  for (MacroAction a : actions) InsertAction(macro, macro.actionCount, a);
  return macro;
}

TEST(MacroKeyEditing, InsertPositionsAndLimit) {
  MacroKey macro = MacroWith({1, 2, 3});
  ASSERT_TRUE(InsertAction(macro, 5, 9));  // beyond the end appends
  ASSERT_TRUE(InsertAction(macro, 0, 8));
  ASSERT_TRUE(InsertAction(macro, 2, 7));
  EXPECT_EQ(macro.actionCount, 6u);
  EXPECT_EQ((std::vector<MacroAction>(macro.actions.begin(), macro.actions.begin() + 7)),
            (std::vector<MacroAction>{8, 1, 7, 2, 3, 9, 0}));

  MacroKey full = CreateMacroKey(u"full");
  for (std::size_t i = 0; i < kMaxMacroActions; ++i) ASSERT_TRUE(InsertAction(full, 0, static_cast<MacroAction>(i + 1)));
  const MacroKey before = full;
  EXPECT_FALSE(InsertAction(full, 0, 0xAA));
  EXPECT_EQ(full, before);
}

TEST(MacroKeyEditing, RemoveShiftsDownAndClearsTheTail) {
  MacroKey macro = MacroWith({1, 2, 3});
  EXPECT_FALSE(RemoveAction(macro, 3));
  ASSERT_TRUE(RemoveAction(macro, 0));
  EXPECT_EQ(macro.actionCount, 2u);
  EXPECT_EQ(macro.actions[0], 2u);
  EXPECT_EQ(macro.actions[1], 3u);
  EXPECT_EQ(macro.actions[2], 0u);

  MacroKey single = MacroWith({5});
  ASSERT_TRUE(RemoveAction(single, 0));
  EXPECT_EQ(single, CreateMacroKey(u"m"));  // count 0, all 336 entries 0

  MacroKey fullMacro = CreateMacroKey(u"f");
  fullMacro.actionCount = kMaxMacroActions;
  fullMacro.actions.fill(7);
  ASSERT_TRUE(RemoveAction(fullMacro, 0));
  EXPECT_EQ(fullMacro.actions.back(), 0u);

  MacroKey corrupt = CreateMacroKey(u"c");
  corrupt.actionCount = 1000;  // never walked past the array
  EXPECT_FALSE(RemoveAction(corrupt, 500));
  EXPECT_FALSE(InsertAction(corrupt, 0, 1));
}

TEST(MacroKeyEditing, SetActionKeepsTheCount) {
  MacroKey macro = MacroWith({1});
  EXPECT_TRUE(SetAction(macro, 335, 4));
  EXPECT_FALSE(SetAction(macro, 336, 4));
  EXPECT_EQ(macro.actionCount, 1u);
  EXPECT_EQ(macro.actions[335], 4u);
}

TEST(MacroKeyEditing, CopyTakesTheCountedActionsAndClearsTheRest) {
  MacroKey longer = MacroWith({1, 2, 3, 4});
  MacroKey source = MacroWith({9});
  source.name = u"src";
  source.index = 42;
  source.loopType = 4;
  source.loopCount = 7;
  source.commandCount = 1;
  source.actions[100] = 0xDEAD;  // beyond the count: not copied
  CopyMacroKey(longer, source);
  MacroKey expected = source;
  expected.actions[100] = 0;
  EXPECT_EQ(longer, expected);
}

TEST(MacroKeyEditing, InsertStrokeLimitsAndPlacement) {
  MacroKey empty = CreateMacroKey(u"m");
  ActionEditResult result = InsertStroke(empty, 0, 0xE0);
  EXPECT_EQ(result.outcome, ActionEditOutcome::kDone);
  EXPECT_EQ(result.selected, 2);
  EXPECT_EQ(empty, [] {
    MacroKey m = MacroWith({MakeAction(0xE0, 0, 0, 0), MakeAction(0x03, 0, 0, 0x32), MakeAction(0xE0, 0x80, 0, 0)});
    m.commandCount = 2;
    return m;
  }());

  MacroKey two = MacroWith({MakePress(0x41), MakeRelease(0x41)});
  result = InsertStroke(two, 1, 0xE1);  // after action 0 is selected: positions 1 to 3
  EXPECT_EQ(result.selected, 3);
  EXPECT_EQ(two.actions[1], MakePress(0xE1));
  EXPECT_EQ(two.actions[4], MakeRelease(0x41));

  MacroKey at166 = CreateMacroKey(u"m");
  at166.commandCount = 166;
  EXPECT_EQ(InsertStroke(at166, 0, 0xE0).outcome, ActionEditOutcome::kDone);
  EXPECT_EQ(at166.commandCount, 168);
  MacroKey at167 = CreateMacroKey(u"m");
  at167.commandCount = 167;
  EXPECT_EQ(InsertStroke(at167, 0, 0xE0).outcome, ActionEditOutcome::kTooManyEvents);
  EXPECT_EQ(LanguageEntryFor(ActionEditOutcome::kTooManyEvents), 237);
  EXPECT_EQ(at167.actionCount, 0u);

  MacroKey nearlyFull = CreateMacroKey(u"m");
  nearlyFull.actionCount = kMaxMacroActions - 2;
  const MacroKey before = nearlyFull;
  EXPECT_EQ(InsertStroke(nearlyFull, 0, 0x41).outcome, ActionEditOutcome::kNoRoom);
  EXPECT_EQ(nearlyFull, before);
}

TEST(MacroKeyEditing, DeleteActionAdjustsEventsAndSelection) {
  MacroKey macro = CreateMacroKey(u"m");
  InsertStroke(macro, 0, 0x41);  // press, pause, release: two events
  EXPECT_EQ(DeleteAction(macro, 1).selected, 1);  // a pause: events unchanged
  EXPECT_EQ(macro.commandCount, 2);
  EXPECT_EQ(DeleteAction(macro, 1).selected, 0);  // the last row: selection moves up
  EXPECT_EQ(macro.commandCount, 1);
  EXPECT_EQ(DeleteAction(macro, 0).selected, -1);  // now empty
  EXPECT_EQ(macro.commandCount, 0);
  EXPECT_EQ(DeleteAction(macro, 0).outcome, ActionEditOutcome::kNotEditable);
}

}  // namespace
}  // namespace pelrin

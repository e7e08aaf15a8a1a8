// Synchronisation passes against the simulated mouse: only what differs is written, with the pauses the
// mouse needs.
#include <gtest/gtest.h>

#include "settings/language.h"
#include "tests/device/sync_fixture.h"

namespace pelrin {
namespace {

using testing::SyncFixture;
using Waits = std::vector<Milliseconds>;
constexpr Milliseconds k60{60};

using SyncPass = SyncFixture;

TEST_F(SyncPass, ConnectionWithAnUnchangedProfileSendsNothing) {
  sync.PrimeShadows();
  sync.MarkChanged(kKeysChanged | kSettingsChanged | kPowerChanged);
  sync.SuppressProgressOnce();
  const SyncOutcome outcome = sync.SyncSettings();
  EXPECT_TRUE(mouse.frames().empty());
  EXPECT_FALSE(outcome.written);
  EXPECT_FALSE(outcome.showProgress);
  EXPECT_TRUE(outcome.armDeferredSave);
  EXPECT_TRUE(outcome.refreshWindow);
  EXPECT_EQ(clock.waits(), Waits(6, k60));  // the six key positions are paced even when none is written
  EXPECT_EQ(sync.pending(), 0u);
}

TEST_F(SyncPass, OnlyThePollingRateChanged) {
  sync.PrimeShadows();
  model.profile.PollingRateValue[0] = 2;
  sync.MarkChanged(kSettingsChanged);
  const SyncOutcome outcome = sync.SyncSettings();
  ASSERT_EQ(mouse.frames().size(), 1u);
  EXPECT_EQ(FormatReportHex(mouse.frames()[0].bytes).substr(0, 23), "0C 01 07 00 01 01 01 02");
  EXPECT_EQ(mouse.state().pollingInterval, 2);
  EXPECT_EQ(clock.waits(), Waits{k60});
  EXPECT_TRUE(outcome.written);
  EXPECT_TRUE(outcome.showProgress);
  // The mouse holds it now: the same request again writes nothing.
  mouse.ClearFrames();
  sync.MarkChanged(kSettingsChanged);
  EXPECT_FALSE(sync.SyncSettings().written);
  EXPECT_TRUE(mouse.frames().empty());
}

TEST_F(SyncPass, EachChangeWritesItsOneCommandUnderItsFlag) {
  struct Case {
    const char* name;
    void (*edit)(ProfileRecord&);
    unsigned flag;
    Command command;
  } cases[] = {
      {"DPI value of stage 3", [](ProfileRecord& r) { r.XYSetting[2] = 40; }, kSettingsChanged, Command::kSetDpiStages},
      {"active stage", [](ProfileRecord& r) { r.CurrentDPILevelValue = 3; }, kSettingsChanged, Command::kSetDpiStages},
      {"colour of stage 8", [](ProfileRecord& r) { r.DPILevelIndication[7] = 0x123456; }, kSettingsChanged,
       Command::kSetDpiColours},
      {"lift height", [](ProfileRecord& r) { r.SetValue(kLiftDetectionHeight, u"1"); }, kSettingsChanged,
       Command::kSetLiftHeight},
      {"debounce", [](ProfileRecord& r) { r.SetValue(kKeyDebounce, u"8"); }, kSettingsChanged, Command::kSetDebounce},
      {"lighting mode", [](ProfileRecord& r) { r.Lighting1ModeValue[0] = 6; }, kSettingsChanged, Command::kSetLighting},
      {"lighting speed of the active mode", [](ProfileRecord& r) { r.Lighting1Speed[1] = 4; }, kSettingsChanged,
       Command::kSetLighting},
      {"sleep time", [](ProfileRecord& r) { r.SetValue(kPowerDownTime, u"9"); }, kPowerChanged,
       Command::kSetPowerSaving},
      {"lighting off while moving", [](ProfileRecord& r) { r.SetValue(kMoveLightingOnOffMode, u"1"); }, kPowerChanged,
       Command::kSetPowerSaving},
      {"motion wake", [](ProfileRecord& r) { r.SetValue(kMotionWakeup, u"0"); }, kMotionWakeChanged,
       Command::kSetMotionWake},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    model.profile = DefaultProfileRecord(0, 0x3325);
    sync.PrimeShadows();
    TakeCommands();
    c.edit(model.profile);
    // A flag that does not select the group leaves the change unwritten.
    sync.MarkChanged(kSystemChanged | (c.flag == kSettingsChanged ? kPowerChanged : kSettingsChanged));
    EXPECT_FALSE(sync.SyncSettings().written);
    EXPECT_TRUE(TakeCommands().empty());
    sync.MarkChanged(c.flag);
    EXPECT_TRUE(sync.SyncSettings().written);
    EXPECT_EQ(clock.waits(), Waits{k60});
    EXPECT_EQ(TakeCommands(), std::vector<Command>{c.command});
  }
}

TEST_F(SyncPass, SettingsGroupSendsInItsFixedOrder) {
  sync.PrimeShadows();
  ProfileRecord& r = model.profile;
  r.Lighting1ModeValue[0] = 0;
  r.SetValue(kKeyDebounce, u"4");
  r.SetValue(kLiftDetectionHeight, u"1");
  r.PollingRateValue[0] = 0;
  r.DPILevelIndication[0] = 0;
  r.XYSetting[0] = 0;
  sync.MarkChanged(kSettingsChanged);
  sync.SyncSettings();
  EXPECT_EQ(TakeCommands(), (std::vector<Command>{Command::kSetDpiStages, Command::kSetDpiColours,
                                                  Command::kSetPollingRate, Command::kSetLiftHeight,
                                                  Command::kSetDebounce, Command::kSetLighting}));
}

TEST_F(SyncPass, FramesArriveSixtyMillisecondsApart) {
  sync.PrimeShadows();
  model.profile.PollingRateValue[0] = 0;
  model.profile.SetValue(kKeyDebounce, u"4");
  sync.MarkChanged(kSettingsChanged);
  sync.SyncSettings();
  ASSERT_EQ(mouse.frames().size(), 2u);
  EXPECT_EQ(mouse.frames()[1].time - mouse.frames()[0].time, Microseconds(60000));
}

TEST_F(SyncPass, ButtonSlotThreeGoesToPositionFour) {
  sync.PrimeShadows();
  model.profile.keyAssignments[3].value = {0x20, 0x02, 0x00};
  sync.MarkChanged(kKeysChanged);
  sync.SyncSettings();
  ASSERT_EQ(mouse.frames().size(), 1u);
  EXPECT_EQ(FormatReportHex(mouse.frames()[0].bytes).substr(0, 32), "0C 01 04 00 01 01 04 04 20 02 00");
  EXPECT_EQ(mouse.state().keys[4], (std::array<std::uint8_t, 3>{0x20, 0x02, 0x00}));
  EXPECT_EQ(clock.waits(), Waits(6, k60));
}

TEST_F(SyncPass, WindowNoLongerShownDoesNothingAndKeepsTheFlags) {
  model.profile.PollingRateValue[0] = 0;
  sync.MarkChanged(kSettingsChanged);
  EXPECT_FALSE(sync.SyncSettings(/*windowShown=*/false).ran);
  EXPECT_TRUE(mouse.frames().empty());
  EXPECT_EQ(sync.pending(), kSettingsChanged);
}

TEST_F(SyncPass, MacrosAreNumberedInSlotOrderAndWrittenOnce) {
  model.AddMacro(0, 70, 2, /*loopType=*/2, /*loopCount=*/5);
  model.AddMacro(1, 71, 3, /*loopType=*/1);
  model.Bind(1, 71);
  model.Bind(4, 70);
  model.Bind(5, 71);
  // Priming takes the key image before numbering: the numbered values are still to be written.
  sync.PrimeShadows();
  EXPECT_EQ(model.profile.keyAssignments[1].value, (AssignmentValue{0x90, 0x11, 0x00}));
  EXPECT_EQ(model.profile.keyAssignments[4].value, (AssignmentValue{0x90, 0x22, 0x05}));
  EXPECT_EQ(model.profile.keyAssignments[5].value, (AssignmentValue{0x90, 0x11, 0x00}));

  // A new macro image under an existing number: written once although two slots hold it.
  model.library.MutableItem({0, 1, 0, 0})->macro->actionCount = 0;
  sync.RefreshMacroCopiesOnNextNumbering();
  sync.MarkChanged(kKeysChanged);
  const SyncOutcome outcome = sync.SyncSettings();
  EXPECT_TRUE(outcome.written);
  EXPECT_EQ(TakeCommands(), (std::vector<Command>{Command::kSetKeyAssignment, Command::kSetKeyAssignment,
                                                  Command::kSetKeyAssignment, Command::kWriteMacro}));
  EXPECT_TRUE(mouse.state().macros.at(1).empty());
  EXPECT_EQ(model.profile.keyAssignments[5].macro.actionCount, 0u);

  // Six key positions, then 60 ms per macro slot, plus one per packet sent.
  sync.MarkChanged(kKeysChanged);
  sync.SyncSettings();
  EXPECT_EQ(clock.waits(), Waits(9, k60));
  EXPECT_TRUE(TakeCommands().empty());
}

TEST_F(SyncPass, MacroWrittenAfterTheDeviceArrives) {
  model.AddMacro(0, 70, 4);
  transport.Plug(DeviceKind::kReceiver, false);
  sync.PrimeShadows();
  model.Bind(2, 70);
  model.profile.PollingRateValue[0] = 1;
  sync.MarkChanged(kKeysChanged | kSettingsChanged);
  EXPECT_FALSE(sync.SyncSettings().written);
  EXPECT_EQ(channel.sequence().Peek(), 1);  // nothing was even built

  transport.Plug(DeviceKind::kReceiver, true);
  sync.MarkChanged(kKeysChanged | kSettingsChanged | kPowerChanged);
  sync.SuppressProgressOnce();
  const SyncOutcome outcome = sync.SyncSettings();
  EXPECT_TRUE(outcome.written);
  EXPECT_FALSE(outcome.showProgress);
  EXPECT_EQ(TakeCommands(), (std::vector<Command>{Command::kSetKeyAssignment, Command::kSetPollingRate,
                                                  Command::kWriteMacro}));
  EXPECT_EQ(mouse.state().macros.at(1).size(), 8u * 3u);
  EXPECT_EQ(mouse.state().keys[2], (std::array<std::uint8_t, 3>{0x90, 0x21, 0x03}));
}

TEST_F(SyncPass, MacroMissingFromTheLibraryDisablesTheButton) {
  Language().Set(kDisabledButtonNameEntry, u"Disabled");
  model.AddMacro(0, 70, 1);
  model.Bind(0, 70);
  sync.PrimeShadows();
  model.library.Erase({0, 0, 0, 0});
  sync.MarkChanged(kKeysChanged);
  sync.SyncSettings();
  EXPECT_EQ(model.profile.keyAssignments[0].name, u"Disabled");
  EXPECT_EQ(model.profile.keyAssignments[0].value, (AssignmentValue{0, 0, 0}));
  EXPECT_EQ(TakeCommands(), std::vector<Command>{Command::kSetKeyAssignment});
  EXPECT_EQ(mouse.state().keys[0], (std::array<std::uint8_t, 3>{0, 0, 0}));
}

TEST_F(SyncPass, LongMacroIsCutTheSameWayEveryPass) {
  MacroKey& macro = model.AddMacro(0, 70, 0);
  for (int i = 0; i < 84; ++i) {  // 168 events
    macro.actions[macro.actionCount++] = MakePress(0x41);
    macro.actions[macro.actionCount++] = MakeRelease(0x41);
  }
  model.Bind(0, 70);
  sync.MarkChanged(kKeysChanged);
  const SyncOutcome first = sync.SyncSettings();
  EXPECT_EQ(first.droppedMacroEvents, 168 - kMaxSentMacroEvents);
  EXPECT_EQ(mouse.state().macros.at(1).size(), 3 * kMaxSentMacroEvents);
  TakeCommands();
  sync.MarkChanged(kKeysChanged);
  sync.SyncSettings();
  EXPECT_TRUE(TakeCommands().empty());
}

}  // namespace
}  // namespace pelrin

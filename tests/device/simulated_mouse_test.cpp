// The simulated mouse keeps what the frames set, answers status requests and acts like its buttons.
#include <gtest/gtest.h>

#include "device/encoding.h"
#include "device/report_channel.h"
#include "device/sim/simulated_mouse.h"
#include "settings/profile_defaults.h"

namespace pelrin {
namespace {

struct SimFixture : ::testing::Test {
  ManualClock clock;
  SimulatedMouse mouse{clock};
  SimulatedTransport transport{mouse, false, true};
  ReportChannel channel{transport, clock};
};

using SimulatedMouseTest = SimFixture;

TEST_F(SimulatedMouseTest, FactoryStateIsWhatTheDefaultProfileEncodesTo) {
  const ProfileRecord defaults = DefaultProfileRecord(0, 0x3325);
  DpiTable table;
  BuildDpiTable(0x3325, table);
  const SimulatedMouseState& s = mouse.state();
  const KeyImage keys = EncodeKeyImage(defaults);
  for (std::size_t p = 0; p < 6; ++p) {
    EXPECT_EQ(s.keys[p], (std::array<std::uint8_t, 3>{keys[2 + 3 * p], keys[3 + 3 * p], keys[4 + 3 * p]})) << p;
  }
  const DpiBlock block = EncodeDpiBlock(defaults, table);
  EXPECT_TRUE(std::equal(block.begin(), block.end(), s.dpiStages.begin()));
  EXPECT_EQ(s.dpiColours, EncodeDpiColours(defaults));
  EXPECT_EQ(s.pollingInterval, EncodePollingImage(defaults));
  EXPECT_EQ(s.liftHeight, EncodeLiftImage(defaults));
  EXPECT_EQ(s.debounce, EncodeDebounceImage(defaults));
  const LightingBlock lighting = EncodeLightingBlock(defaults);
  EXPECT_EQ(s.lighting, std::vector<std::uint8_t>(lighting.begin() + 1, lighting.begin() + 1 + lighting[0]));
  EXPECT_EQ(s.powerSaving, EncodePowerImage(defaults));
  EXPECT_EQ(s.motionWake, EncodeMotionWakeImage(defaults));
}

TEST_F(SimulatedMouseTest, KeepsWhatFramesSetAndReassemblesMacros) {
  SequenceCounter& seq = channel.sequence();
  ProfileRecord r = DefaultProfileRecord(0, 0x3325);
  r.keyAssignments[3].value = {0x20, 0x04, 0x00};
  r.PollingRateValue[0] = 1;
  channel.SendFrame(KeyAssignmentFrame(EncodeKeyImage(r), 4, seq));
  channel.SendFrame(PollingRateFrame(EncodePollingImage(r), seq));
  MacroKey macro;
  for (int i = 0; i < 40; ++i) macro.actions[macro.actionCount++] = 0x41u | (i % 2 == 0 ? 0u : 0x8000u);
  const MacroEncoding encoded = EncodeMacroImage(macro, 2);
  for (const Report& packet : MacroPackets(encoded.image, seq)) channel.SendFrame(packet);
  channel.SendFrame(BuildFrame(Command::kWriteMacro, 0x01, 1, seq));  // empty macro 0

  EXPECT_EQ(mouse.state().keys[4], (std::array<std::uint8_t, 3>{0x20, 0x04, 0x00}));
  EXPECT_EQ(mouse.state().pollingInterval, 4);
  ASSERT_EQ(mouse.state().macros.count(2), 1u);
  EXPECT_EQ(mouse.state().macros.at(2),
            std::vector<std::uint8_t>(encoded.image.begin() + 4, encoded.image.begin() + 4 + 3 * 40));
  EXPECT_TRUE(mouse.state().macros.at(0).empty());
  EXPECT_EQ(mouse.frames().size(), 2u + 5u + 1u);  // 120 event bytes: five packets
  EXPECT_EQ(mouse.frames().front().via, DeviceKind::kReceiver);

  channel.SendFactoryReset();
  EXPECT_EQ(mouse.state(), FactoryMouseState());
  EXPECT_EQ(mouse.factoryResets(), 1);
}

TEST_F(SimulatedMouseTest, ButtonsCycleAmongEnabledStagesAndPollingRates) {
  mouse.mutable_state().dpiStages[0] = 0x23;  // three enabled, second active
  mouse.mutable_state().dpiStages[1] = 0x15;
  std::vector<int> stages;
  for (int i = 0; i < 3; ++i) {
    const Report report = mouse.PressDpiButton();
    EXPECT_EQ(report[0], 5);
    EXPECT_EQ(report[1], 6);
    stages.push_back(report[4]);
  }
  EXPECT_EQ(stages, (std::vector<int>{3, 1, 2}));
  std::vector<int> intervals;
  for (int i = 0; i < 4; ++i) intervals.push_back(mouse.PressPollingButton()[3]);
  EXPECT_EQ(intervals, (std::vector<int>{8, 4, 2, 1}));
}

TEST_F(SimulatedMouseTest, StatusExchangeRetriesOnceAfterAnEmptyReply) {
  mouse.SetSensorByte(96);
  mouse.SetBattery(55, 1);
  mouse.AnswerEmpty(1);
  const std::optional<Report> reply = channel.QueryStatus();
  ASSERT_TRUE(reply);
  EXPECT_EQ((*reply)[2], 0x20);
  EXPECT_EQ((*reply)[15], 96);
  EXPECT_EQ((*reply)[18], 55);
  EXPECT_EQ((*reply)[19], 1);
  ASSERT_EQ(mouse.frames().size(), 2u);
  EXPECT_EQ(mouse.frames()[1].bytes[kSequenceByte], 2);  // a new frame with the next sequence number
  EXPECT_EQ(clock.waits(), (std::vector<Milliseconds>{kStatusReadDelay, kStatusReadDelay}));

  mouse.AnswerEmpty(2);
  EXPECT_FALSE(channel.QueryStatus());
  transport.FailTransfers(1);
  EXPECT_FALSE(channel.QueryStatus());
  transport.Plug(DeviceKind::kReceiver, false);
  mouse.ClearFrames();
  EXPECT_FALSE(channel.QueryStatus());
  EXPECT_TRUE(mouse.frames().empty());
}

TEST(WriteHandle, WiredWhenOpenElseReceiver) {
  ManualClock clock;
  SimulatedMouse mouse{clock};
  SimulatedTransport both{mouse, true, true};
  ReportChannel channel{both, clock};
  channel.SendFactoryReset();
  both.Plug(DeviceKind::kWired, false);
  channel.SendFactoryReset();
  both.Plug(DeviceKind::kReceiver, false);
  EXPECT_FALSE(channel.SendFactoryReset());
  ASSERT_EQ(mouse.frames().size(), 2u);
  EXPECT_EQ(mouse.frames()[0].via, DeviceKind::kWired);
  EXPECT_EQ(mouse.frames()[1].via, DeviceKind::kReceiver);
  EXPECT_EQ(channel.sequence().Peek(), 3);  // the frame is built only when a handle is open
}

}  // namespace
}  // namespace pelrin

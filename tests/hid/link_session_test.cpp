// The link with its timers, synchronisation and status handling, against the mouse's firmware model.
#include "device/link/link_session.h"

#include <gtest/gtest.h>
#include <poll.h>

#include "device/frame.h"
#include "device/hid/simulated_mouse_firmware.h"
#include "settings/profile_defaults.h"
#include "tests/hid/link_fixture.h"

namespace pelrin::device::testing {
namespace {

using hid::SimulatedDevice;

struct Model : SyncModel, SensorSettings {
  Model() { BuildDpiTable(0x3325, table); }
  ProfileRecord& ActiveProfile() override { return profile; }
  const DpiTable& DpiTableInForce() const override { return table; }
  const MacroLibrary& Library() const override { return library; }
  std::uint16_t SensorInForce() const override { return sensor; }
  void SwitchSensor(std::uint16_t code) override { sensor = code; }

  ProfileRecord profile = DefaultProfileRecord(0, 0x3325);
  DpiTable table;
  MacroLibrary library;
  std::uint16_t sensor = 0x3325;
};

class LinkSessionTest : public ::testing::Test {
 protected:
  LinkSessionTest() { backend.SetFirmware(&firmware); }

  std::vector<Command> TakeCommands() {
    return firmware.WithMouse([](SimulatedMouse& m) {
      std::vector<Command> commands;
      for (const RecordedFrame& frame : m.frames()) commands.push_back(static_cast<Command>(frame.bytes[2]));
      m.ClearFrames();
      return commands;
    });
  }
  // What the window's timers would do over `duration`, a tick at a time.
  void Elapse(Milliseconds duration) {
    for (Milliseconds step{0}; step < duration; step += Milliseconds{10}) {
      clock.Advance(Milliseconds{10});
      session.RunDueTimers();
    }
  }
  void Started(std::initializer_list<SimulatedDevice> devices) {
    for (SimulatedDevice device : devices) backend.Plug(device);
    session.Start();
    ASSERT_TRUE(WaitUntil([&] { return backend.BlockedReaders() == static_cast<int>(devices.size()); }));
    Elapse(Milliseconds{100});
  }

  ManualClock clock;
  SimulatedMouse mouse{clock};
  hid::SimulatedBackend backend;
  hid::SimulatedMouseFirmware firmware{mouse, backend};
  Model model;
  std::vector<SyncOutcome> passes;
  std::vector<ButtonChange> changes;
  int endings = 0;
  LinkSession session{backend, clock, model, model,
                      SessionEvents{.buttonChange = [this](const ButtonChange& c) { changes.push_back(c); },
                                    .status = {},
                                    .pass = [this](const SyncOutcome& o) { passes.push_back(o); },
                                    .save = {},
                                    .lastDeviceRemoved = [this] { ++endings; }}};
};

TEST_F(LinkSessionTest, AConnectionWithAnUnchangedProfileAsksForStatusAndWritesNothing) {
  Started({SimulatedDevice::kReceiver});
  EXPECT_EQ(TakeCommands(), std::vector<Command>{Command::kGetStatus});
  ASSERT_EQ(passes.size(), 1u);
  EXPECT_FALSE(passes[0].written);
  EXPECT_FALSE(passes[0].showProgress);
}

TEST_F(LinkSessionTest, AnUnrelatedDeviceArrivingRunsAPassThatWritesNothing) {
  Started({SimulatedDevice::kReceiver});
  TakeCommands();
  passes.clear();
  backend.Plug(SimulatedDevice::kUnrelated);
  session.link().HandleDeviceEvents();
  Elapse(Milliseconds{100});
  ASSERT_EQ(passes.size(), 1u);
  EXPECT_FALSE(passes[0].written);
  EXPECT_TRUE(TakeCommands().empty());
}

TEST_F(LinkSessionTest, ADpiButtonPressIsTakenOverAndNotWrittenBack) {
  Started({SimulatedDevice::kWired});
  TakeCommands();
  ASSERT_TRUE(firmware.PressDpiButton());
  pollfd fd{session.link().InputChangeFd(), POLLIN, 0};
  ASSERT_EQ(poll(&fd, 1, 10000), 1);
  session.link().DispatchInputChanges();

  ASSERT_EQ(changes.size(), 1u);
  const std::uint8_t stage = firmware.WithMouse([](SimulatedMouse& m) { return m.state().dpiStages[0]; }) >> 4;
  EXPECT_EQ(model.profile.CurrentDPILevelValue, stage - 1);
  // The shadows now hold the new stage: a full pass afterwards sends nothing.
  session.RequestSync(kKeysChanged | kSettingsChanged | kPowerChanged | kMotionWakeChanged);
  Elapse(Milliseconds{500});
  EXPECT_TRUE(TakeCommands().empty());
}

TEST_F(LinkSessionTest, AChangedSettingGoesToTheWiredMouseWhileBothArePlugged) {
  Started({SimulatedDevice::kReceiver, SimulatedDevice::kWired});
  TakeCommands();
  model.profile.PollingRateValue = {2, 0, 0};
  session.RequestSync(kSettingsChanged);
  Elapse(Milliseconds{200});
  const auto frames = firmware.WithMouse([](SimulatedMouse& m) { return m.frames(); });
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].via, DeviceKind::kWired);
  EXPECT_EQ(frames[0].bytes[2], static_cast<std::uint8_t>(Command::kSetPollingRate));
}

TEST_F(LinkSessionTest, UnpluggingTheLastDeviceEndsTheSessionAndAPendingPassDoesNothing) {
  Started({SimulatedDevice::kReceiver});
  TakeCommands();
  model.profile.PollingRateValue = {2, 0, 0};
  session.RequestSync(kSettingsChanged);
  backend.Unplug(SimulatedDevice::kReceiver);
  session.link().HandleDeviceEvents();
  EXPECT_EQ(endings, 1);
  EXPECT_TRUE(session.ended());
  Elapse(Milliseconds{100});
  EXPECT_TRUE(TakeCommands().empty());
}

}  // namespace
}  // namespace pelrin::device::testing

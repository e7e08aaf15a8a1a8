// The link in front of the mouse's firmware model: frames reach the model through the write handle,
// and the model's button presses come back as input changes.
#include <gtest/gtest.h>
#include <poll.h>

#include "device/frame.h"
#include "device/hid/simulated_mouse_firmware.h"
#include "device/report_channel.h"
#include "tests/hid/link_fixture.h"

namespace pelrin::device::testing {
namespace {

using hid::SimulatedDevice;

TEST(SimulatedMouseLink, FramesFollowTheWriteHandleAndButtonPressesComeBack) {
  ManualClock clock;
  SimulatedMouse mouse(clock);
  hid::SimulatedBackend backend;
  hid::SimulatedMouseFirmware firmware(mouse, backend);
  backend.SetFirmware(&firmware);
  RecordingHost host;
  DeviceLink link(backend, host);
  ReportChannel channel(link, clock);
  link.RegisterForDeviceChanges();

  backend.Plug(SimulatedDevice::kReceiver);
  backend.Plug(SimulatedDevice::kWired);
  link.HandleDeviceEvents();
  ASSERT_TRUE(WaitUntil([&] { return backend.BlockedReaders() == 2; }));

  channel.SendConfigurationFrame(BuildFrame(Command::kSetPollingRate, std::array<std::uint8_t, 1>{2}, channel.sequence()));
  backend.Unplug(SimulatedDevice::kWired);
  link.HandleDeviceEvents();
  channel.SendConfigurationFrame(BuildFrame(Command::kSetPollingRate, std::array<std::uint8_t, 1>{4}, channel.sequence()));

  const auto frames = firmware.WithMouse([](SimulatedMouse& m) { return m.frames(); });
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].via, DeviceKind::kWired);
  EXPECT_EQ(frames[1].via, DeviceKind::kReceiver);
  EXPECT_EQ(firmware.WithMouse([](SimulatedMouse& m) { return m.state().pollingInterval; }), 4);

  // The cable is gone: the press travels through the receiver's reader.
  ASSERT_TRUE(firmware.PressDpiButton());
  pollfd fd{link.InputChangeFd(), POLLIN, 0};
  ASSERT_EQ(poll(&fd, 1, 10000), 1);
  link.DispatchInputChanges();
  ASSERT_EQ(host.changes.size(), 1u);
  EXPECT_EQ(host.changes[0].device, DeviceKind::kReceiver);
  EXPECT_EQ(host.changes[0].pollingInterval, 4);
}

}  // namespace
}  // namespace pelrin::device::testing

// Plugging and unplugging a thousand times with readers running: no crash, no thread or descriptor left.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "tests/hid/link_fixture.h"

namespace pelrin::device::testing {
namespace {

using hid::SimulatedDevice;

int Entries(const char* folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

TEST(LinkSoak, ThousandPlugCyclesLeaveNoThreadHandleOrDescriptor) {
  // A sanitizer runtime may start a helper thread with the first thread it sees; let it do so now.
  std::thread([] {}).join();
  const int threadsBefore = Entries("/proc/self/task");
  const int fdsBefore = Entries("/proc/self/fd");
  int endings = 0;
  {
    RecordingFirmware firmware;
    hid::SimulatedBackend backend{&firmware};
    RecordingHost host;
    DeviceLink link{backend, host};
    link.RegisterForDeviceChanges();
    std::vector<std::uint8_t> report(33, 0);
    report[0] = 5;
    report[1] = 6;

    for (int cycle = 0; cycle < 1000; ++cycle) {
      // Alternate the two devices and the order of unplugging so that every path is taken, and
      // sometimes unplug before the new reader has even opened its interface.
      const auto first = cycle % 2 == 0 ? SimulatedDevice::kWired : SimulatedDevice::kReceiver;
      const auto second = cycle % 2 == 0 ? SimulatedDevice::kReceiver : SimulatedDevice::kWired;
      // Every fifth cycle starts from quiet readers, so the new ones surely get to block in a read.
      const bool settle = cycle % 5 == 0;
      if (settle) {
        ASSERT_TRUE(WaitUntil([&] {
          return !link.ReaderBusy(DeviceKind::kWired) && !link.ReaderBusy(DeviceKind::kReceiver);
        }));
      }
      backend.Plug(first);
      link.HandleDeviceEvents();
      if (cycle % 3 == 0) {
        backend.Plug(second);
        link.HandleDeviceEvents();
      }
      if (settle) {
        ASSERT_TRUE(WaitUntil([&] { return backend.BlockedReaders() > 0; }));
      }
      backend.SendInputReport(first, report);
      link.ConnectionTick();
      link.DispatchInputChanges();
      if (cycle % 7 == 0) backend.BreakInputHandles(first);
      backend.Unplug(first);
      link.HandleDeviceEvents();
      backend.Unplug(second);
      link.HandleDeviceEvents();
      if (link.devicePresent != 0) ADD_FAILURE() << "a device stays present after cycle " << cycle;
    }
    endings = host.lastDeviceRemoved;
  }
  EXPECT_EQ(endings, 1000);
  EXPECT_EQ(Entries("/proc/self/task"), threadsBefore);
  EXPECT_EQ(Entries("/proc/self/fd"), fdsBefore);
}

}  // namespace
}  // namespace pelrin::device::testing

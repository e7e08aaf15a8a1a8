// A device link over the simulated backend, with a host and a firmware that record what reaches them.
#pragma once

#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "device/hid/simulated_backend.h"
#include "device/link/device_link.h"

namespace pelrin::device::testing {

struct RecordingHost : DeviceLinkHost {
  int syncRequests = 0;
  int timerStarts = 0;
  int statusQueries = 0;
  int batteryShows = 0;
  int refreshes = 0;
  int lastDeviceRemoved = 0;
  std::vector<InputChange> changes;

  void RequestDiscoverySync() override { ++syncRequests; }
  void StartConnectionTimer() override { ++timerStarts; }
  void QueryStatus() override { ++statusQueries; }
  void ShowBattery() override { ++batteryShows; }
  void RefreshWindow() override { ++refreshes; }
  void LastDeviceRemoved() override { ++lastDeviceRemoved; }
  void HandleInputChange(const InputChange& change) override { changes.push_back(change); }
};

struct Frame {
  hid::SimulatedDevice via;
  std::vector<std::uint8_t> bytes;
};

// Records feature reports; called from the main thread only, but locked so tests may read it anywhere.
struct RecordingFirmware : hid::SimulatedFirmware {
  std::mutex mutex;
  std::vector<Frame> frames;
  bool SetFeature(hid::SimulatedDevice via, std::span<const std::uint8_t> report) override {
    std::lock_guard lock(mutex);
    frames.push_back({via, {report.begin(), report.end()}});
    return true;
  }
  bool GetFeature(hid::SimulatedDevice, std::span<std::uint8_t>) override { return true; }
  std::vector<Frame> Frames() {
    std::lock_guard lock(mutex);
    return frames;
  }
};

// Readers run on their own threads; wait for them with a generous limit rather than a fixed sleep.
template <typename Predicate>
bool WaitUntil(Predicate predicate) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!predicate()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

class LinkTest : public ::testing::Test {
 protected:
  // Plugs, lets the link handle the arrival events, and waits until the device's reader is reading.
  void PlugAndSettle(hid::SimulatedDevice device) {
    const int before = backend.BlockedReaders();
    backend.Plug(device);
    link.HandleDeviceEvents();
    if (device != hid::SimulatedDevice::kUnrelated) {
      ASSERT_TRUE(WaitUntil([&] { return backend.BlockedReaders() > before; }));
    }
  }
  void Unplug(hid::SimulatedDevice device) {
    backend.Unplug(device);
    link.HandleDeviceEvents();
  }
  // Waits for the reader to pass the change on, then hands it to the host as the main loop would.
  bool DispatchWhenReady() {
    pollfd fd{link.InputChangeFd(), POLLIN, 0};
    if (poll(&fd, 1, 10000) != 1) return false;
    link.DispatchInputChanges();
    return true;
  }

  RecordingFirmware firmware;
  hid::SimulatedBackend backend{&firmware};
  RecordingHost host;
  DeviceLink link{backend, host};
};

}  // namespace pelrin::device::testing

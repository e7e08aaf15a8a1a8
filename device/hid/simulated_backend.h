// A HidBackend with no hardware behind it: the mouse's wired and receiver devices as HID interfaces that
// tests and `pelrinctl --simulate` plug, unplug and feed with input reports.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "device/hid/hid_backend.h"

namespace pelrin::hid {

enum class SimulatedDevice { kWired, kReceiver, kUnrelated };

// What answers the feature reports that reach the simulated mouse, through either device.
// Called on the thread that transfers, never with a lock of the backend held.
class SimulatedFirmware {
 public:
  virtual ~SimulatedFirmware() = default;
  virtual bool SetFeature(SimulatedDevice via, std::span<const std::uint8_t> report) = 0;
  virtual bool GetFeature(SimulatedDevice via, std::span<std::uint8_t> report) = 0;
};

// The report descriptors the simulated devices present; each device of the mouse has a mouse
// interface, a keyboard interface, an interface with input report 5 and feature report 0x0C
// (both 33 bytes: used for reading only) and a feature-only interface with report 0x0C.
std::vector<std::vector<std::uint8_t>> SimulatedDescriptors(SimulatedDevice device);

class SimulatedBackend final : public HidBackend {
 public:
  // `firmware` may be null: feature reports then succeed and read back zeros after the id.
  explicit SimulatedBackend(SimulatedFirmware* firmware = nullptr);
  ~SimulatedBackend() override;

  // Plugging adds the device's interfaces at the end of the enumeration with fresh paths (as a
  // kernel numbers new nodes) and queues arrival events; unplugging removes them, queues removal
  // events and makes every handle open on them fail. Both do nothing when already in that state.
  void Plug(SimulatedDevice device);
  void Unplug(SimulatedDevice device);
  bool IsPlugged(SimulatedDevice device) const;

  // Delivers an input report to every handle open on the device's input interface.
  // Returns false when the device is not plugged.
  bool SendInputReport(SimulatedDevice device, std::span<const std::uint8_t> report);
  // Breaks the handles open on the device's input interface (their reads fail) while the device stays.
  void BreakInputHandles(SimulatedDevice device);
  // When set, Open fails with EACCES for the mouse's interfaces, as without the udev rule.
  void DenyOpen(bool deny);

  // Handles currently open (to catch leaks) and readers currently blocked in ReadInputReport.
  int OpenHandles() const;
  int BlockedReaders() const;

  std::vector<HidInterfaceInfo> Enumerate() override;
  OpenResult Open(const std::string& path) override;
  int EventFd() override;
  std::vector<HidEvent> TakeEvents() override;

  struct Interface;
  struct Counters {
    std::atomic<int> openHandles{0};
    std::atomic<int> blockedReaders{0};
  };

 private:
  SimulatedFirmware* firmware_;
  mutable std::mutex mutex_;
  std::vector<std::shared_ptr<Interface>> interfaces_;
  std::vector<HidEvent> events_;
  int nextNode_ = 0;
  bool denyOpen_ = false;
  int eventFd_ = -1;
  std::shared_ptr<Counters> counters_;
};

}  // namespace pelrin::hid

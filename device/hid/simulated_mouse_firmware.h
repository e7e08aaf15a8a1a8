// The mouse's firmware model behind the simulated HID devices: what `--simulate` and the link tests talk to.
#pragma once

#include <functional>
#include <mutex>

#include "device/hid/simulated_backend.h"
#include "device/sim/simulated_mouse.h"

namespace pelrin::hid {

class SimulatedMouseFirmware final : public SimulatedFirmware {
 public:
  // Both must outlive this object; `backend` is the one the firmware sits behind.
  SimulatedMouseFirmware(SimulatedMouse& mouse, SimulatedBackend& backend) : mouse_(mouse), backend_(backend) {}

  // Called with every feature report the mouse receives, in order (for --simulate-log).
  void OnReceived(std::function<void(DeviceKind, const Report&)> observer) { observer_ = std::move(observer); }

  bool SetFeature(SimulatedDevice via, std::span<const std::uint8_t> report) override;
  bool GetFeature(SimulatedDevice via, std::span<std::uint8_t> report) override;

  // The mouse's own buttons: the mouse changes its state and sends input report 5 of type 6 over
  // the cable when plugged, else through the receiver. False when neither is plugged.
  bool PressDpiButton();
  bool PressPollingButton();

  // Runs `action` on the model with the firmware's lock held (the model is not thread-safe).
  template <typename Action>
  auto WithMouse(Action&& action) {
    std::lock_guard lock(mutex_);
    return action(mouse_);
  }

 private:
  bool Deliver(const Report& report);

  std::mutex mutex_;
  SimulatedMouse& mouse_;
  SimulatedBackend& backend_;
  std::function<void(DeviceKind, const Report&)> observer_;
};

}  // namespace pelrin::hid

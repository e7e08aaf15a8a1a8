// Feature reports in and input reports out between the simulated HID devices and the firmware model.
#include "device/hid/simulated_mouse_firmware.h"

#include <algorithm>

namespace pelrin::hid {
namespace {

DeviceKind KindOf(SimulatedDevice device) {
  return device == SimulatedDevice::kWired ? DeviceKind::kWired : DeviceKind::kReceiver;
}

}  // namespace

bool SimulatedMouseFirmware::SetFeature(SimulatedDevice via, std::span<const std::uint8_t> report) {
  if (via == SimulatedDevice::kUnrelated || report.size() != kReportSize) return false;
  Report copy{};
  std::copy(report.begin(), report.end(), copy.begin());
  std::function<void(DeviceKind, const Report&)> observer;
  {
    std::lock_guard lock(mutex_);
    mouse_.ReceiveFeature(KindOf(via), copy);
    observer = observer_;
  }
  if (observer) observer(KindOf(via), copy);
  return true;
}

bool SimulatedMouseFirmware::GetFeature(SimulatedDevice via, std::span<std::uint8_t> report) {
  if (via == SimulatedDevice::kUnrelated || report.size() != kReportSize) return false;
  Report reply{};
  {
    std::lock_guard lock(mutex_);
    reply = mouse_.AnswerFeature();
  }
  std::copy(reply.begin(), reply.end(), report.begin());
  return true;
}

bool SimulatedMouseFirmware::PressDpiButton() {
  if (!backend_.IsPlugged(SimulatedDevice::kWired) && !backend_.IsPlugged(SimulatedDevice::kReceiver)) return false;
  Report report{};
  {
    std::lock_guard lock(mutex_);
    report = mouse_.PressDpiButton();
  }
  return Deliver(report);
}

bool SimulatedMouseFirmware::PressPollingButton() {
  if (!backend_.IsPlugged(SimulatedDevice::kWired) && !backend_.IsPlugged(SimulatedDevice::kReceiver)) return false;
  Report report{};
  {
    std::lock_guard lock(mutex_);
    report = mouse_.PressPollingButton();
  }
  return Deliver(report);
}

bool SimulatedMouseFirmware::Deliver(const Report& report) {
  return backend_.SendInputReport(SimulatedDevice::kWired, report) ||
         backend_.SendInputReport(SimulatedDevice::kReceiver, report);
}

}  // namespace pelrin::hid

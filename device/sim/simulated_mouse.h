// A model of the mouse's firmware at the HID boundary, and a transport that reaches it as wired, receiver
// or both. No threads and no file descriptors: callers drive it report by report.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "device/clock.h"
#include "device/feature_transport.h"

namespace pelrin {

// Everything the mouse keeps, as the frames set it.
struct SimulatedMouseState {
  // Per device position (0 to 5), the three assignment bytes.
  std::array<std::array<std::uint8_t, 3>, 6> keys{};
  std::array<std::uint8_t, 18> dpiStages{};  // the DPI block as sent
  std::array<std::uint8_t, 24> dpiColours{};
  std::uint8_t pollingInterval = 1;  // milliseconds
  std::uint8_t liftHeight = 2;
  std::uint8_t debounce = 12;
  std::vector<std::uint8_t> lighting;  // the payload of the last lighting frame
  std::array<std::uint8_t, 2> powerSaving{};
  std::uint8_t motionWake = 1;
  // Macro number to its events, three bytes each, reassembled from the packets.
  std::map<std::uint8_t, std::vector<std::uint8_t>> macros;

  friend bool operator==(const SimulatedMouseState&, const SimulatedMouseState&) = default;
};

// The state a mouse with sensor 0x3325 leaves the factory with (what a default profile encodes to).
SimulatedMouseState FactoryMouseState();

struct RecordedFrame {
  Microseconds time{0};
  DeviceKind via = DeviceKind::kWired;
  Report bytes{};
};

class SimulatedMouse {
 public:
  // `clock` stamps every frame; it must outlive the mouse.
  explicit SimulatedMouse(const Clock& clock, SimulatedMouseState factory = FactoryMouseState());

  // A feature report written to the mouse. Reports that are not of id 0x0C or carry an unknown command are
  // recorded and otherwise ignored.
  void ReceiveFeature(DeviceKind via, const Report& report);
  // The feature report the mouse gives back: the status reply after a status request, else zeros with the
  // report id. An empty reply (length 0) is given instead while empty replies are pending.
  Report AnswerFeature();

  // What the mouse's own buttons do: cycle the active stage among the enabled ones, or the polling
  // interval 8, 4, 2, 1 ms; each returns the input report of type 6 the mouse sends.
  Report PressDpiButton();
  Report PressPollingButton();

  void SetSensorByte(std::uint8_t value) { sensorByte_ = value; }
  void SetBattery(std::uint8_t level, std::uint8_t powerState) {
    batteryLevel_ = level;
    powerState_ = powerState;
  }
  void AnswerEmpty(int times = 1) { emptyReplies_ = times; }

  const SimulatedMouseState& state() const { return state_; }
  SimulatedMouseState& mutable_state() { return state_; }
  const std::vector<RecordedFrame>& frames() const { return frames_; }
  void ClearFrames() { frames_.clear(); }
  int factoryResets() const { return factoryResets_; }

 private:
  Report InputReport() const;
  void ReceiveMacroPacket(const Report& report);

  const Clock& clock_;
  SimulatedMouseState factory_;
  SimulatedMouseState state_;
  std::vector<RecordedFrame> frames_;
  std::uint8_t sensorByte_ = 37;  // 0x3325
  std::uint8_t batteryLevel_ = 80;
  std::uint8_t powerState_ = 0;
  int emptyReplies_ = 0;
  int factoryResets_ = 0;
  std::optional<Report> pendingReply_;
  // Macro packets collected until the last one of a macro arrives.
  std::map<std::uint8_t, std::vector<std::uint8_t>> partialMacros_;
};

// The simulated mouse plugged in as the wired device, through the receiver, or both.
class SimulatedTransport final : public FeatureTransport {
 public:
  SimulatedTransport(SimulatedMouse& mouse, bool wired, bool receiver)
      : mouse_(mouse), wired_(wired), receiver_(receiver) {}

  bool IsFeatureOpen(DeviceKind device) const override {
    return device == DeviceKind::kWired ? wired_ : receiver_;
  }
  bool SetFeatureReport(DeviceKind device, const Report& report) override;
  bool GetFeatureReport(DeviceKind device, Report& report) override;

  void Plug(DeviceKind device, bool present) { (device == DeviceKind::kWired ? wired_ : receiver_) = present; }
  // The next `count` transfers fail without reaching the mouse.
  void FailTransfers(int count) { failures_ = count; }

 private:
  SimulatedMouse& mouse_;
  bool wired_;
  bool receiver_;
  int failures_ = 0;
};

}  // namespace pelrin

// The simulated mouse's firmware model.
#include "device/sim/simulated_mouse.h"

#include <algorithm>
#include <bit>

#include "device/frame.h"

namespace pelrin {
namespace {

constexpr std::uint8_t kPollingCycle[] = {8, 4, 2, 1};

}  // namespace

SimulatedMouseState FactoryMouseState() {
  SimulatedMouseState s;
  s.keys = {{{0x10, 0x01, 0x00}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00},
             {0x10, 0x08, 0x00}, {0x10, 0x10, 0x00}, {0x40, 0x01, 0x00}}};
  // Stages 1 to 5 on, the second active, 800 to 5000 DPI.
  s.dpiStages = {0x25, 0x1F, 7, 0, 15, 0, 23, 0, 35, 0, 49, 0, 0, 0, 0, 0, 0, 0};
  s.dpiColours = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0xFF, 0xFF,
                  0xFF, 0xFF, 0, 0xFF, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  s.pollingInterval = 1;
  s.liftHeight = 2;
  s.debounce = 12;
  s.lighting = {0x01, 0x22, 0x01};  // mode 1, brightness and speed step 1, first direction
  s.powerSaving = {6, 0};
  s.motionWake = 1;
  return s;
}

SimulatedMouse::SimulatedMouse(const Clock& clock, SimulatedMouseState factory)
    : clock_(clock), factory_(std::move(factory)), state_(factory_) {}

void SimulatedMouse::ReceiveFeature(DeviceKind via, const Report& report) {
  frames_.push_back({clock_.Now(), via, report});
  if (report[kReportIdByte] != kFeatureReportId) return;
  const std::size_t length = std::min<std::size_t>(report[kLengthByte], kMaxPayload);
  const std::uint8_t* payload = &report[kPayloadOffset];
  switch (static_cast<Command>(report[kCommandByte])) {
    case Command::kSetKeyAssignment:
      if (payload[0] < state_.keys.size()) std::copy_n(payload + 1, 3, state_.keys[payload[0]].begin());
      break;
    case Command::kSetDpiStages:
      std::copy_n(payload, state_.dpiStages.size(), state_.dpiStages.begin());
      break;
    case Command::kSetDpiColours:
      std::copy_n(payload, state_.dpiColours.size(), state_.dpiColours.begin());
      break;
    case Command::kSetPollingRate:
      state_.pollingInterval = payload[0];
      break;
    case Command::kSetLighting:
      state_.lighting.assign(payload, payload + length);
      break;
    case Command::kSetLiftHeight:
      state_.liftHeight = payload[0];
      break;
    case Command::kSetDebounce:
      state_.debounce = payload[0];
      break;
    case Command::kSetPowerSaving:
      state_.powerSaving = {payload[0], payload[1]};
      break;
    case Command::kSetMotionWake:
      state_.motionWake = payload[0];
      break;
    case Command::kWriteMacro:
      ReceiveMacroPacket(report);
      break;
    case Command::kFactoryReset:
      state_ = factory_;
      partialMacros_.clear();
      ++factoryResets_;
      break;
    case Command::kGetStatus: {
      Report reply{};
      reply[kReportIdByte] = kFeatureReportId;
      reply[kTargetByte] = kFrameTarget;
      reply[kCommandByte] = static_cast<std::uint8_t>(Command::kGetStatus);
      reply[kSequenceByte] = report[kSequenceByte];
      if (emptyReplies_ > 0) {
        --emptyReplies_;
      } else {
        reply[kLengthByte] = 13;
        reply[15] = sensorByte_;
        reply[18] = batteryLevel_;
        reply[19] = powerState_;
      }
      pendingReply_ = reply;
      break;
    }
    default:
      break;
  }
}

void SimulatedMouse::ReceiveMacroPacket(const Report& report) {
  const std::uint8_t number = report[kPayloadOffset];
  const unsigned index = report[kPacketByte] >> 4;
  const unsigned count = report[kPacketByte] & 0x0F;
  const std::size_t length = std::min<std::size_t>(report[kLengthByte], kMaxPayload);
  std::vector<std::uint8_t>& collected = partialMacros_[number];
  if (index == 0) collected.clear();
  if (length > 1) collected.insert(collected.end(), &report[kPayloadOffset + 1], &report[kPayloadOffset + length]);
  if (index + 1 >= count) {
    collected.resize(collected.size() - collected.size() % 3);
    state_.macros[number] = std::move(collected);
    partialMacros_.erase(number);
  }
}

Report SimulatedMouse::AnswerFeature() {
  if (pendingReply_) {
    const Report reply = *pendingReply_;
    pendingReply_.reset();
    return reply;
  }
  Report empty{};
  empty[kReportIdByte] = kFeatureReportId;
  return empty;
}

Report SimulatedMouse::InputReport() const {
  Report report{};
  report[0] = kInputReportId;
  report[1] = 6;
  report[3] = state_.pollingInterval;
  report[4] = static_cast<std::uint8_t>(state_.dpiStages[0] >> 4);
  return report;
}

Report SimulatedMouse::PressDpiButton() {
  const unsigned enabled = static_cast<unsigned>(std::popcount(state_.dpiStages[1]));
  const unsigned level = (state_.dpiStages[0] >> 4);  // counted from 1
  const unsigned next = enabled == 0 ? 1 : (level % enabled) + 1;
  state_.dpiStages[0] = static_cast<std::uint8_t>((state_.dpiStages[0] & 0x0F) | (next << 4));
  return InputReport();
}

Report SimulatedMouse::PressPollingButton() {
  const auto* at = std::find(std::begin(kPollingCycle), std::end(kPollingCycle), state_.pollingInterval);
  const std::size_t i = at == std::end(kPollingCycle) ? 0 : static_cast<std::size_t>(at - std::begin(kPollingCycle));
  state_.pollingInterval = kPollingCycle[(i + 1) % std::size(kPollingCycle)];
  return InputReport();
}

bool SimulatedTransport::SetFeatureReport(DeviceKind device, const Report& report) {
  if (!IsFeatureOpen(device)) return false;
  if (failures_ > 0) {
    --failures_;
    return false;
  }
  mouse_.ReceiveFeature(device, report);
  return true;
}

bool SimulatedTransport::GetFeatureReport(DeviceKind device, Report& report) {
  if (!IsFeatureOpen(device)) return false;
  if (failures_ > 0) {
    --failures_;
    return false;
  }
  report = mouse_.AnswerFeature();
  return true;
}

}  // namespace pelrin

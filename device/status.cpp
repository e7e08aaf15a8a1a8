// Status replies, input reports and the factory reset.
#include "device/status.h"

#include <bit>

namespace pelrin {
namespace {

struct SensorByte {
  std::uint8_t value;
  std::uint16_t sensor;
};
constexpr SensorByte kSensorBytes[] = {
    {4, 0x3104},   {17, 0x3311},  {18, 0x3212},  {37, 0x3325},  {39, 0x3327},  {53, 0x3335},
    {96, 0x3360},  {112, 0x3370}, {137, 0x3389}, {149, 0x3395}, {153, 0x3399},
};

constexpr std::uint8_t kStatusSensorByte = 15;
constexpr std::uint8_t kStatusBatteryByte = 18;
constexpr std::uint8_t kStatusPowerByte = 19;
constexpr std::uint8_t kDeviceChangeType = 6;

}  // namespace

std::optional<std::uint16_t> SensorFromStatusByte(std::uint8_t value) {
  for (const SensorByte& entry : kSensorBytes) {
    if (entry.value == value) return entry.sensor;
  }
  return std::nullopt;
}

std::optional<StatusReply> DecodeStatusReply(const Report& reply) {
  if (reply[kCommandByte] != static_cast<std::uint8_t>(Command::kGetStatus) || reply[kReservedByte] != 0) {
    return std::nullopt;
  }
  StatusReply status;
  status.sensor = SensorFromStatusByte(reply[kStatusSensorByte]);
  status.battery.level = reply[kStatusBatteryByte];
  switch (reply[kStatusPowerByte]) {
    case 1:
      status.battery.power = PowerState::kCharging;
      break;
    case 2:
      status.battery.power = PowerState::kCharged;
      status.battery.level = 100;
      break;
    default:
      status.battery.power = PowerState::kOnBattery;
      break;
  }
  return status;
}

StatusEffects HandleStatusReply(const Report& reply, SensorSettings& settings, BatteryStatus& battery) {
  StatusEffects effects;
  const std::optional<StatusReply> status = DecodeStatusReply(reply);
  if (!status) return effects;
  effects.accepted = true;
  if (status->sensor && *status->sensor != settings.SensorInForce()) {
    settings.SwitchSensor(*status->sensor);
    effects.sensorSwitched = true;
  }
  battery = status->battery;
  return effects;
}

std::optional<ButtonChange> DecodeInputReport(std::span<const std::uint8_t> report) {
  if (report.size() < 5 || report[0] != kInputReportId || report[1] != kDeviceChangeType) return std::nullopt;
  ButtonChange change;
  // The report counts from 1; a 0 there would wrap to stage 255.
  change.activeStage = static_cast<std::uint8_t>(report[4] == 0 ? 0 : report[4] - 1);
  change.pollingIndex = PollingIndexFromInterval(report[3]);
  return change;
}

std::uint8_t PollingIndexFromInterval(std::uint8_t milliseconds) {
  switch (milliseconds) {
    case 8: return 0;
    case 4: return 1;
    case 2: return 2;
    default: return 3;
  }
}

std::u16string ReportedPollingRateName(std::uint8_t pollingIndex) {
  static const char16_t* const kNames[] = {u"125Hz", u"250Hz", u"500Hz", u"1000Hz"};
  return kNames[pollingIndex < 4 ? pollingIndex : 3];
}

void ApplyButtonChange(ProfileRecord& record, const ButtonChange& change) {
  const int enabled = std::popcount(record.DPIOffOnFlagValue);
  std::uint8_t stage = change.activeStage;
  if (enabled > 0 && stage >= enabled) stage = static_cast<std::uint8_t>(enabled - 1);
  record.CurrentDPILevelValue = stage;
  record.PollingRateValue = {change.pollingIndex, 0, 0};
  record.PollingRateName = ReportedPollingRateName(change.pollingIndex);
}

void HandleButtonChange(const ButtonChange& change, ProfileRecord& activeProfile, DeviceChangeView& view,
                        SettingsSync& sync) {
  ApplyButtonChange(activeProfile, change);
  view.ShowOnScreenDisplay();
  view.RefreshFromActiveProfile();
  sync.PrimeShadows();
}

FactoryResetOutcome RunFactoryReset(ReportChannel& channel, ActiveProfileReset& profile, SettingsSync& sync) {
  FactoryResetOutcome outcome;
  outcome.frameSent = channel.SendFactoryReset();
  profile.ResetActiveProfileKeepingName();
  sync.PrimeShadows();
  return outcome;
}

}  // namespace pelrin

// What the mouse tells the program: status replies (sensor, battery), input reports of changes made with
// its own buttons, and the factory reset that hands the mouse back its defaults.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "device/report_channel.h"
#include "device/sync.h"
#include "settings/profile_record.h"

namespace pelrin {

// The sensor code of a status reply's sensor byte; none for a byte the program does not know.
std::optional<std::uint16_t> SensorFromStatusByte(std::uint8_t value);

enum class PowerState : int { kOnBattery = 0, kCharging = 1, kCharged = 2 };

struct BatteryStatus {
  std::uint8_t level = 10;  // percent
  PowerState power = PowerState::kOnBattery;
  friend bool operator==(const BatteryStatus&, const BatteryStatus&) = default;
};

struct StatusReply {
  std::optional<std::uint16_t> sensor;  // none when the sensor byte is not a known sensor
  BatteryStatus battery;
};

// None unless byte 2 is the status command (0x20) and byte 3 is 0.
std::optional<StatusReply> DecodeStatusReply(const Report& reply);

// What the status handling changes in the settings model; the window and pelrinctl bind it.
class SensorSettings {
 public:
  virtual ~SensorSettings() = default;
  virtual std::uint16_t SensorInForce() const = 0;
  // The mouse reports another sensor: store the code (settings file Sensor and its mark, saved), apply the
  // sensor's DPI defaults to all five profiles and rewrite their files, rebuild the DPI table.
  virtual void SwitchSensor(std::uint16_t sensorCode) = 0;
};

struct StatusEffects {
  bool accepted = false;        // the reply passed the check; the battery status was taken over
  bool sensorSwitched = false;  // show or hide the high-range header, give the DPI sliders the new range
};
StatusEffects HandleStatusReply(const Report& reply, SensorSettings& settings, BatteryStatus& battery);

// A change made with the mouse's DPI or polling button (input report 5 of type 6).
struct ButtonChange {
  std::uint8_t activeStage = 0;   // counted among enabled stages, from 0
  std::uint8_t pollingIndex = 3;  // 0 = 125 Hz .. 3 = 1000 Hz
};
// None for any other report id or type, or a report too short to hold the values.
std::optional<ButtonChange> DecodeInputReport(std::span<const std::uint8_t> report);
// 8 ms gives 0, 4 gives 1, 2 gives 2, anything else 3.
std::uint8_t PollingIndexFromInterval(std::uint8_t milliseconds);
// "125Hz", "250Hz", "500Hz", "1000Hz": the names a rate reported by the mouse is stored under.
std::u16string ReportedPollingRateName(std::uint8_t pollingIndex);

// Takes a change into the record: active stage and polling rate with its name. A stage the profile does
// not have enabled is held to the last enabled one.
void ApplyButtonChange(ProfileRecord& record, const ButtonChange& change);

// The window's part of a change made on the mouse.
class DeviceChangeView {
 public:
  virtual ~DeviceChangeView() = default;
  virtual void ShowOnScreenDisplay() = 0;  // message 1067 (1, 0)
  virtual void RefreshFromActiveProfile() = 0;
};
// On the main thread, in this order: store into the active profile, on-screen display, refresh, then
// prime the shadows so that the next pass does not write the values back.
void HandleButtonChange(const ButtonChange& change, ProfileRecord& activeProfile, DeviceChangeView& view,
                        SettingsSync& sync);

// Resets the active profile to its defaults, keeping its name, and saves its file; bound by the window
// and pelrinctl to the settings model.
class ActiveProfileReset {
 public:
  virtual ~ActiveProfileReset() = default;
  virtual void ResetActiveProfileKeepingName() = 0;
};
struct FactoryResetOutcome {
  bool frameSent = false;
  // Always: refresh the window, set the connection poll counter to 0, show the progress window.
};
// After the user confirmed: the reset frame on the wired mouse, else the receiver, without a pause; the
// active profile back to its defaults and saved; shadows primed, as the mouse holds the defaults now.
FactoryResetOutcome RunFactoryReset(ReportChannel& channel, ActiveProfileReset& profile, SettingsSync& sync);

}  // namespace pelrin

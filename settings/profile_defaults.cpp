// Defaults of a profile record and the per-sensor DPI stage defaults.
#include "settings/profile_defaults.h"

#include <initializer_list>
#include <limits>
#include <utility>

#include "settings/text.h"

namespace pelrin {
namespace {

struct SensorStages {
  std::uint16_t code;
  std::array<std::uint16_t, kDpiStageCount> stages;
};

constexpr SensorStages kSensorStages[] = {
    {0x3104, {4, 15, 23, 31, 39, 41, 58, 50}},    {0x3212, {6, 10, 14, 22, 33, 12, 12, 12}},
    {0x3311, {7, 15, 23, 31, 63, 99, 99, 59}},    {0x3325, {6, 14, 22, 34, 48, 58, 58, 50}},
    {0x3327, {2, 6, 14, 30, 48, 58, 58, 58}},     {0x3335, {11, 23, 31, 63, 99, 159, 59, 59}},
    {0x3360, {3, 7, 15, 31, 49, 59, 59, 59}},     {0x3370, {7, 15, 31, 63, 99, 119, 119, 119}},
    {0x3389, {3, 7, 15, 31, 49, 59, 59, 59}},     {0x3395, {7, 15, 23, 31, 63, 103, 99, 99}},
    {0x3399, {7, 15, 31, 63, 99, 99, 99, 99}},
};

constexpr const char16_t* kNamedKeys[kNamedSettingCount] = {
    u"ProfileName",  u"GameFile0",          u"GameFile1",           u"GameFile2",
    u"DoubleClickSpeed", u"PointerSpeed",   u"AccelerationEnable",  u"ScrollWheelSpeed",
    u"ScrollWheelPageEnable", u"TiltSpeed", u"Sensitivity_X",       u"Sensitivity_Y",
    u"XYSynchronous", u"X_DPI",             u"Y_DPI",               u"MoveLightingOnOffMode",
    u"PowerDownTime", u"LiftDetectionHeight", u"KeyDebounce",       u"MotionWakeup",
};

constexpr const char16_t* kNamedDefaults[kNamedSettingCount] = {
    u"", u"", u"", u"", u"6", u"5", u"1", u"2", u"0", u"2",
    u"4", u"4", u"1", u"1", u"1", u"0", u"6", u"2", u"12", u"1",
};

struct ButtonDefault {
  int nameEntry;
  AssignmentValue value;
};

constexpr ButtonDefault kButtonDefaults[kButtonCount] = {
    {20, {0x10, 0x01, 0x00}}, {21, {0x10, 0x02, 0x00}}, {22, {0x10, 0x04, 0x00}},
    {23, {0x10, 0x10, 0x00}}, {24, {0x10, 0x08, 0x00}}, {42, {0x40, 0x01, 0x00}},
};

constexpr Colour Rgb(std::uint32_t rgb) {
  return MakeColour(static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                    static_cast<std::uint8_t>(rgb));
}

void SetRow(std::array<std::uint8_t, kLightingColourSlots>& row, std::initializer_list<std::uint8_t> values) {
  std::size_t i = 0;
  for (auto v : values) row[i++] = v;
}

void SetColours(std::array<Colour, kLightingColourSlots>& row, std::initializer_list<std::uint32_t> values) {
  std::size_t i = 0;
  for (auto v : values) row[i++] = Rgb(v);
}

}  // namespace

std::optional<std::array<std::uint16_t, kDpiStageCount>> SensorStageDefaults(std::uint16_t sensorCode) {
  for (const auto& sensor : kSensorStages) {
    if (sensor.code == sensorCode) return sensor.stages;
  }
  return std::nullopt;
}

void ApplySensorDefaults(ProfileRecord& record, std::uint16_t sensorCode) {
  record.DPIOffOnFlagValue = 0x1F;
  if (auto stages = SensorStageDefaults(sensorCode)) record.XYSetting = *stages;
  record.CurrentDPILevelValue = 1;
  record.DPILevelIndication = {Rgb(0xFF0000), Rgb(0x00FF00), Rgb(0x0000FF), Rgb(0x00FFFF),
                               Rgb(0xFFFF00), Rgb(0xFF00FF), Rgb(0xFFFFFF), Rgb(0xFFFFFF)};
  record.AngleSnapValue = 0;
  record.LiftDetectionValue = 2;
}

void ResetProfileRecord(ProfileRecord& record, int slot, std::uint16_t sensorCode, const LanguageTable& language) {
  record = ProfileRecord{};
  for (std::size_t i = 0; i < kNamedSettingCount; ++i) {
    record.namedSettings[i] = {kNamedKeys[i], kNamedDefaults[i]};
  }
  if (slot >= 0 && slot < kProfileCount) {
    record.namedSettings[kProfileName].value = language.Entry(85 + slot);
  } else {
    record.namedSettings[kProfileName].value = u"Profile" + FormatDecimal(static_cast<long long>(slot) + 1);
  }
  for (std::size_t i = 0; i < kButtonCount; ++i) {
    KeyAssignment& key = record.keyAssignments[i];
    key.name = language.Entry(kButtonDefaults[i].nameEntry);
    key.value = kButtonDefaults[i].value;
    key.macroIndex = 0;
    key.macro = MacroKey{};
  }
  record.PollingRateName = u"1000HZ";
  record.PollingRateValue = {3, 0, 0};
  record.Lighting1OffOn = 1;
  record.Lighting1Name = language.Entry(100);
  record.Lighting1ModeValue = {1, 0, 0};
  record.Lighting1Speed.fill(1);
  record.Lighting1Brightness.fill(1);
  record.Lighting1Brightness[3] = 3;
  SetRow(record.Lighting1ColorSelected[2], {1, 1, 1, 1, 1, 1, 1});
  SetRow(record.Lighting1ColorSelected[3], {1});
  SetRow(record.Lighting1ColorSelected[6], {1, 1, 1, 1, 1, 1, 1, 1});
  SetRow(record.Lighting1ColorSelected[7], {1, 1});
  SetColours(record.Lighting1FixedColor[2],
             {0xFF0000, 0x00FF00, 0x0000FF, 0x00FFFF, 0xFFFF00, 0xFF00FF, 0xFFFFFF});
  SetColours(record.Lighting1FixedColor[3], {0xFF00FF});
  SetColours(record.Lighting1FixedColor[6],
             {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFA00FA, 0xFFFFFF, 0xFA46FF});
  SetColours(record.Lighting1FixedColor[7], {0x00FF00, 0xFA006A});
  record.Lighting1Direction[1] = 1;
  record.Lighting2OffOn = 0;
  record.Lighting2Name = language.Entry(100);
  record.Lighting2ModeValue = {1, 0, 0};
  record.Lighting2Speed = 0;
  record.Lighting2Brightness = 0;
  record.Lighting2FixedColor = 0;
  ApplySensorDefaults(record, sensorCode);
}

ProfileRecord DefaultProfileRecord(int slot, std::uint16_t sensorCode, const LanguageTable& language) {
  ProfileRecord record;
  ResetProfileRecord(record, slot, sensorCode, language);
  return record;
}

void SetMoveLightingOnOffMode(ProfileRecord& record, int flag) {
  record.SetValue(kMoveLightingOnOffMode, FormatDecimal(flag > 0 ? 1 : 0));
}

void SetPowerDownTime(ProfileRecord& record, int minutes) { record.SetValue(kPowerDownTime, FormatDecimal(minutes)); }

void SetMotionWakeup(ProfileRecord& record, int flag) {
  record.SetValue(kMotionWakeup, FormatDecimal(flag > 0 ? 1 : 0));
}

int NamedSettingNumber(const ProfileRecord& record, NamedSetting which) {
  const long long value = ParseLeadingInteger(record.Value(which), 10);
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

}  // namespace pelrin

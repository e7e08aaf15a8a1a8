// Defaults of a profile record, the per-sensor DPI stage defaults and the sensor-option setters.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "settings/dpi_table.h"
#include "settings/language.h"
#include "settings/profile_record.h"

namespace pelrin {

// The DPI stage defaults (indexes into the sensor's DPI table) of a known sensor; nullopt otherwise.
std::optional<std::array<std::uint16_t, kDpiStageCount>> SensorStageDefaults(std::uint16_t sensorCode);

// Stages 1 to 5 enabled, the sensor's stage values (kept for an unknown sensor), stage 2 active, the
// stage colours and both option bytes.
void ApplySensorDefaults(ProfileRecord& record, std::uint16_t sensorCode);

// Every field to its default, then ApplySensorDefaults. Texts come from `language`; slots outside 0 to 4
// are named "Profile<slot + 1>".
void ResetProfileRecord(ProfileRecord& record, int slot, std::uint16_t sensorCode,
                        const LanguageTable& language = Language());
ProfileRecord DefaultProfileRecord(int slot, std::uint16_t sensorCode, const LanguageTable& language = Language());

// The sensor-option page stores its choices as decimal text.
void SetMoveLightingOnOffMode(ProfileRecord& record, int flag);
void SetPowerDownTime(ProfileRecord& record, int minutes);
void SetMotionWakeup(ProfileRecord& record, int flag);

// Numeric named settings are decimal text read with leading-digit conversion ("abc" reads as 0).
int NamedSettingNumber(const ProfileRecord& record, NamedSetting which);

}  // namespace pelrin

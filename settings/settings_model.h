// The settings model shared by the window, pelrinctl and the device code: the application settings, the
// five profile records, the cached current slot, the sensor code in force and the folders they live in.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>

#include "settings/app_settings.h"
#include "settings/language.h"
#include "settings/profile_defaults.h"
#include "settings/profile_file.h"
#include "settings/profile_record.h"

namespace pelrin {

struct SettingsModel {
  std::filesystem::path dataFolder;    // …/KorvexData20240419A
  std::filesystem::path configFolder;  // dataFolder/config
  const LanguageTable* language = &Language();  // default profile and button names come from here

  AppSettings appSettings;
  std::array<ProfileRecord, kProfileCount> profiles;
  int currentSlot = 0;  // cached current slot, written back as CurrentProfile by SaveCurrentProfile
  std::uint16_t sensorCode = kDefaultSensorCode;  // the sensor code in force

  std::filesystem::path SettingsFile() const { return configFolder / "config.ini"; }
  // CurrentProfile converted now (text that is not a number gives 0), kept within the five slots.
  int CurrentProfileSlot() const;
  ProfileRecord& CurrentRecord() { return profiles[static_cast<std::size_t>(CurrentProfileSlot())]; }
  const ProfileRecord& CurrentRecord() const { return profiles[static_cast<std::size_t>(CurrentProfileSlot())]; }
};

// A model for the data folder `dataFolder` (nothing is read yet).
SettingsModel MakeSettingsModel(const std::filesystem::path& dataFolder, const LanguageTable& language = Language());

inline bool IsValidSlot(int slot) { return slot >= 0 && slot < kProfileCount; }

struct SettingsLoadResult {
  bool settingsFileValid = false;     // false: settings and all five profiles were replaced by defaults
  std::array<bool, kProfileCount> profileLoaded{};  // false: that slot was reset and its file rewritten
  bool sensorDefaultsApplied = false;  // the profiles were prepared for another sensor and were re-prepared
};

// The start-up load of the settings file and the five profiles with the sensor check, in this order:
// read config.ini (missing or invalid: defaults for it and for all five profiles, all written); read each
// slot's profile file (a failed slot is reset and its own file rewritten); then, when PreST is not the
// complement of Sensor, mark the profiles as prepared for Sensor, save config.ini, apply the sensor
// defaults to every profile and rewrite all five files.
//
// Unlike a bare read, slot values that would select a slot outside the five are put back to their
// defaults (and saved), the sensor code in force is taken from the file before any slot is reset, and the
// current slot survives the sensor check.
SettingsLoadResult LoadSettingsAndProfiles(SettingsModel& model);

// Writes config.ini; false (file untouched) when it cannot be written.
bool SaveAppSettings(const SettingsModel& model);
// CurrentProfile = the cached current slot, then SaveAppSettings.
bool SaveCurrentProfile(SettingsModel& model);

// Writes the record of `slot` to `path`.
bool WriteProfileFile(const SettingsModel& model, int slot, const std::filesystem::path& path);
// Reads `path` into the record of `slot`. On failure the slot is reset to defaults and written to the
// slot's own file (not to `path`). This is the rule for the program's own slot files.
ProfileReadResult ReadProfileFile(SettingsModel& model, int slot, const std::filesystem::path& path);
// Every slot to its own file; false when any of them could not be written.
bool WriteAllProfiles(const SettingsModel& model);

// Makes `slot` current: the cached slot and CurrentProfile. Nothing is saved.
void SelectProfile(SettingsModel& model, int slot);

// Import of a file the user picked into `slot`: the file is read into a separate record first, and only a
// valid file replaces the slot, after which config.ini and all five profile files are saved. A bad file
// changes no record and no file; the result says why it was refused.
ProfileReadResult ImportProfile(SettingsModel& model, int slot, const std::filesystem::path& path);
// Export of `slot` to a file the user picked; nothing else is saved.
bool ExportProfile(const SettingsModel& model, int slot, const std::filesystem::path& path);

// The mouse reported another sensor: store it and its mark, save config.ini, give every profile the new
// sensor's DPI stage defaults and rewrite all five files. The caller rebuilds the DPI table.
void ChangeSensor(SettingsModel& model, std::uint16_t sensorCode);

}  // namespace pelrin

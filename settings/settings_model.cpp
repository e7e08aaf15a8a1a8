// The settings model: start-up load, saves and profile import and export.
#include "settings/settings_model.h"

namespace pelrin {

int SettingsModel::CurrentProfileSlot() const {
  const int slot = appSettings.CurrentProfile();
  return IsValidSlot(slot) ? slot : 0;
}

SettingsModel MakeSettingsModel(const std::filesystem::path& dataFolder, const LanguageTable& language) {
  SettingsModel model;
  model.dataFolder = dataFolder;
  model.configFolder = dataFolder / "config";
  model.language = &language;
  return model;
}

SettingsLoadResult LoadSettingsAndProfiles(SettingsModel& model) {
  SettingsLoadResult result;
  auto loaded = LoadAppSettings(model.SettingsFile());
  result.settingsFileValid = loaded.has_value();
  if (loaded) {
    model.appSettings = std::move(*loaded);
    if (RepairSlotSettings(model.appSettings)) SaveAppSettings(model);
    model.sensorCode = model.appSettings.Sensor();
  } else {
    ResetAppSettings(model.appSettings, model.dataFolder);
    SaveAppSettings(model);
    model.sensorCode = model.appSettings.Sensor();
    for (int slot = 0; slot < kProfileCount; ++slot) {
      auto& record = model.profiles[static_cast<std::size_t>(slot)];
      ResetProfileRecord(record, slot, model.sensorCode, *model.language);
      SaveProfileFile(record, model.appSettings.SlotPath(slot));
    }
  }
  // The current slot is known from here on, so the sensor check below keeps it.
  model.currentSlot = model.CurrentProfileSlot();

  for (int slot = 0; slot < kProfileCount; ++slot) {
    result.profileLoaded[static_cast<std::size_t>(slot)] =
        ReadProfileFile(model, slot, model.appSettings.SlotPath(slot)).ok;
  }

  model.sensorCode = model.appSettings.Sensor();
  if (static_cast<std::uint16_t>(~model.appSettings.PreST()) != model.sensorCode) {
    model.appSettings.SetPreST(static_cast<std::uint16_t>(~model.sensorCode));
    SaveCurrentProfile(model);
    for (auto& record : model.profiles) ApplySensorDefaults(record, model.sensorCode);
    WriteAllProfiles(model);
    result.sensorDefaultsApplied = true;
  }
  return result;
}

bool SaveAppSettings(const SettingsModel& model) { return SaveAppSettings(model.appSettings, model.SettingsFile()); }

bool SaveCurrentProfile(SettingsModel& model) {
  model.appSettings.SetCurrentProfile(model.currentSlot);
  return SaveAppSettings(model);
}

bool WriteProfileFile(const SettingsModel& model, int slot, const std::filesystem::path& path) {
  if (!IsValidSlot(slot)) return false;
  return SaveProfileFile(model.profiles[static_cast<std::size_t>(slot)], path);
}

ProfileReadResult ReadProfileFile(SettingsModel& model, int slot, const std::filesystem::path& path) {
  if (!IsValidSlot(slot)) return {false, 0, "no such slot"};
  auto& record = model.profiles[static_cast<std::size_t>(slot)];
  ProfileReadResult result = LoadProfileFile(path, record);
  if (!result) {
    ResetProfileRecord(record, slot, model.sensorCode, *model.language);
    WriteProfileFile(model, slot, model.appSettings.SlotPath(slot));
  }
  return result;
}

bool WriteAllProfiles(const SettingsModel& model) {
  bool ok = true;
  for (int slot = 0; slot < kProfileCount; ++slot) {
    ok = WriteProfileFile(model, slot, model.appSettings.SlotPath(slot)) && ok;
  }
  return ok;
}

void SelectProfile(SettingsModel& model, int slot) {
  if (!IsValidSlot(slot)) return;
  model.currentSlot = slot;
  model.appSettings.SetCurrentProfile(slot);
}

ProfileReadResult ImportProfile(SettingsModel& model, int slot, const std::filesystem::path& path) {
  if (!IsValidSlot(slot)) return {false, 0, "no such slot"};
  ProfileRecord imported = model.profiles[static_cast<std::size_t>(slot)];
  ProfileReadResult result = LoadProfileFile(path, imported);
  if (!result) return result;
  model.profiles[static_cast<std::size_t>(slot)] = std::move(imported);
  SaveCurrentProfile(model);
  WriteAllProfiles(model);
  return result;
}

bool ExportProfile(const SettingsModel& model, int slot, const std::filesystem::path& path) {
  return WriteProfileFile(model, slot, path);
}

void ChangeSensor(SettingsModel& model, std::uint16_t sensorCode) {
  model.sensorCode = sensorCode;
  model.appSettings.SetSensor(sensorCode);
  model.appSettings.SetPreST(static_cast<std::uint16_t>(~sensorCode));
  SaveAppSettings(model);
  for (auto& record : model.profiles) ApplySensorDefaults(record, sensorCode);
  WriteAllProfiles(model);
}

}  // namespace pelrin

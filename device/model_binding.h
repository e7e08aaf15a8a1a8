// Binds the device layer to the settings model and the macro library: the one object the window and
// pelrinctl hand to the synchronisation, the status handling and the factory reset.
#pragma once

#include "device/status.h"
#include "device/sync.h"
#include "macros/macro_library.h"
#include "settings/dpi_table.h"
#include "settings/settings_model.h"

namespace pelrin {

class ModelDeviceBinding final : public SyncModel, public SensorSettings, public ActiveProfileReset {
 public:
  // All three must outlive the binding. `table` is the DPI table of the sensor in force; a sensor switch
  // rebuilds it.
  ModelDeviceBinding(SettingsModel& model, DpiTable& table, const MacroLibrary& library)
      : model_(model), table_(table), library_(library) {}

  ProfileRecord& ActiveProfile() override { return model_.CurrentRecord(); }
  const DpiTable& DpiTableInForce() const override { return table_; }
  const MacroLibrary& Library() const override { return library_; }

  std::uint16_t SensorInForce() const override { return model_.sensorCode; }
  void SwitchSensor(std::uint16_t sensorCode) override;

  void ResetActiveProfileKeepingName() override;

 private:
  SettingsModel& model_;
  DpiTable& table_;
  const MacroLibrary& library_;
};

}  // namespace pelrin

// The device layer's view of the settings model.
#include "device/model_binding.h"

namespace pelrin {

void ModelDeviceBinding::SwitchSensor(std::uint16_t sensorCode) {
  ChangeSensor(model_, sensorCode);
  BuildDpiTable(sensorCode, table_);
}

void ModelDeviceBinding::ResetActiveProfileKeepingName() {
  const int slot = model_.CurrentProfileSlot();
  ProfileRecord& record = model_.profiles[static_cast<std::size_t>(slot)];
  std::u16string name = record.namedSettings[kProfileName].value;
  ResetProfileRecord(record, slot, model_.sensorCode, *model_.language);
  record.namedSettings[kProfileName].value = std::move(name);
  WriteProfileFile(model_, slot, model_.appSettings.SlotPath(slot));
}

}  // namespace pelrin

// Builds the settings, backend and link session of a pelrinctl device command.
#include "cli/device_session.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <fstream>
#include <iostream>

#include "device/encoding.h"
#include "device/frame.h"
#include "device/hid/hidraw_backend.h"
#include "macros/library_file.h"

namespace pelrin::cli {

void FailDevice(const std::string& message) {
  std::cerr << "pelrinctl: " << message << '\n';
  throw CLI::RuntimeError(1);
}

DeviceSession::DeviceSession(const GlobalOptions& options, device::SessionEvents events) {
  const std::string& simulate = options.simulate;
  if (!simulate.empty() && simulate != "wired" && simulate != "receiver" && simulate != "both") {
    FailDevice("--simulate takes wired, receiver or both, not '" + simulate + "'");
  }
  if (!options.simulateLog.empty() && simulate.empty()) FailDevice("--simulate-log needs --simulate");

  folders_ = PrepareFolders(UserConfigRoot());
  model_ = MakeSettingsModel(folders_.data);
  StartupHooks hooks;
  hooks.loadMacroLibrary = [this](const Folders& folders) {
    ReadLibraryFile(folders.config / "MacroLibraryFile.mlf", library_);
  };
  hooks.buildDpiTable = [this](std::uint16_t sensor) { BuildDpiTable(sensor, table_); };
  LoadAtStartup(folders_, model_, hooks);

  hid::HidBackend* backend = nullptr;
  if (simulate.empty()) {
    hidrawBackend_ = hid::MakeHidrawBackend();
    backend = hidrawBackend_.get();
  } else {
    mouse_ = std::make_unique<SimulatedMouse>(clock_);
    simulatedBackend_ = std::make_unique<hid::SimulatedBackend>();
    firmware_ = std::make_unique<hid::SimulatedMouseFirmware>(*mouse_, *simulatedBackend_);
    simulatedBackend_->SetFirmware(firmware_.get());
    if (!options.simulateLog.empty()) {
      auto log = std::make_shared<std::ofstream>(options.simulateLog, std::ios::app);
      if (!*log) FailDevice("cannot write " + options.simulateLog);
      firmware_->OnReceived([log](DeviceKind, const Report& report) {
        *log << FormatReportHex(report) << '\n';
        log->flush();
      });
    }
    if (simulate != "receiver") simulatedBackend_->Plug(hid::SimulatedDevice::kWired);
    if (simulate != "wired") simulatedBackend_->Plug(hid::SimulatedDevice::kReceiver);
    backend = simulatedBackend_.get();
  }
  session_ = std::make_unique<device::LinkSession>(*backend, clock_, binding_, binding_, std::move(events));
}

DeviceSession::~DeviceSession() {
  // Readers first: they may still deliver to the simulated backend.
  session_.reset();
}

std::string DeviceSession::WriteTarget() {
  switch (link().WriteDevice() == nullptr ? 0 : link().wiredFeatureHandle ? 1 : 2) {
    case 1: return "wired mouse";
    case 2: return "receiver";
    default: return "none";
  }
}

void DeviceSession::SaveAll() {
  SaveAppSettings(model_);
  WriteAllProfiles(model_);
}

std::vector<Report> WholeProfileFrames(SettingsSync& sync, SyncModel& model, SequenceCounter& sequence) {
  sync.NumberMacros();
  const ProfileRecord& record = model.ActiveProfile();
  std::vector<Report> frames;
  const KeyImage keys = EncodeKeyImage(record);
  for (std::size_t position = 0; position < kDevicePositions; ++position) {
    frames.push_back(KeyAssignmentFrame(keys, position, sequence));
  }
  frames.push_back(DpiStagesFrame(EncodeDpiBlock(record, model.DpiTableInForce()), sequence));
  frames.push_back(DpiColoursFrame(EncodeDpiColours(record), sequence));
  frames.push_back(PollingRateFrame(EncodePollingImage(record), sequence));
  frames.push_back(LiftHeightFrame(EncodeLiftImage(record), sequence));
  frames.push_back(DebounceFrame(EncodeDebounceImage(record), sequence));
  frames.push_back(LightingFrame(EncodeLightingBlock(record), sequence));
  frames.push_back(PowerSavingFrame(EncodePowerImage(record), sequence));
  frames.push_back(MotionWakeFrame(EncodeMotionWakeImage(record), sequence));
  // A macro bound to two buttons has one number and goes out once.
  std::vector<std::uint8_t> sent;
  for (const KeyAssignment& slot : record.keyAssignments) {
    if (slot.value[0] != kMacroCategory) continue;
    const auto number = static_cast<std::uint8_t>(slot.value[1] & 0x0F);
    if (std::find(sent.begin(), sent.end(), number) != sent.end()) continue;
    sent.push_back(number);
    for (const Report& packet : MacroPackets(EncodeMacroImage(slot.macro, number).image, sequence)) {
      frames.push_back(packet);
    }
  }
  return frames;
}

void ApplySelectedProfile(const GlobalOptions& options, int previousSlot) {
  DeviceSession device(options);
  SettingsModel& model = device.model();
  const int selected = model.CurrentProfileSlot();
  if (previousSlot == selected || !IsValidSlot(previousSlot)) return;
  SelectProfile(model, previousSlot);
  device.session().sync().PrimeShadows();
  SelectProfile(model, selected);
  device.Start(/*prime=*/false);
  if (!device.Connected()) return;
  device.session().RequestSync(kKeysChanged | kSettingsChanged);
  device.session().Flush();
}

}  // namespace pelrin::cli

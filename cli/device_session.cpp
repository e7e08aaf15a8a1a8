// Builds the settings, backend and link session of a pelrinctl device command.
#include "cli/device_session.h"

#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>

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

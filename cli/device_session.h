// What every pelrinctl command that talks to the mouse stands on: the settings as the window loads them,
// a HID backend (hidraw, or the simulated mouse of --simulate) and a link session over it.
#pragma once

#include <memory>
#include <string>

#include "cli/commands.h"
#include "device/clock.h"
#include "device/hid/hid_backend.h"
#include "device/hid/simulated_backend.h"
#include "device/hid/simulated_mouse_firmware.h"
#include "device/link/link_session.h"
#include "device/model_binding.h"
#include "device/sim/simulated_mouse.h"
#include "macros/macro_library.h"
#include "settings/dpi_table.h"
#include "settings/settings_model.h"
#include "settings/startup.h"

namespace pelrin::cli {

// One line on stderr and a non-zero exit, the way every pelrinctl failure ends.
[[noreturn]] void FailDevice(const std::string& message);

class DeviceSession {
 public:
  // Loads the settings, checks --simulate and opens the backend; nothing is sent yet (see Start).
  DeviceSession(const GlobalOptions& options, device::SessionEvents events = {});
  ~DeviceSession();

  // Primes the shadows, discovers the mouse and asks it for its status, as the window's start does.
  void Start(bool prime = true) { session_->Start(prime); }

  SettingsModel& model() { return model_; }
  const DpiTable& table() const { return table_; }
  ModelDeviceBinding& binding() { return binding_; }
  device::LinkSession& session() { return *session_; }
  device::DeviceLink& link() { return session_->link(); }
  SteadyClock& clock() { return clock_; }
  // The simulated mouse's firmware under --simulate, else null.
  hid::SimulatedMouseFirmware* simulated() { return firmware_.get(); }
  bool Connected() { return link().devicePresent != 0; }
  // "wired mouse", "receiver" or "none": where configuration goes now.
  std::string WriteTarget();
  // Writes config.ini and all five profiles (the window's deferred save).
  void SaveAll();

 private:
  Folders folders_;
  SettingsModel model_;
  DpiTable table_;
  MacroLibrary library_;
  ModelDeviceBinding binding_{model_, table_, library_};
  SteadyClock clock_;
  std::unique_ptr<SimulatedMouse> mouse_;
  std::unique_ptr<hid::SimulatedBackend> simulatedBackend_;
  std::unique_ptr<hid::SimulatedMouseFirmware> firmware_;
  std::unique_ptr<hid::HidBackend> hidrawBackend_;
  std::unique_ptr<device::LinkSession> session_;
};

// After `profile select`: when a mouse is connected, writes what differs between the profile of
// `previousSlot` (taken to be what the mouse holds) and the now current one, as the window's profile
// switch does. Quiet without a mouse.
void ApplySelectedProfile(const GlobalOptions& options, int previousSlot);

}  // namespace pelrin::cli

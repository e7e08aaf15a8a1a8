// pelrinctl list, status, reset and watch: the connection, the mouse's status, the factory reset and the
// changes made with the mouse's own buttons.
#include <CLI/CLI.hpp>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/device_session.h"
#include "device/status.h"
#include "settings/text.h"

namespace pelrin::cli {
namespace {

std::string Hex4(std::uint16_t value) {
  static const char* digits = "0123456789ABCDEF";
  std::string text = "0x";
  for (int shift = 12; shift >= 0; shift -= 4) text += digits[(value >> shift) & 0xF];
  return text;
}

const char* PowerText(PowerState state) {
  switch (state) {
    case PowerState::kCharging: return "charging";
    case PowerState::kCharged: return "fully charged";
    default: return "on battery";
  }
}

std::string BatteryText(const BatteryStatus& battery) {
  return std::to_string(battery.level) + "% (" + PowerText(battery.power) + ")";
}

void ExplainUnopenable(device::DeviceLink& link) {
  for (const auto& entry : link.Unopenable()) {
    std::cout << (entry.productId == device::kWiredProductId ? "wired mouse" : "receiver") << " at " << entry.path
              << " cannot be opened (" << std::strerror(entry.error) << ")";
    if (entry.error == EACCES || entry.error == EPERM) {
      std::cout << ": install the udev rule packaging/70-pelrin.rules (see README) and replug the mouse";
    }
    std::cout << '\n';
  }
}

void List(const GlobalOptions& options) {
  DeviceSession device(options);
  device::DeviceLink& link = device.link();
  link.DiscoverDevices();
  bool any = false;
  for (DeviceKind kind : {DeviceKind::kWired, DeviceKind::kReceiver}) {
    const bool wired = kind == DeviceKind::kWired;
    if ((wired ? link.wiredPresent : link.receiverPresent) == 0) continue;
    any = true;
    std::cout << (wired ? "wired mouse  248A:5B2E" : "receiver     248A:5B2F") << "  configuration "
              << ToUtf8(wired ? link.wiredFeaturePath : link.receiverFeaturePath);
    const std::u16string input = link.InputPath(kind);
    if (!input.empty()) std::cout << "  input " << ToUtf8(input);
    if (!link.IsFeatureOpen(kind)) std::cout << "  (not open)";
    std::cout << '\n';
  }
  ExplainUnopenable(link);
  if (!any && link.Unopenable().empty()) std::cout << "no mouse found\n";
  if (any) std::cout << "configuration goes to the " << device.WriteTarget() << '\n';
}

void Status(const GlobalOptions& options) {
  std::optional<StatusEffects> effects;
  device::SessionEvents events;
  events.status = [&](const BatteryStatus&, const StatusEffects& e) { effects = e; };
  DeviceSession device(options, std::move(events));
  const std::uint16_t before = device.model().sensorCode;
  device.Start();
  if (!device.Connected()) {
    ExplainUnopenable(device.link());
    FailDevice("no mouse connected");
  }
  std::cout << "connection  " << device.WriteTarget() << '\n';
  if (!effects) FailDevice("the mouse gave no status reply");
  std::cout << "battery     " << BatteryText(device.session().battery()) << '\n';
  std::cout << "sensor      " << Hex4(device.model().sensorCode);
  if (effects->sensorSwitched) {
    std::cout << " (was " << Hex4(before)
              << ": settings file and all five profiles rewritten with this sensor's DPI stages)";
  }
  std::cout << '\n';
}

void Reset(const GlobalOptions& options, bool yes) {
  DeviceSession device(options);
  const std::string name = ToUtf8(device.model().CurrentRecord().Value(kProfileName));
  if (!yes) {
    std::cerr << "Reset the mouse to its factory settings and profile \"" << name
              << "\" to its defaults? [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer) || (answer != "y" && answer != "Y" && answer != "yes")) {
      std::cerr << "nothing was changed\n";
      return;
    }
  }
  device.Start();
  device.session().Flush();  // the connection's own pass first, so the reset is the last word
  const std::string target = device.WriteTarget();
  const FactoryResetOutcome outcome = RunFactoryReset(device.session().channel(), device.binding(), device.session().sync());
  device.link().pollCounter = 0;
  if (outcome.frameSent) {
    std::cout << "factory reset sent to the " << target << "; ";
  } else {
    std::cout << "no mouse connected; ";
  }
  std::cout << "profile \"" << name << "\" is back to its defaults\n";
}

// SIGINT ends `watch` through this pipe, so the wait in the session's loop wakes at once.
int interruptPipe[2] = {-1, -1};
void OnInterrupt(int) {
  const char byte = 1;
  [[maybe_unused]] auto ignored = write(interruptPipe[1], &byte, 1);
}

// The stage counts enabled stages only; the DPI shown is that enabled stage's value.
int ActiveDpi(const ProfileRecord& record, const DpiTable& table) {
  int enabledSeen = 0;
  for (std::size_t stage = 0; stage < kDpiStageCount; ++stage) {
    if ((record.DPIOffOnFlagValue & (1u << stage)) == 0) continue;
    if (enabledSeen++ == record.CurrentDPILevelValue) return table.DpiAt(record.XYSetting[stage]);
  }
  return 0;
}

void Watch(const GlobalOptions& options, int pressSeconds) {
  if (pipe2(interruptPipe, O_CLOEXEC | O_NONBLOCK) != 0) FailDevice("cannot watch: no pipe");
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  DeviceSession* current = nullptr;
  device::SessionEvents events;
  events.buttonChange = [&](const ButtonChange&) {
    SettingsModel& model = current->model();
    const ProfileRecord& record = model.CurrentRecord();
    std::cout << "profile " << model.CurrentProfileSlot() << " \"" << ToUtf8(record.Value(kProfileName))
              << "\": DPI stage " << record.CurrentDPILevelValue + 1 << " (" << ActiveDpi(record, current->table())
              << " DPI), polling " << ToUtf8(record.PollingRateName) << std::endl;
    // Taken over into the active profile, and kept there for the window and the next command.
    WriteProfileFile(model, model.CurrentProfileSlot(), model.appSettings.SlotPath(model.CurrentProfileSlot()));
  };
  events.status = [](const BatteryStatus& battery, const StatusEffects&) {
    std::cout << "battery " << BatteryText(battery) << std::endl;
  };
  events.save = [&] { current->SaveAll(); };
  DeviceSession device(options, std::move(events));
  current = &device;
  device.Start();
  if (!device.Connected()) {
    ExplainUnopenable(device.link());
    std::cout << "waiting for the mouse (Ctrl+C ends)" << std::endl;
  } else {
    std::cout << "watching the mouse through the " << device.WriteTarget() << " (Ctrl+C ends)" << std::endl;
  }

  auto nextPress = device.clock().Now() + std::chrono::seconds(pressSeconds);
  for (;;) {
    if (device.session().WaitAndDispatch(Milliseconds{250}, interruptPipe[0])) break;
    if (device.session().ended()) {
      std::cout << "the mouse was unplugged" << std::endl;
      break;
    }
    if (device.simulated() != nullptr && pressSeconds > 0 && device.clock().Now() >= nextPress) {
      nextPress += std::chrono::seconds(pressSeconds);
      device.simulated()->PressDpiButton();
    }
  }
  device.session().Flush();
  signal(SIGINT, SIG_DFL);
  signal(SIGTERM, SIG_DFL);
}

}  // namespace

void AddLinkCommands(CLI::App& app, GlobalOptions& options) {

  app.add_subcommand("list", "Show the mouse's devices (cable, receiver) and which one gets the configuration")
      ->callback([&options] { List(options); });

  app.add_subcommand("status", "Ask the mouse for battery, charging and sensor (a new sensor rewrites the profiles)")
      ->callback([&options] { Status(options); });

  auto yes = std::make_shared<bool>(false);
  auto* reset = app.add_subcommand("reset", "Factory reset: the mouse and the active profile go back to defaults");
  reset->add_flag("--yes,-y", *yes, "do not ask for confirmation");
  reset->callback([&options, yes] { Reset(options, *yes); });

  auto pressSeconds = std::make_shared<int>(5);
  auto* watch = app.add_subcommand(
      "watch", "Print DPI and polling changes made with the mouse's buttons, and the battery every 21 s, until Ctrl+C");
  watch->add_option("--press-every", *pressSeconds,
                    "under --simulate: seconds between presses of the simulated DPI button (0: never)")
      ->default_val(5)
      ->check(CLI::Range(0, 3600));
  watch->callback([&options, pressSeconds] { Watch(options, *pressSeconds); });
}

}  // namespace pelrin::cli

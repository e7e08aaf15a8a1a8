// The command groups of pelrinctl; each group registers its subcommands on the application.
#pragma once

#include <string>

namespace CLI {
class App;
}

namespace pelrin::cli {

// Options every command takes.
struct GlobalOptions {
  std::string simulate;     // "", "wired", "receiver" or "both": run against the built-in simulated mouse
  std::string simulateLog;  // file that receives every feature report the simulated mouse gets
};

// profiles, profile export/import/select (cli/profile_commands.cpp).
void AddProfileCommands(CLI::App& app, GlobalOptions& options);
// apply (cli/device_commands.cpp).
void AddDeviceCommands(CLI::App& app, GlobalOptions& options);
// list, status, reset, watch (cli/link_commands.cpp).
void AddLinkCommands(CLI::App& app, GlobalOptions& options);

}  // namespace pelrin::cli

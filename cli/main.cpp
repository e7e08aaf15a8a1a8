// pelrinctl: inspect and change pelrin's profiles and the mouse from a terminal.
#include <CLI/CLI.hpp>

#include <string>

#include "cli/commands.h"

int main(int argc, char** argv) {
  CLI::App app{"pelrinctl: configure the Korvex mouse from the command line"};
  // Usage errors end with one line on stderr, like every other failure.
  app.failure_message([](const CLI::App*, const CLI::Error& error) {
    return "pelrinctl: " + std::string(error.what()) + " (see pelrinctl --help)\n";
  });
  app.require_subcommand(1);
  pelrin::cli::GlobalOptions options;
  pelrin::cli::AddProfileCommands(app, options);
  pelrin::cli::AddDeviceCommands(app, options);
  CLI11_PARSE(app, argc, argv);
  return 0;
}

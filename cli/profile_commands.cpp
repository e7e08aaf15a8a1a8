// pelrinctl commands that read and change the stored profiles.
#include <CLI/CLI.hpp>

#include "cli/commands.h"

namespace pelrin::cli {

void AddProfileCommands(CLI::App& app, GlobalOptions& /*options*/) {
  app.add_subcommand("profiles", "List the shown profiles, marking the current one");
}

}  // namespace pelrin::cli

// pelrinctl commands that talk to the mouse.
#include <CLI/CLI.hpp>

#include "cli/commands.h"

namespace pelrin::cli {

void AddDeviceCommands(CLI::App& /*app*/, GlobalOptions& /*options*/) {}

}  // namespace pelrin::cli

// pelrinctl: inspect and change pelrin's profiles and the mouse from a terminal.
#include <CLI/CLI.hpp>

int main(int argc, char** argv) {
  CLI::App app{"pelrinctl: configure the Korvex mouse from the command line"};
  app.require_subcommand(1);
  app.add_subcommand("profiles", "List the shown profiles, marking the current one");
  CLI11_PARSE(app, argc, argv);
  return 0;
}

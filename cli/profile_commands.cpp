// pelrinctl commands that read and change the stored profiles.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "settings/settings_model.h"
#include "settings/startup.h"
#include "settings/text.h"

namespace pelrin::cli {
namespace {

// One line on stderr and a non-zero exit, the way every pelrinctl failure ends.
[[noreturn]] void Fail(const std::string& message) {
  std::cerr << "pelrinctl: " << message << '\n';
  throw CLI::RuntimeError(1);
}

int ParseSlot(const std::string& text) {
  if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + kProfileCount) return text[0] - '0';
  Fail("unknown slot '" + text + "': slots are 0 to " + std::to_string(kProfileCount - 1));
}

// Everything loaded the way the window loads it at start-up, so the commands see (and, on a first run or
// after damage, write) the same files.
struct LoadedSettings {
  Folders folders;
  SettingsModel model;
};

std::unique_ptr<LoadedSettings> LoadSettings() {
  auto loaded = std::make_unique<LoadedSettings>();
  loaded->folders = PrepareFolders(UserConfigRoot());
  loaded->model = MakeSettingsModel(loaded->folders.data);
  LoadAtStartup(loaded->folders, loaded->model, StartupHooks{});
  return loaded;
}

bool IsShown(const AppSettings& settings, int slot) {
  const std::vector<int> shown = settings.ShownSlots();
  return std::find(shown.begin(), shown.end(), slot) != shown.end();
}

void ListProfiles() {
  const auto loaded = LoadSettings();
  const SettingsModel& model = loaded->model;
  const int current = model.CurrentProfileSlot();
  for (int slot : model.appSettings.ShownSlots()) {
    std::cout << (slot == current ? "* " : "  ") << slot << "  "
              << ToUtf8(model.profiles[static_cast<std::size_t>(slot)].Value(kProfileName)) << '\n';
  }
}

void ExportSlot(int slot, const std::string& file) {
  const auto loaded = LoadSettings();
  if (!ExportProfile(loaded->model, slot, file)) Fail("cannot write " + file);
}

void ImportSlot(int slot, const std::string& file) {
  const auto loaded = LoadSettings();
  const ProfileReadResult result = ImportProfile(loaded->model, slot, file);
  if (result) return;
  if (result.line == 0) Fail("cannot read " + file);
  Fail(file + " is not a profile file (line " + std::to_string(result.line) + ": " + result.reason +
       "); nothing was changed");
}

void SelectSlot(int slot) {
  const auto loaded = LoadSettings();
  SettingsModel& model = loaded->model;
  if (!IsShown(model.appSettings, slot)) Fail("slot " + std::to_string(slot) + " is not one of the shown profiles");
  SelectProfile(model, slot);
  if (!SaveCurrentProfile(model)) Fail("cannot write " + model.SettingsFile().string());
}

}  // namespace

void AddProfileCommands(CLI::App& app, GlobalOptions& /*options*/) {
  app.add_subcommand("profiles", "List the shown profiles in order, marking the current one with *")
      ->callback(ListProfiles);

  auto* profile = app.add_subcommand("profile", "Export, import or select one profile slot (0 to 4)");
  profile->require_subcommand(1);

  struct Arguments {
    std::string slot;
    std::string file;
  };
  auto arguments = std::make_shared<Arguments>();

  auto* exportCommand = profile->add_subcommand("export", "Write the profile of SLOT to FILE (.psf)");
  exportCommand->add_option("SLOT", arguments->slot, "profile slot, 0 to 4")->required();
  exportCommand->add_option("FILE", arguments->file, "profile file to write")->required();
  exportCommand->callback([arguments] { ExportSlot(ParseSlot(arguments->slot), arguments->file); });

  auto* importCommand =
      profile->add_subcommand("import", "Replace the profile of SLOT by FILE (.psf); a bad file changes nothing");
  importCommand->add_option("SLOT", arguments->slot, "profile slot, 0 to 4")->required();
  importCommand->add_option("FILE", arguments->file, "profile file to read")->required();
  importCommand->callback([arguments] { ImportSlot(ParseSlot(arguments->slot), arguments->file); });

  auto* selectCommand = profile->add_subcommand("select", "Make SLOT the current profile");
  selectCommand->add_option("SLOT", arguments->slot, "profile slot, 0 to 4")->required();
  selectCommand->callback([arguments] { SelectSlot(ParseSlot(arguments->slot)); });
}

}  // namespace pelrin::cli

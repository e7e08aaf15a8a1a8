// pelrinctl commands that talk to the mouse.
#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/device_session.h"
#include "device/frame.h"
#include "device/full_profile.h"
#include "macros/library_file.h"
#include "macros/macro_library.h"
#include "settings/dpi_table.h"
#include "settings/profile_file.h"
#include "settings/settings_model.h"
#include "settings/startup.h"
#include "settings/text.h"

namespace pelrin::cli {
namespace {

[[noreturn]] void Fail(const std::string& message) {
  std::cerr << "pelrinctl: " << message << '\n';
  throw CLI::RuntimeError(1);
}

struct ApplyOptions {
  std::optional<int> slot;
  std::string file;
  std::string library;
  bool dryRun = false;
};

void Apply(const ApplyOptions& options, const GlobalOptions& global) {
  Folders folders = PrepareFolders(UserConfigRoot());
  auto model = std::make_unique<SettingsModel>(MakeSettingsModel(folders.data));
  auto library = std::make_unique<MacroLibrary>();
  StartupHooks hooks;
  // The library named on the command line replaces the data folder's.
  hooks.loadMacroLibrary = [&](const Folders& f) {
    if (options.library.empty()) ReadLibraryFile(f.config / kLibraryFileName, *library);
  };
  LoadAtStartup(folders, *model, hooks);
  if (!options.library.empty() && !ReadLibraryFile(options.library, *library).ok) {
    Fail(options.library + " is not a macro library file");
  }

  ProfileRecord record;
  if (!options.file.empty()) {
    const ProfileReadResult read = LoadProfileFile(options.file, record);
    if (!read) Fail(options.file + " is not a profile file (line " + std::to_string(read.line) + ")");
  } else {
    const int slot = options.slot.value_or(model->CurrentProfileSlot());
    record = model->profiles[static_cast<std::size_t>(slot)];
  }
  DpiTable table;
  BuildDpiTable(model->sensorCode, table);

  SequenceCounter sequence;
  const FullProfileFrames built = BuildFullProfileFrames(record, table, *library, sequence);
  if (built.droppedMacroEvents > 0) {
    std::cerr << "pelrinctl: " << built.droppedMacroEvents
              << " macro events left out: a macro carries at most " << kMaxSentMacroEvents << " events\n";
  }
  if (options.dryRun) {
    for (const Report& frame : built.frames) std::cout << FormatReportHex(frame) << '\n';
    return;
  }
  DeviceSession device(global);
  device.Start();
  if (!device.Connected()) Fail("no mouse connected (--dry-run prints the frames instead)");
  // Built again on the link's own counter, which the connection's status request has advanced.
  const FullProfileFrames sent =
      BuildFullProfileFrames(record, table, *library, device.session().channel().sequence());
  if (!SendFrames(device.link(), device.clock(), sent.frames)) Fail("the mouse went away");
  std::cout << "profile \"" << ToUtf8(record.Value(kProfileName)) << "\" written to the " << device.WriteTarget()
            << " in " << sent.frames.size() << " frames\n";
}

}  // namespace

void AddDeviceCommands(CLI::App& app, GlobalOptions& options) {
  auto applyOptions = std::make_shared<ApplyOptions>();
  auto* apply = app.add_subcommand("apply", "Write a whole profile to the mouse, every setting and macro");
  auto* slot = apply->add_option_function<int>(
      "--slot", [applyOptions](int value) { applyOptions->slot = value; }, "Profile slot 0 to 4 (default: current)");
  slot->check(CLI::Range(0, kProfileCount - 1));
  apply->add_option("--file", applyOptions->file, "Profile file (.psf) to write instead of a slot")
      ->excludes(slot)
      ->check(CLI::ExistingFile);
  apply->add_option("--library", applyOptions->library, "Macro library file (.mlf) the macros are numbered against")
      ->check(CLI::ExistingFile);
  apply->add_flag("--dry-run", applyOptions->dryRun, "Print each frame as one hex line instead of sending");
  apply->callback([applyOptions, &options] { Apply(*applyOptions, options); });
}

}  // namespace pelrin::cli

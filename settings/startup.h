// Start-up values fixed once per run (folders, interface scale) and the ordered start-up load that the
// window and pelrinctl share.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

#include "settings/language.h"
#include "settings/language_file.h"
#include "settings/settings_model.h"

namespace pelrin {

inline constexpr char kDataFolderName[] = "KorvexData20240419A";

struct Folders {
  std::filesystem::path app;     // folder of the running program; skins/ lies here
  std::filesystem::path data;    // <config root>/KorvexData20240419A
  std::filesystem::path config;  // data/config
};

// The folder holding the running executable (from /proc/self/exe); empty when it cannot be found.
std::filesystem::path ExecutableFolder();

// $XDG_CONFIG_HOME when it is set to an absolute path, else $HOME/.config (the home folder from the
// user database when HOME is not set).
std::filesystem::path UserConfigRoot(const EnvironmentLookup& environment = ProcessEnvironment);

// The folders under `configRoot`; the data and config folders are created when missing. Failures are
// ignored: readers then fall back to defaults and saves fail quietly.
Folders PrepareFolders(const std::filesystem::path& configRoot);

// 2.0 when the full-screen area is larger than 2400 x 1600, 1.5 when larger than 1800 x 1200, else 1.0
// (both sides strictly larger).
float ChooseUiScale(int width, int height);

// What the layers above plug into the start-up load.
struct StartupHooks {
  // Runs after the language and before the settings: loads the macro library from the config folder.
  std::function<void(const Folders&)> loadMacroLibrary;
  // Runs last, with the sensor code in force: builds the DPI table (BuildDpiTable).
  std::function<void(std::uint16_t sensorCode)> buildDpiTable;
};

struct StartupResult {
  bool languageLoaded = false;  // the language file was read to its end: choose the interface font now
  SettingsLoadResult settings;
};

// The load of a start-up, in order: put the shipped language files in place when missing and load the
// language; load the macro library; load the settings and the five profiles with the sensor check; build
// the DPI table. `model` must have been made for `folders.data`.
StartupResult LoadAtStartup(const Folders& folders, SettingsModel& model, const StartupHooks& hooks,
                            LanguageTable& language = Language(),
                            const EnvironmentLookup& environment = ProcessEnvironment);

}  // namespace pelrin

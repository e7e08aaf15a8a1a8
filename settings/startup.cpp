// Start-up values and the ordered start-up load.
#include "settings/startup.h"

#include <pwd.h>
#include <unistd.h>

#include <system_error>

namespace pelrin {

std::filesystem::path ExecutableFolder() {
  std::error_code error;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : executable.parent_path();
}

std::filesystem::path UserConfigRoot(const EnvironmentLookup& environment) {
  const char* xdg = environment("XDG_CONFIG_HOME");
  if (xdg != nullptr && std::filesystem::path(xdg).is_absolute()) return xdg;
  const char* home = environment("HOME");
  if (home == nullptr || *home == '\0') {
    const passwd* user = ::getpwuid(::getuid());
    home = user != nullptr ? user->pw_dir : "";
  }
  return std::filesystem::path(home) / ".config";
}

Folders PrepareFolders(const std::filesystem::path& configRoot) {
  Folders folders;
  folders.app = ExecutableFolder();
  folders.data = configRoot / kDataFolderName;
  folders.config = folders.data / "config";
  std::error_code ignored;
  std::filesystem::create_directories(folders.config, ignored);
  return folders;
}

float ChooseUiScale(int width, int height) {
  if (width > 2400 && height > 1600) return 2.0F;
  if (width > 1800 && height > 1200) return 1.5F;
  return 1.0F;
}

StartupResult LoadAtStartup(const Folders& folders, SettingsModel& model, const StartupHooks& hooks,
                            LanguageTable& language, const EnvironmentLookup& environment) {
  StartupResult result;
  InstallLanguageFiles(folders.config, environment);
  result.languageLoaded = LoadLanguage(folders.config, language);
  if (hooks.loadMacroLibrary) hooks.loadMacroLibrary(folders);
  model.language = &language;
  result.settings = LoadSettingsAndProfiles(model);
  if (hooks.buildDpiTable) hooks.buildDpiTable(model.sensorCode);
  return result;
}

}  // namespace pelrin

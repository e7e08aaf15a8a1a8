// Locating the program folder and handing fontconfig the bundled configuration.
#include "skins/font_setup.h"

#include <cstdlib>
#include <system_error>

namespace pelrin::skins {

std::filesystem::path ProgramFolder() {
  std::error_code error;
  std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return executable.parent_path();
}

bool UseBundledFontConfig(const std::filesystem::path& programFolder) {
  if (const char* chosen = std::getenv("FONTCONFIG_FILE"); chosen != nullptr && *chosen != '\0') return false;
  if (programFolder.empty()) return false;
  const std::filesystem::path conf = programFolder / "fonts.conf";
  std::error_code error;
  if (!std::filesystem::is_regular_file(conf, error)) return false;
  return setenv("FONTCONFIG_FILE", conf.c_str(), 1) == 0;
}

}  // namespace pelrin::skins

// The language files in the config folder: which one is chosen, how it is read, and putting the shipped
// files in place on a first run.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "settings/language.h"

namespace pelrin {

inline constexpr char kLanguageSettingFileName[] = "LanSetting.ini";
inline constexpr char kEnglishLanguageFileName[] = "Lan_EN.txt";
inline constexpr char kOtherLanguageFileName[] = "Lan.txt";

// Reads an environment variable; nullptr when it is not set. Tests pass their own.
using EnvironmentLookup = std::function<const char*(const char*)>;
const char* ProcessEnvironment(const char* name);

// The language file LanSetting.ini (its bytes; nullopt when there is none) chooses: Lan_EN.txt for the
// code "EN" exactly, Lan.txt in every other case.
std::string ChooseLanguageFile(const std::optional<std::string>& settingFileBytes);

// Reads a language file's bytes into `table`. Fails, storing nothing, when the first line is not
// "[Setting]"; a malformed line (no "=", "=" first or nothing after it) stops the reading with failure,
// keeping what was stored before it. Lines whose index lies outside 0 to 499 are skipped.
bool ReadLanguageFile(std::string_view bytes, LanguageTable& table);

// Clears `table`, chooses the file in `configFolder` and reads it. True when a file was read to its end;
// only then may the interface font be chosen from entry 0.
bool LoadLanguage(const std::filesystem::path& configFolder, LanguageTable& table = Language());

// Entry 0 names the language; Chinese takes the Chinese interface font.
bool LanguageIsChinese(const LanguageTable& table = Language());

// The code a new LanSetting.ini gets: "CN" when the user's locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG,
// the first one set) is Chinese, "EN" otherwise.
std::u16string LanguageCodeForLocale(const EnvironmentLookup& environment = ProcessEnvironment);

// First-run set-up: copies each shipped language file into `configFolder` when it is not there and
// creates LanSetting.ini for the user's locale when it is missing. Never replaces a file the user has;
// failures are ignored (the reader then falls back as usual).
void InstallLanguageFiles(const std::filesystem::path& configFolder,
                          const EnvironmentLookup& environment = ProcessEnvironment);

}  // namespace pelrin

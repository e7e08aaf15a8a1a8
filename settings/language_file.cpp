// The language files: choice, reading and first-run set-up.
#include "settings/language_file.h"

#include <cstdlib>
#include <system_error>

#include "settings/shipped_language.h"
#include "settings/text.h"
#include "settings/text_file.h"

namespace pelrin {

const char* ProcessEnvironment(const char* name) { return std::getenv(name); }

std::optional<std::string_view> ShippedLanguage(std::string_view name) {
  for (const auto& file : ShippedLanguageFiles()) {
    if (file.name == name) return file.bytes;
  }
  return std::nullopt;
}

std::string ChooseLanguageFile(const std::optional<std::string>& settingFileBytes) {
  if (settingFileBytes) {
    const auto lines = SplitUtf16Lines(*settingFileBytes);
    if (lines.size() >= 2 && lines[0] == u"[ChangeLanguage]") {
      const auto equals = lines[1].find(u'=');
      if (equals != std::u16string::npos && equals != 0 && lines[1].substr(equals + 1) == u"EN") {
        return kEnglishLanguageFileName;
      }
    }
  }
  return kOtherLanguageFileName;
}

bool ReadLanguageFile(std::string_view bytes, LanguageTable& table) {
  const auto lines = SplitUtf16Lines(bytes);
  if (lines.empty() || lines[0] != u"[Setting]") return false;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::u16string& line = lines[i];
    const auto equals = line.find(u'=');
    if (equals == std::u16string::npos || equals == 0 || equals + 1 == line.size()) return false;
    const long long index = ParseLeadingInteger(std::u16string_view(line).substr(0, equals), 10);
    if (index < 0 || index >= kLanguageEntryCount) continue;
    table.Set(static_cast<int>(index), line.substr(equals + 1));
  }
  return true;
}

bool LoadLanguage(const std::filesystem::path& configFolder, LanguageTable& table) {
  table.Clear();
  const std::string name = ChooseLanguageFile(ReadFileBytes(configFolder / kLanguageSettingFileName));
  const auto bytes = ReadFileBytes(configFolder / name);
  return bytes && ReadLanguageFile(*bytes, table);
}

bool LanguageIsChinese(const LanguageTable& table) { return table.Entry(0) == u"中文"; }

std::u16string LanguageCodeForLocale(const EnvironmentLookup& environment) {
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = environment(name);
    if (value == nullptr || *value == '\0') continue;
    const std::string_view locale(value);
    return locale.substr(0, 2) == "zh" ? u"CN" : u"EN";
  }
  return u"EN";
}

void InstallLanguageFiles(const std::filesystem::path& configFolder, const EnvironmentLookup& environment) {
  std::error_code error;
  for (const auto& file : ShippedLanguageFiles()) {
    const auto path = configFolder / file.name;
    if (!std::filesystem::exists(path, error) && !error) WriteFileAtomically(path, file.bytes);
  }
  const auto setting = configFolder / kLanguageSettingFileName;
  if (!std::filesystem::exists(setting, error) && !error) {
    WriteUtf16LinesFile(setting, {u"[ChangeLanguage]", u"Language=" + LanguageCodeForLocale(environment)});
  }
}

}  // namespace pelrin

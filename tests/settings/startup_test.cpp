// Start-up values and the order of the start-up load.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "settings/startup.h"
#include "settings/text_file.h"
#include "settings_test_support.h"

namespace pelrin {
namespace {

TEST(UiScale, StrictlyLargerScreensScaleUp) {
  struct Case {
    int width, height;
    float scale;
  } cases[] = {{3840, 2080, 2.0F}, {2560, 1380, 1.5F}, {2560, 1400, 1.5F}, {2400, 1600, 1.5F},
               {2401, 1601, 2.0F}, {1800, 1200, 1.0F}, {1801, 1201, 1.5F}, {1920, 1050, 1.0F},
               {1920, 1080, 1.0F}, {0, 0, 1.0F}};
  for (const auto& c : cases) EXPECT_EQ(ChooseUiScale(c.width, c.height), c.scale) << c.width << "x" << c.height;
}

TEST(Folders, ConfigRootFollowsXdgConfigHome) {
  auto lookup = [](std::map<std::string, std::string> values) {
    return [values](const char* name) -> const char* {
      const auto it = values.find(name);
      return it == values.end() ? nullptr : it->second.c_str();
    };
  };
  EXPECT_EQ(UserConfigRoot(lookup({{"XDG_CONFIG_HOME", "/x/conf"}, {"HOME", "/home/u"}})), "/x/conf");
  EXPECT_EQ(UserConfigRoot(lookup({{"XDG_CONFIG_HOME", "relative"}, {"HOME", "/home/u"}})), "/home/u/.config");
  EXPECT_EQ(UserConfigRoot(lookup({{"HOME", "/home/u"}})), "/home/u/.config");
  EXPECT_FALSE(ExecutableFolder().empty());
}

class Startup : public testing::TempFolderTest {};

TEST_F(Startup, AFirstRunCreatesTheFoldersAndLoadsInOrder) {
  const Folders folders = PrepareFolders(folder_ / "root");
  EXPECT_EQ(folders.config, folder_ / "root" / "KorvexData20240419A" / "config");
  EXPECT_TRUE(std::filesystem::is_directory(folders.config));

  LanguageTable language;
  SettingsModel model = MakeSettingsModel(folders.data, language);
  std::vector<std::string> order;
  StartupHooks hooks;
  hooks.loadMacroLibrary = [&](const Folders& f) {
    EXPECT_EQ(f.config, folders.config);
    EXPECT_FALSE(language.Entry(85).empty()) << "the language is loaded before the macro library";
    EXPECT_FALSE(std::filesystem::exists(folders.config / "config.ini")) << "and the settings after it";
    order.push_back("macros");
  };
  hooks.buildDpiTable = [&](std::uint16_t sensor) {
    EXPECT_EQ(sensor, 0x3325);
    order.push_back("dpi");
  };
  const StartupResult result =
      LoadAtStartup(folders, model, hooks, language, [](const char*) -> const char* { return nullptr; });
  EXPECT_TRUE(result.languageLoaded);
  EXPECT_FALSE(result.settings.settingsFileValid);
  EXPECT_EQ(order, (std::vector<std::string>{"macros", "dpi"}));
  EXPECT_EQ(language.Entry(0), u"English");
  EXPECT_EQ(model.profiles[0].Value(kProfileName), language.Entry(85));
  for (const char* name : {"config.ini", "LanSetting.ini", "Lan.txt", "Lan_EN.txt", "default0.psf", "default4.psf"}) {
    EXPECT_TRUE(std::filesystem::exists(folders.config / name)) << name;
  }
}

TEST_F(Startup, FolderFailuresAreIgnored) {
  ASSERT_TRUE(WriteFileAtomically(folder_ / "file", "x"));
  const Folders folders = PrepareFolders(folder_ / "file");
  EXPECT_FALSE(std::filesystem::exists(folders.config));
  SettingsModel model = MakeSettingsModel(folders.data);
  LanguageTable language;
  const StartupResult result = LoadAtStartup(folders, model, {}, language);
  EXPECT_FALSE(result.languageLoaded);
  EXPECT_EQ(model.appSettings, DefaultAppSettings(folders.data));
}

}  // namespace
}  // namespace pelrin

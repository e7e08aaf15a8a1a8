// Language files: the choice of file, the reading rules, the shipped tables and first-run set-up.
#include <gtest/gtest.h>

#include <map>

#include "settings/language_file.h"
#include "settings/shipped_language.h"
#include "settings/text.h"
#include "settings/text_file.h"
#include "settings_test_support.h"

namespace pelrin {
namespace {

using testing::Utf16File;
const auto File = Utf16File;

EnvironmentLookup Environment(std::map<std::string, std::string> values) {
  return [values = std::move(values)](const char* name) -> const char* {
    const auto it = values.find(name);
    return it == values.end() ? nullptr : it->second.c_str();
  };
}

TEST(LanguageChoice, OnlyTheExactCodeENSelectsEnglish) {
  struct Case {
    const char* what;
    std::optional<std::string> setting;
    const char* file;
  } cases[] = {
      {"no settings file", std::nullopt, "Lan.txt"},
      {"EN", File(u"[ChangeLanguage]\nLanguage=EN\n"), "Lan_EN.txt"},
      {"any key", File(u"[ChangeLanguage]\nx=EN"), "Lan_EN.txt"},
      {"lower case", File(u"[ChangeLanguage]\nLanguage=en\n"), "Lan.txt"},
      {"CN", File(u"[ChangeLanguage]\nLanguage=CN\n"), "Lan.txt"},
      {"carriage return", File(u"[ChangeLanguage]\r\nLanguage=EN\r\n"), "Lan.txt"},
      {"wrong header", File(u"[Setting]\nLanguage=EN\n"), "Lan.txt"},
      {"no second line", File(u"[ChangeLanguage]\n"), "Lan.txt"},
      {"= first", File(u"[ChangeLanguage]\n=EN\n"), "Lan.txt"},
      {"no byte-order mark", File(u"[ChangeLanguage]\nLanguage=EN\n").substr(2), "Lan.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(ChooseLanguageFile(c.setting), c.file) << c.what;
}

TEST(LanguageReading, ReadingRules) {
  LanguageTable table;
  EXPECT_TRUE(ReadLanguageFile(File(u"[Setting]\n1=a=b\nx=no index\n7=first\n7=second\n500=out\n-1=out\n499=last\n"),
                               table));
  EXPECT_EQ(table.Entry(1), u"a=b");
  EXPECT_EQ(table.Entry(0), u"no index");
  EXPECT_EQ(table.Entry(7), u"second");
  EXPECT_EQ(table.Entry(499), u"last");

  LanguageTable stopped;
  EXPECT_FALSE(ReadLanguageFile(File(u"[Setting]\n1=one\n2=\n3=three\n"), stopped));
  EXPECT_EQ(stopped.Entry(1), u"one");
  EXPECT_EQ(stopped.Entry(3), u"");

  for (const auto& bad : {File(u"[Setting]\r\n1=one\r\n"), File(u"1=one\n"), std::string()}) {
    LanguageTable untouched;
    EXPECT_FALSE(ReadLanguageFile(bad, untouched));
    EXPECT_EQ(untouched.Entry(1), u"");
  }
  LanguageTable noEquals;
  EXPECT_FALSE(ReadLanguageFile(File(u"[Setting]\n1=one\n2 two\n"), noEquals));
  EXPECT_FALSE(ReadLanguageFile(File(u"[Setting]\n=one\n"), noEquals));
}

TEST(ShippedLanguages, ReadWholeAndHoldTheDefaultNames) {
  ASSERT_TRUE(ShippedLanguage("Lan_EN.txt").has_value());
  ASSERT_TRUE(ShippedLanguage("Lan.txt").has_value());
  EXPECT_FALSE(ShippedLanguage("Lan_XX.txt").has_value());
  for (const auto& file : ShippedLanguageFiles()) {
    LanguageTable table;
    ASSERT_TRUE(ReadLanguageFile(file.bytes, table)) << file.name;
    EXPECT_EQ(file.bytes.substr(0, 2), "\xFF\xFE");
    for (const auto& line : SplitUtf16Lines(file.bytes)) {
      EXPECT_EQ(line.find(u'\r'), std::u16string::npos) << file.name;
    }
    for (int entry : {0, 20, 21, 22, 23, 24, 34, 42, 85, 86, 87, 88, 89, 100, 150}) {
      EXPECT_FALSE(table.Entry(entry).empty()) << file.name << " entry " << entry;
    }
    EXPECT_EQ(LanguageIsChinese(table), file.name == "Lan.txt") << file.name;
  }
}

TEST(LanguageLocale, ChineseLocalesGetTheChineseTable) {
  struct Case {
    std::map<std::string, std::string> environment;
    std::u16string code;
  } cases[] = {
      {{}, u"EN"},
      {{{"LANG", "zh_CN.UTF-8"}}, u"CN"},
      {{{"LANG", "de_DE.UTF-8"}}, u"EN"},
      {{{"LANGUAGE", "zh_TW:en"}, {"LANG", "en_US.UTF-8"}}, u"CN"},
      {{{"LC_ALL", "en_GB.UTF-8"}, {"LANG", "zh_CN.UTF-8"}}, u"EN"},
      {{{"LANGUAGE", ""}, {"LC_MESSAGES", "zh_HK"}}, u"CN"},
  };
  for (const auto& c : cases) EXPECT_EQ(LanguageCodeForLocale(Environment(c.environment)), c.code);
}

class LanguageInstall : public testing::TempFolderTest {};

TEST_F(LanguageInstall, AFirstRunGetsTheShippedFilesAndAChoiceForTheLocale) {
  InstallLanguageFiles(folder_, Environment({{"LANG", "zh_CN.UTF-8"}}));
  EXPECT_EQ(ReadFileBytes(folder_ / "Lan.txt"), std::string(*ShippedLanguage("Lan.txt")));
  EXPECT_EQ(ReadFileBytes(folder_ / "Lan_EN.txt"), std::string(*ShippedLanguage("Lan_EN.txt")));
  LanguageTable table;
  EXPECT_TRUE(LoadLanguage(folder_, table));
  EXPECT_TRUE(LanguageIsChinese(table));

  // An English user's choice and edited texts stay as they are.
  ASSERT_TRUE(WriteUtf16LinesFile(folder_ / "LanSetting.ini", {u"[ChangeLanguage]", u"Language=EN"}));
  ASSERT_TRUE(WriteUtf16LinesFile(folder_ / "Lan_EN.txt", {u"[Setting]", u"0=Mine", u"85=Work"}));
  InstallLanguageFiles(folder_, Environment({{"LANG", "zh_CN.UTF-8"}}));
  EXPECT_TRUE(LoadLanguage(folder_, table));
  EXPECT_EQ(table.Entry(0), u"Mine");
  EXPECT_EQ(table.Entry(1), u"");  // the table was cleared before loading
  EXPECT_FALSE(LanguageIsChinese(table));
}

TEST_F(LanguageInstall, WithoutFilesNothingLoads) {
  LanguageTable table;
  table.Set(3, u"old");
  EXPECT_FALSE(LoadLanguage(folder_, table));
  EXPECT_EQ(table.Entry(3), u"");
  InstallLanguageFiles(folder_ / "missing", Environment({}));  // a folder that cannot be written: no harm
  EXPECT_FALSE(std::filesystem::exists(folder_ / "missing"));
}

}  // namespace
}  // namespace pelrin

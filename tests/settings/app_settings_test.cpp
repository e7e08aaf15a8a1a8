// The application settings file: exact text, reading rules and the slot-value repair.
#include <gtest/gtest.h>

#include "settings/app_settings.h"
#include "settings/text.h"
#include "settings/text_file.h"
#include "settings_test_support.h"

namespace pelrin {
namespace {

const auto File = testing::Utf16File;

TEST(AppSettingsFile, DefaultsAreByteForByteTheDefaultFile) {
  const AppSettings settings = DefaultAppSettings("/home/user/.config/KorvexData20240419A");
  const std::string expected = testing::Fixture("config.ini");
  EXPECT_EQ(EncodeUtf16Lines(AppSettingsLines(settings)), expected);
  EXPECT_EQ(ParseAppSettings(expected), settings);
  EXPECT_EQ(settings.Sensor(), 0x3325);
  EXPECT_EQ(settings.PreST(), 0xCCDA);
  EXPECT_EQ(settings.SlotPath(3), "/home/user/.config/KorvexData20240419A/config/default3.psf");
}

TEST(AppSettingsFile, ValidityOfFiles) {
  struct Case {
    const char* what;
    std::string bytes;
    bool valid;
  } cases[] = {
      {"only the header", File(u"[Setting]\n"), true},
      {"header without line feed", File(u"[Setting]"), true},
      {"some pairs", File(u"[Setting]\nSensor=0x3389\nPreST=0xCC76\n"), true},
      {"value with =", File(u"[Setting]\nSensor=a=b\n"), true},
      {"carriage returns", File(u"[Setting]\r\nSensor=0x3325\r\n"), false},
      {"no byte-order mark", File(u"[Setting]\n").substr(2), false},
      {"lower-case header", File(u"[setting]\n"), false},
      {"no =", File(u"[Setting]\nSensor\n"), false},
      {"= first", File(u"[Setting]\n=0x3325\n"), false},
      {"nothing after =", File(u"[Setting]\nSensor=\n"), false},
      {"empty line", File(u"[Setting]\n\nSensor=1\n"), false},
      {"empty file", "", false},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseAppSettings(c.bytes).has_value(), c.valid) << c.what;

  std::u16string seventeen = u"[Setting]\n";
  for (int i = 0; i < 16; ++i) seventeen += u"K=" + FormatDecimal(i) + u"\n";
  EXPECT_TRUE(ParseAppSettings(File(seventeen)).has_value());
  EXPECT_FALSE(ParseAppSettings(File(seventeen + u"K=16\n")).has_value());
}

TEST(AppSettingsFile, PairsAreTakenByPositionAndWrittenBackAsRead) {
  const std::u16string text =
      u"[Setting]\nSensor=0x3325\nPreST=0xCCDA\nMac_ID=x\nDataChange=y\n"
      u"ProfileShowCount=3\nCurrentProfile=1\nK=a=b\n";
  const auto settings = ParseAppSettings(File(text));
  ASSERT_TRUE(settings.has_value());
  EXPECT_EQ(settings->CurrentProfile(), 3);
  EXPECT_EQ(settings->ProfileShowCount(), 1);
  EXPECT_EQ(settings->Value(kProfileShowList0), u"a=b");
  EXPECT_EQ(settings->Key(7), u"");
  EXPECT_EQ(settings->ShownSlots(), std::vector<int>{0});  // "a=b" reads as slot 0
  EXPECT_EQ(settings->Value(16), u"");
  const auto lines = AppSettingsLines(*settings);
  EXPECT_EQ(lines[5], u"ProfileShowCount=3");
  EXPECT_EQ(lines[6], u"CurrentProfile=1");
}

TEST(AppSettingsValues, ConversionsAndSetters) {
  AppSettings settings;
  settings.SetValue(kSensor, u"3389");
  settings.SetValue(kPreST, u"0x1CCDA");
  settings.SetValue(kCurrentProfile, u"abc");
  EXPECT_EQ(settings.Sensor(), 0x3389);
  EXPECT_EQ(settings.PreST(), 0xCCDA);  // cut to 16 bits
  EXPECT_EQ(settings.CurrentProfile(), 0);

  settings.SetPreST(0x0001);
  EXPECT_EQ(settings.Value(kPreST), u"0x   1");
  settings.SetPreST(0xCC76);
  EXPECT_EQ(settings.Value(kPreST), u"0xCC76");
  settings.SetCurrentProfile(4);
  settings.SetProfileShowCount(5);
  EXPECT_EQ(settings.Value(kCurrentProfile), u"4");
  EXPECT_EQ(settings.Value(kProfileShowCount), u"5");
  EXPECT_EQ(settings.SlotPath(5), std::filesystem::path());
}

TEST(AppSettingsValues, SlotValuesOutsideTheFiveSlotsFallBackToTheirDefaults) {
  struct Case {
    const char* what;
    std::size_t position;
    std::u16string value;
    std::vector<std::size_t> restored;
  } cases[] = {
      {"current 5", kCurrentProfile, u"5", {kCurrentProfile}},
      {"current -1", kCurrentProfile, u"-1", {kCurrentProfile}},
      {"count 0", kProfileShowCount, u"0", {kProfileShowCount}},
      {"count 6", kProfileShowCount, u"6", {kProfileShowCount}},
      {"list repeats a slot", kProfileShowList0 + 1, u"0", {6, 7, 8, 9, 10}},
      {"list names slot 7", kProfileShowList0 + 4, u"7", {6, 7, 8, 9, 10}},
  };
  const AppSettings defaults = DefaultAppSettings("/d");
  for (const auto& c : cases) {
    AppSettings settings = defaults;
    settings.SetProfileShowList(0, 4);  // a legal order that is not the default one
    settings.SetProfileShowList(4, 0);
    for (std::size_t n = 0; n < kAppSettingCount; ++n) settings.pairs[n].key = u"k";
    settings.pairs[c.position].value = c.value;
    EXPECT_TRUE(RepairSlotSettings(settings)) << c.what;
    for (std::size_t n : c.restored) EXPECT_EQ(settings.pairs[n], defaults.pairs[n]) << c.what << " pair " << n;
    EXPECT_EQ(settings.pairs[kSensor].key, u"k") << c.what;  // untouched pairs keep their keys
    EXPECT_FALSE(RepairSlotSettings(settings)) << c.what;
  }
  AppSettings reordered = defaults;
  reordered.SetProfileShowList(0, 3);
  reordered.SetProfileShowList(3, 0);
  EXPECT_FALSE(RepairSlotSettings(reordered));
  EXPECT_EQ(reordered.ShownSlots(), (std::vector<int>{3, 1, 2}));
}

class AppSettingsSave : public testing::TempFolderTest {};

TEST_F(AppSettingsSave, SavesAndLoadsAndLeavesAnUnwritableFileAlone) {
  const AppSettings settings = DefaultAppSettings(folder_);
  ASSERT_TRUE(SaveAppSettings(settings, folder_ / "config.ini"));
  EXPECT_EQ(LoadAppSettings(folder_ / "config.ini"), settings);
  EXPECT_FALSE(LoadAppSettings(folder_ / "missing.ini").has_value());
  EXPECT_FALSE(SaveAppSettings(settings, folder_ / "no" / "config.ini"));
}

}  // namespace
}  // namespace pelrin

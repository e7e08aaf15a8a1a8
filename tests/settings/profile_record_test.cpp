// Profile defaults: every field, the per-sensor stages and the sensor-option setters.
#include <gtest/gtest.h>

#include "settings/profile_defaults.h"
#include "settings/profile_file.h"
#include "settings/text.h"
#include "settings_test_support.h"

namespace pelrin {
namespace {

using testing::FixtureLanguage;

TEST(ProfileDefaults, SlotZeroIsByteForByteTheDefaultProfileFile) {
  const ProfileRecord record = DefaultProfileRecord(0, kDefaultSensorCode, FixtureLanguage());
  EXPECT_EQ(EncodeProfileFile(record), testing::Fixture("default0.psf"));
}

TEST(ProfileDefaults, NamesComeFromTheLanguageForTheFiveSlotsOnly) {
  struct Case {
    int slot;
    std::u16string name;
  } cases[] = {{0, u"配置 1"}, {4, u"Profile 5"}, {5, u"Profile6"}, {-1, u"Profile0"}, {99, u"Profile100"}};
  for (const auto& c : cases) {
    EXPECT_EQ(DefaultProfileRecord(c.slot, kDefaultSensorCode, FixtureLanguage()).Value(kProfileName), c.name)
        << c.slot;
  }
}

TEST(ProfileDefaults, ResetDiscardsEverythingThatWasThere) {
  ProfileRecord record = DefaultProfileRecord(2, 0x3389, FixtureLanguage());
  record.keyAssignments[3].macro.actionCount = 4;
  record.keyAssignments[3].macro.loopType = 4;
  record.keyAssignments[3].macroIndex = 7;
  record.namedSettings[4] = {u"Renamed", u"99"};
  record.Lighting1FixedColor[9][9] = 0x123456;
  ResetProfileRecord(record, 2, 0x3389, FixtureLanguage());
  EXPECT_EQ(record, DefaultProfileRecord(2, 0x3389, FixtureLanguage()));
}

TEST(SensorDefaults, StagesFollowTheSensorAndUnknownSensorsKeepThem) {
  ProfileRecord record = DefaultProfileRecord(0, 0x3399, FixtureLanguage());
  EXPECT_EQ(record.XYSetting, (std::array<std::uint16_t, 8>{7, 15, 31, 63, 99, 99, 99, 99}));

  record.DPIOffOnFlagValue = 0x01;
  record.CurrentDPILevelValue = 0;
  record.DPILevelIndication.fill(0);
  record.AngleSnapValue = 1;
  record.LiftDetectionValue = 1;
  ApplySensorDefaults(record, 0x1234);  // not a known sensor
  EXPECT_EQ(record.XYSetting, (std::array<std::uint16_t, 8>{7, 15, 31, 63, 99, 99, 99, 99}));
  EXPECT_EQ(record.DPIOffOnFlagValue, 0x1F);
  EXPECT_EQ(record.CurrentDPILevelValue, 1);
  EXPECT_EQ(record.DPILevelIndication[3], MakeColour(0x00, 0xFF, 0xFF));
  EXPECT_EQ(record.DPILevelIndication[4], MakeColour(0xFF, 0xFF, 0x00));
  EXPECT_EQ(record.AngleSnapValue, 0);
  EXPECT_EQ(record.LiftDetectionValue, 2);

  ApplySensorDefaults(record, 0x3335);
  EXPECT_EQ(record.XYSetting, (std::array<std::uint16_t, 8>{11, 23, 31, 63, 99, 159, 59, 59}));
  EXPECT_FALSE(SensorStageDefaults(0x0000).has_value());
}

TEST(SensorOptionSetters, StoreDecimalText) {
  ProfileRecord record = DefaultProfileRecord(0, kDefaultSensorCode, FixtureLanguage());
  SetMoveLightingOnOffMode(record, 5);
  SetMotionWakeup(record, 0);
  SetPowerDownTime(record, 10);
  EXPECT_EQ(record.Value(kMoveLightingOnOffMode), u"1");
  EXPECT_EQ(record.Value(kMotionWakeup), u"0");
  EXPECT_EQ(record.Value(kPowerDownTime), u"10");

  record.SetValue(kKeyDebounce, u"008ms");
  EXPECT_EQ(NamedSettingNumber(record, kKeyDebounce), 8);
  record.SetValue(kKeyDebounce, u"abc");
  EXPECT_EQ(NamedSettingNumber(record, kKeyDebounce), 0);
}

TEST(ProfileRecordAccess, ButtonIndexAboveFiveHasNoEntry) {
  ProfileRecord record;
  EXPECT_NE(record.KeyAt(5), nullptr);
  EXPECT_EQ(record.KeyAt(6), nullptr);
}

}  // namespace
}  // namespace pelrin

// The start-up load of settings and profiles, the failure rule of slot files, import and export.
#include <gtest/gtest.h>

#include "settings/settings_model.h"
#include "settings/text.h"
#include "settings/text_file.h"
#include "settings_test_support.h"

namespace pelrin {
namespace {

using testing::FixtureLanguage;

class SettingsStartup : public testing::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    std::filesystem::create_directories(folder_ / "config");
  }

  SettingsModel Model() const { return MakeSettingsModel(folder_, FixtureLanguage()); }
  std::filesystem::path Config(const std::string& name) const { return folder_ / "config" / name; }
  std::filesystem::path SlotFile(int slot) const { return Config("default" + std::to_string(slot) + ".psf"); }

  // A first run, then an edit of every profile so that defaults are told apart from what was stored.
  SettingsModel StoredModel() {
    SettingsModel model = Model();
    LoadSettingsAndProfiles(model);
    for (int slot = 0; slot < kProfileCount; ++slot) {
      model.profiles[static_cast<std::size_t>(slot)].SetValue(kProfileName, u"Stored " + FormatDecimal(slot));
      model.profiles[static_cast<std::size_t>(slot)].XYSetting[0] = 40;
    }
    SelectProfile(model, 2);
    EXPECT_TRUE(SaveCurrentProfile(model));
    EXPECT_TRUE(WriteAllProfiles(model));
    return model;
  }

  void WriteSettings(std::u16string text) {
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(u'\n', start)) != std::u16string::npos; start = end + 1) {
      lines.push_back(text.substr(start, end - start));
    }
    ASSERT_TRUE(WriteUtf16LinesFile(Config("config.ini"), lines));
  }
};

TEST_F(SettingsStartup, FirstRunWritesDefaultsForEverything) {
  SettingsModel model = Model();
  const SettingsLoadResult result = LoadSettingsAndProfiles(model);
  EXPECT_FALSE(result.settingsFileValid);
  EXPECT_FALSE(result.sensorDefaultsApplied);
  EXPECT_EQ(model.appSettings, DefaultAppSettings(folder_));
  EXPECT_EQ(LoadAppSettings(Config("config.ini")), model.appSettings);
  for (int slot = 0; slot < kProfileCount; ++slot) {
    const ProfileRecord expected = DefaultProfileRecord(slot, kDefaultSensorCode, FixtureLanguage());
    EXPECT_EQ(model.profiles[static_cast<std::size_t>(slot)], expected);
    EXPECT_EQ(ReadFileBytes(SlotFile(slot)), EncodeProfileFile(expected));
  }
}

TEST_F(SettingsStartup, ASecondRunReadsWhatWasStored) {
  const SettingsModel stored = StoredModel();
  SettingsModel model = Model();
  const SettingsLoadResult result = LoadSettingsAndProfiles(model);
  EXPECT_TRUE(result.settingsFileValid);
  EXPECT_EQ(result.profileLoaded, (std::array<bool, 5>{true, true, true, true, true}));
  EXPECT_EQ(model.profiles, stored.profiles);
  EXPECT_EQ(model.currentSlot, 2);
  EXPECT_EQ(model.CurrentRecord().Value(kProfileName), u"Stored 2");
}

TEST_F(SettingsStartup, AnInvalidSettingsFileResetsAllFiveProfiles) {
  StoredModel();
  WriteSettings(u"[Setting]\r\nSensor=0x3325\r\n");
  SettingsModel model = Model();
  EXPECT_FALSE(LoadSettingsAndProfiles(model).settingsFileValid);
  EXPECT_EQ(model.appSettings, DefaultAppSettings(folder_));
  for (int slot = 0; slot < kProfileCount; ++slot) {
    EXPECT_EQ(model.profiles[static_cast<std::size_t>(slot)],
              DefaultProfileRecord(slot, kDefaultSensorCode, FixtureLanguage()));
    ProfileRecord onDisk;
    ASSERT_TRUE(LoadProfileFile(SlotFile(slot), onDisk));
    EXPECT_EQ(onDisk.Value(kProfileName), model.profiles[static_cast<std::size_t>(slot)].Value(kProfileName));
  }
}

TEST_F(SettingsStartup, AProfilePreparedForAnotherSensorGetsTheSensorDefaults) {
  StoredModel();
  // The mouse now has a 3389 sensor, but the profiles were prepared for the 3325 (mark CCDA).
  SettingsModel edit = Model();
  LoadSettingsAndProfiles(edit);
  edit.appSettings.SetSensor(0x3389);
  ASSERT_TRUE(SaveAppSettings(edit));

  SettingsModel model = Model();
  const SettingsLoadResult result = LoadSettingsAndProfiles(model);
  EXPECT_TRUE(result.sensorDefaultsApplied);
  EXPECT_EQ(model.sensorCode, 0x3389);
  EXPECT_EQ(model.appSettings.Value(kPreST), u"0xCC76");
  const auto stages = SensorStageDefaults(0x3389).value();
  for (int slot = 0; slot < kProfileCount; ++slot) {
    const ProfileRecord& record = model.profiles[static_cast<std::size_t>(slot)];
    EXPECT_EQ(record.XYSetting, stages);
    EXPECT_EQ(record.Value(kProfileName), u"Stored " + FormatDecimal(slot));  // only the DPI part changes
    EXPECT_EQ(ReadFileBytes(SlotFile(slot)), EncodeProfileFile(record));
  }
  // The saved settings carry the new mark and still the user's current slot.
  const auto saved = LoadAppSettings(Config("config.ini"));
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->PreST(), 0xCC76);
  EXPECT_EQ(saved->CurrentProfile(), 2);

  SettingsModel again = Model();
  EXPECT_FALSE(LoadSettingsAndProfiles(again).sensorDefaultsApplied);
}

TEST_F(SettingsStartup, ABadSlotFileIsResetWithTheSensorInForceAndRewritten) {
  StoredModel();
  SettingsModel edit = Model();
  LoadSettingsAndProfiles(edit);
  edit.appSettings.SetSensor(0x3399);
  edit.appSettings.SetPreST(static_cast<std::uint16_t>(~0x3399));
  ASSERT_TRUE(SaveAppSettings(edit));
  ASSERT_TRUE(WriteFileAtomically(SlotFile(3), "not a profile"));

  SettingsModel model = Model();
  const SettingsLoadResult result = LoadSettingsAndProfiles(model);
  EXPECT_EQ(result.profileLoaded, (std::array<bool, 5>{true, true, true, false, true}));
  EXPECT_FALSE(result.sensorDefaultsApplied);
  EXPECT_EQ(model.profiles[3], DefaultProfileRecord(3, 0x3399, FixtureLanguage()));
  EXPECT_EQ(ReadFileBytes(SlotFile(3)), EncodeProfileFile(model.profiles[3]));
  EXPECT_EQ(model.profiles[1].Value(kProfileName), u"Stored 1");
}

TEST_F(SettingsStartup, SlotValuesOutOfRangeFallBackAndAreSaved) {
  StoredModel();
  SettingsModel edit = Model();
  LoadSettingsAndProfiles(edit);
  edit.appSettings.SetValue(kCurrentProfile, u"9");
  edit.appSettings.SetValue(kProfileShowCount, u"12");
  edit.appSettings.SetProfileShowList(1, 8);
  ASSERT_TRUE(SaveAppSettings(edit));

  SettingsModel model = Model();
  EXPECT_TRUE(LoadSettingsAndProfiles(model).settingsFileValid);
  EXPECT_EQ(model.currentSlot, 0);
  EXPECT_EQ(model.appSettings.ProfileShowCount(), 3);
  for (std::size_t p = 0; p < 5; ++p) EXPECT_EQ(model.appSettings.ProfileShowList(p), static_cast<int>(p));
  EXPECT_EQ(LoadAppSettings(Config("config.ini")), model.appSettings);
  EXPECT_EQ(model.profiles[0].Value(kProfileName), u"Stored 0");
}

TEST_F(SettingsStartup, OnlyTheHeaderLeavesNoPlaceToWriteProfiles) {
  WriteSettings(u"[Setting]\n");
  SettingsModel model = Model();
  const SettingsLoadResult result = LoadSettingsAndProfiles(model);
  EXPECT_TRUE(result.settingsFileValid);
  EXPECT_EQ(result.profileLoaded, (std::array<bool, 5>{}));
  EXPECT_EQ(model.currentSlot, 0);
  EXPECT_FALSE(std::filesystem::exists(SlotFile(0)));
}

TEST_F(SettingsStartup, SlotPathsMayNameAnyFile) {
  SettingsModel first = Model();
  LoadSettingsAndProfiles(first);
  first.appSettings.SetValue(kProfileSlot0Url + 1, FromUtf8((folder_ / "elsewhere.psf").string()));
  ASSERT_TRUE(SaveAppSettings(first));
  SettingsModel model = Model();
  EXPECT_FALSE(LoadSettingsAndProfiles(model).profileLoaded[1]);  // not there yet: written with defaults
  EXPECT_TRUE(std::filesystem::exists(folder_ / "elsewhere.psf"));
}

class ProfileImport : public SettingsStartup {
 protected:
  void SetUp() override {
    SettingsStartup::SetUp();
    model_ = StoredModel();
  }
  SettingsModel model_;
};

TEST_F(ProfileImport, ReadingAForeignFileAtStartupRewritesTheSlotsOwnFile) {
  ASSERT_TRUE(WriteFileAtomically(folder_ / "foreign.psf", "junk"));
  EXPECT_FALSE(ReadProfileFile(model_, 4, folder_ / "foreign.psf"));
  EXPECT_EQ(model_.profiles[4], DefaultProfileRecord(4, kDefaultSensorCode, FixtureLanguage()));
  EXPECT_EQ(ReadFileBytes(SlotFile(4)), EncodeProfileFile(model_.profiles[4]));
  EXPECT_EQ(ReadFileBytes(folder_ / "foreign.psf"), "junk");
}

TEST_F(ProfileImport, ABadFileChangesNoRecordAndNoFile) {
  auto lines = ProfileFileLines(model_.profiles[0]);
  lines[62] += u'0';  // AllAction of button 0 one character too long
  ASSERT_TRUE(WriteUtf16LinesFile(folder_ / "bad.psf", lines));
  const auto before = model_.profiles;
  const auto configBefore = ReadFileBytes(Config("config.ini"));
  const auto slotBefore = ReadFileBytes(SlotFile(1));

  const ProfileReadResult result = ImportProfile(model_, 1, folder_ / "bad.psf");
  EXPECT_FALSE(result);
  EXPECT_EQ(result.line, 63);
  EXPECT_EQ(model_.profiles, before);
  EXPECT_EQ(ReadFileBytes(Config("config.ini")), configBefore);
  EXPECT_EQ(ReadFileBytes(SlotFile(1)), slotBefore);
  EXPECT_FALSE(ImportProfile(model_, 1, folder_ / "missing.psf"));
  EXPECT_FALSE(ImportProfile(model_, 5, folder_ / "bad.psf"));
}

TEST_F(ProfileImport, AValidFileReplacesTheSlotAndIsSaved) {
  ASSERT_TRUE(ExportProfile(model_, 0, folder_ / "exported.psf"));
  const ProfileReadResult result = ImportProfile(model_, 4, folder_ / "exported.psf");
  ASSERT_TRUE(result) << result.reason;
  EXPECT_EQ(model_.profiles[4].Value(kProfileName), u"Stored 0");
  EXPECT_EQ(ReadFileBytes(SlotFile(4)), ReadFileBytes(folder_ / "exported.psf"));
  EXPECT_EQ(LoadAppSettings(Config("config.ini"))->CurrentProfile(), 2);
}

TEST_F(ProfileImport, ASensorChangeReachesEveryProfileAndTheSettings) {
  ChangeSensor(model_, 0x3370);
  EXPECT_EQ(model_.sensorCode, 0x3370);
  const auto saved = LoadAppSettings(Config("config.ini"));
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->Value(kSensor), u"0x3370");
  EXPECT_EQ(saved->Value(kPreST), u"0xCC8F");
  for (int slot = 0; slot < kProfileCount; ++slot) {
    ProfileRecord onDisk;
    ASSERT_TRUE(LoadProfileFile(SlotFile(slot), onDisk));
    EXPECT_EQ(onDisk.XYSetting, SensorStageDefaults(0x3370).value());
  }
}

}  // namespace
}  // namespace pelrin

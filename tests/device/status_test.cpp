// Status replies, changes made with the mouse's buttons and the factory reset, against the simulated mouse
// and a settings model in a folder of its own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "device/model_binding.h"
#include "device/sim/simulated_mouse.h"
#include "device/status.h"
#include "settings/text.h"
#include "settings/text_file.h"
#include "tests/device/sync_fixture.h"

namespace pelrin {
namespace {

Report ReportFromHex(const std::string& hex) {
  Report report{};
  std::size_t i = 0;
  for (std::size_t at = 0; at + 1 < hex.size() && i < report.size(); at += 3) {
    report[i++] = static_cast<std::uint8_t>(std::stoi(hex.substr(at, 2), nullptr, 16));
  }
  return report;
}

class FixedSensor : public SensorSettings {
 public:
  explicit FixedSensor(std::uint16_t code) : code_(code) {}
  std::uint16_t SensorInForce() const override { return code_; }
  void SwitchSensor(std::uint16_t code) override {
    code_ = code;
    ++switches;
  }
  int switches = 0;

 private:
  std::uint16_t code_;
};

TEST(StatusReply, ChecksSensorAndBattery) {
  struct Case {
    const char* name;
    const char* reply;
    bool accepted;
    std::uint16_t sensorAfter;  // sensor in force was 0x3360
    BatteryStatus battery;
  } cases[] = {
      // 0  1  2  3  4  5  6  7  8  9  10 11 12 13 14 15 16 17 18 19
      {"same sensor, 55 % on battery", "0C 01 20 00 05 00 0D 00 00 00 00 00 00 00 00 60 00 00 37 00", true, 0x3360,
       {55, PowerState::kOnBattery}},
      {"sensor byte 37 switches to 0x3325", "0C 01 20 00 05 00 0D 00 00 00 00 00 00 00 00 25 00 00 37 00", true,
       0x3325, {55, PowerState::kOnBattery}},
      {"unknown sensor byte changes no sensor", "0C 01 20 00 05 00 0D 00 00 00 00 00 00 00 00 26 00 00 14 00", true,
       0x3360, {20, PowerState::kOnBattery}},
      {"charging", "0C 01 20 00 05 00 0D 00 00 00 00 00 00 00 00 60 00 00 32 01", true, 0x3360,
       {50, PowerState::kCharging}},
      {"fully charged shows 100 % whatever byte 18 says", "0C 01 20 00 05 00 0D 00 00 00 00 00 00 00 00 60 00 00 07 02",
       true, 0x3360, {100, PowerState::kCharged}},
      {"power byte 3 means on battery; level 120 kept for the display to clamp",
       "0C 01 20 00 05 00 0D 00 00 00 00 00 00 00 00 60 00 00 78 03", true, 0x3360, {120, PowerState::kOnBattery}},
      {"byte 2 not the status command: dropped", "0C 01 21 00 05 00 0D 00 00 00 00 00 00 00 00 25 00 00 37 01", false,
       0x3360, {10, PowerState::kOnBattery}},
      {"byte 3 not 0: dropped", "0C 01 20 01 05 00 0D 00 00 00 00 00 00 00 00 25 00 00 37 01", false, 0x3360,
       {10, PowerState::kOnBattery}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FixedSensor sensor(0x3360);
    BatteryStatus battery;
    const StatusEffects effects = HandleStatusReply(ReportFromHex(c.reply), sensor, battery);
    EXPECT_EQ(effects.accepted, c.accepted);
    EXPECT_EQ(sensor.SensorInForce(), c.sensorAfter);
    EXPECT_EQ(effects.sensorSwitched, sensor.switches == 1);
    EXPECT_EQ(battery, c.battery);
  }
}

TEST(StatusReply, EverySensorByteOfTheTable) {
  const std::pair<std::uint8_t, std::uint16_t> table[] = {
      {4, 0x3104},  {17, 0x3311},  {18, 0x3212},  {37, 0x3325},  {39, 0x3327},  {53, 0x3335},
      {96, 0x3360}, {112, 0x3370}, {137, 0x3389}, {149, 0x3395}, {153, 0x3399},
  };
  int known = 0;
  for (int value = 0; value < 256; ++value) {
    const auto sensor = SensorFromStatusByte(static_cast<std::uint8_t>(value));
    if (!sensor) continue;
    ++known;
    EXPECT_TRUE(IsKnownSensor(*sensor));
  }
  EXPECT_EQ(known, 11);
  for (const auto& [value, sensor] : table) EXPECT_EQ(SensorFromStatusByte(value), sensor);
}

TEST(InputReport, OnlyTypeSixCarriesAChange) {
  struct Case {
    std::vector<std::uint8_t> report;
    std::optional<std::pair<int, int>> change;  // stage, polling index
  } cases[] = {
      {{5, 6, 0, 8, 3}, std::pair{2, 0}},
      {{5, 6, 0, 4, 1}, std::pair{0, 1}},
      {{5, 6, 0, 2, 5}, std::pair{4, 2}},
      {{5, 6, 0, 0, 1}, std::pair{0, 3}},
      {{5, 6, 0, 1, 0}, std::pair{0, 3}},  // stage byte 0 must not wrap to 255
      {{5, 7, 0, 8, 3}, std::nullopt},
      {{4, 6, 0, 8, 3}, std::nullopt},
      {{5, 6, 0}, std::nullopt},
  };
  for (const Case& c : cases) {
    const auto change = DecodeInputReport(c.report);
    ASSERT_EQ(change.has_value(), c.change.has_value());
    if (!change) continue;
    EXPECT_EQ(change->activeStage, c.change->first);
    EXPECT_EQ(change->pollingIndex, c.change->second);
  }
}

TEST(InputReport, StoresStageAndReportedRateName) {
  ProfileRecord record = DefaultProfileRecord(0, 0x3325);
  ApplyButtonChange(record, {3, 0});
  EXPECT_EQ(record.CurrentDPILevelValue, 3);
  EXPECT_EQ(record.PollingRateValue, (ThreeBytes{0, 0, 0}));
  EXPECT_EQ(record.PollingRateName, u"125Hz");
  ApplyButtonChange(record, {7, 3});  // five stages enabled: the last one
  EXPECT_EQ(record.CurrentDPILevelValue, 4);
  EXPECT_EQ(record.PollingRateName, u"1000Hz");
}

struct ViewLog : DeviceChangeView {
  explicit ViewLog(const ProfileRecord& watched) : record(watched) {}
  void ShowOnScreenDisplay() override { calls.push_back("osd " + std::to_string(record.CurrentDPILevelValue)); }
  void RefreshFromActiveProfile() override { calls.push_back("refresh"); }
  const ProfileRecord& record;
  std::vector<std::string> calls;
};

using MouseButtons = testing::SyncFixture;

TEST_F(MouseButtons, DpiButtonIsTakenOverAndNotWrittenBack) {
  sync.PrimeShadows();
  ViewLog view(model.profile);
  const Report report = mouse.PressDpiButton();  // stage 2 of 5 -> stage 3
  const auto change = DecodeInputReport(report);
  ASSERT_TRUE(change);
  HandleButtonChange(*change, model.profile, view, sync);
  EXPECT_EQ(model.profile.CurrentDPILevelValue, 2);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"osd 2", "refresh"}));
  TakeCommands();
  sync.MarkChanged(kKeysChanged | kSettingsChanged | kPowerChanged);
  EXPECT_FALSE(sync.SyncSettings().written);
  EXPECT_TRUE(TakeCommands().empty());

  HandleButtonChange(*DecodeInputReport(mouse.PressPollingButton()), model.profile, view, sync);
  EXPECT_EQ(model.profile.PollingRateName, u"125Hz");
  sync.MarkChanged(kSettingsChanged);
  EXPECT_FALSE(sync.SyncSettings().written);
  EXPECT_TRUE(TakeCommands().empty());
}

// A settings model in a temporary data folder, bound to the device layer.
class DeviceWithModel : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("pelrin-device-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_ / "config");
    language_.Set(85, u"Profile 1");
    model_ = MakeSettingsModel(folder_, language_);
    LoadSettingsAndProfiles(model_);
    BuildDpiTable(model_.sensorCode, table_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string ConfigText() {
    std::string text;
    for (const auto& line : ReadUtf16LinesFile(model_.SettingsFile()).value_or(std::vector<std::u16string>{})) {
      text += ToUtf8(line) + "\n";
    }
    return text;
  }

  std::filesystem::path folder_;
  LanguageTable language_;
  SettingsModel model_;
  DpiTable table_;
  MacroLibrary library_;
  ModelDeviceBinding binding_{model_, table_, library_};
  ManualClock clock_;
  SimulatedMouse mouse_{clock_};
  SimulatedTransport transport_{mouse_, false, true};
  ReportChannel channel_{transport_, clock_};
  SettingsSync sync_{channel_, binding_};
};

TEST_F(DeviceWithModel, SensorSwitchFrom3360To3325RewritesEverything) {
  binding_.SwitchSensor(0x3360);
  ASSERT_EQ(table_.size(), 121u);
  for (auto& record : model_.profiles) record.XYSetting[0] = 100;
  BatteryStatus battery;

  mouse_.SetSensorByte(96);  // the sensor in force: nothing changes
  EXPECT_FALSE(HandleStatusReply(*channel_.QueryStatus(), binding_, battery).sensorSwitched);
  EXPECT_EQ(model_.profiles[3].XYSetting[0], 100);

  mouse_.SetSensorByte(37);
  const StatusEffects effects = HandleStatusReply(*channel_.QueryStatus(), binding_, battery);
  EXPECT_TRUE(effects.sensorSwitched);
  EXPECT_EQ(model_.sensorCode, 0x3325);
  EXPECT_EQ(table_.size(), 59u);
  EXPECT_FALSE(table_.highRange);
  const std::string config = ConfigText();
  EXPECT_NE(config.find("=0x3325\n"), std::string::npos) << config;
  EXPECT_NE(config.find("=0xCCDA\n"), std::string::npos) << config;
  const std::array<std::uint16_t, 8> defaults3325 = {6, 14, 22, 34, 48, 58, 58, 50};
  for (int slot = 0; slot < kProfileCount; ++slot) {
    EXPECT_EQ(model_.profiles[static_cast<std::size_t>(slot)].XYSetting, defaults3325) << slot;
    ProfileRecord reread;
    ASSERT_TRUE(LoadProfileFile(model_.appSettings.SlotPath(slot), reread).ok) << slot;
    EXPECT_EQ(reread.XYSetting, defaults3325) << slot;
  }
}

TEST_F(DeviceWithModel, FactoryResetOnTheReceiverKeepsTheNameAndWritesNothingBack) {
  SelectProfile(model_, 2);
  ProfileRecord& record = model_.CurrentRecord();
  record.namedSettings[kProfileName].value = u"Shooter";
  record.PollingRateValue[0] = 0;
  record.XYSetting[1] = 3;
  model_.profiles[0].PollingRateValue[0] = 1;
  sync_.PrimeShadows();

  const FactoryResetOutcome outcome = RunFactoryReset(channel_, binding_, sync_);
  EXPECT_TRUE(outcome.frameSent);
  ASSERT_EQ(mouse_.frames().size(), 1u);
  EXPECT_EQ(mouse_.frames()[0].via, DeviceKind::kReceiver);
  EXPECT_EQ(FormatReportHex(mouse_.frames()[0].bytes).substr(0, 23), "0C 01 0F 00 01 01 01 FF");
  EXPECT_TRUE(clock_.waits().empty());

  ProfileRecord expected = DefaultProfileRecord(2, 0x3325, language_);
  expected.namedSettings[kProfileName].value = u"Shooter";
  EXPECT_EQ(record, expected);
  EXPECT_EQ(model_.profiles[0].PollingRateValue[0], 1);  // only the active profile is reset
  ProfileRecord saved;
  ASSERT_TRUE(LoadProfileFile(model_.appSettings.SlotPath(2), saved).ok);
  EXPECT_EQ(saved.namedSettings[kProfileName].value, u"Shooter");
  EXPECT_EQ(saved.PollingRateValue[0], 3);

  mouse_.ClearFrames();
  sync_.MarkChanged(kKeysChanged | kSettingsChanged | kPowerChanged | kMotionWakeChanged);
  EXPECT_FALSE(sync_.SyncSettings().written);
  EXPECT_TRUE(mouse_.frames().empty());
}

TEST_F(DeviceWithModel, FactoryResetWithoutDeviceStillResetsAndSaves) {
  transport_.Plug(DeviceKind::kReceiver, false);
  model_.CurrentRecord().PollingRateValue[0] = 0;
  EXPECT_FALSE(RunFactoryReset(channel_, binding_, sync_).frameSent);
  EXPECT_EQ(model_.CurrentRecord().PollingRateValue[0], 3);
  EXPECT_EQ(channel_.sequence().Peek(), 1);
}

}  // namespace
}  // namespace pelrin

// The profile file: exact text, round trips and the reading rules for damaged files.
#include <gtest/gtest.h>

#include "settings/profile_defaults.h"
#include "settings/profile_file.h"
#include "settings/text.h"
#include "settings/text_file.h"
#include "settings_test_support.h"

namespace pelrin {
namespace {

using testing::FixtureLanguage;

// A record in which every field differs from its default and from its neighbours.
ProfileRecord EveryFieldSet() {
  ProfileRecord r = DefaultProfileRecord(1, 0x3311, FixtureLanguage());
  for (std::size_t i = 0; i < kNamedSettingCount; ++i) {
    r.namedSettings[i] = {u"Key" + FormatDecimal(static_cast<long long>(i)),
                          u"v" + FormatDecimal(static_cast<long long>(i * 7))};
  }
  r.namedSettings[kProfileName].value = u"My = profile 中文";
  r.namedSettings[kGameFile1].value = u"";
  for (std::size_t u = 0; u < kButtonCount; ++u) {
    KeyAssignment& key = r.keyAssignments[u];
    key.name = u"Button " + FormatDecimal(static_cast<long long>(u));
    key.value = {static_cast<std::uint8_t>(0x90 + u), static_cast<std::uint8_t>(u), 0xAB};
    key.macroIndex = 1000 + static_cast<std::uint32_t>(u);
    key.macro.name = u"Macro " + FormatDecimal(static_cast<long long>(u));
    key.macro.actionCount = static_cast<std::uint32_t>(u * 60);
    for (std::size_t i = 0; i < kMaxMacroActions; ++i) {
      key.macro.actions[i] = static_cast<MacroAction>(0x01020304u * (i + 1) + u);
    }
    key.macro.commandCount = CountMacroCommands(key.macro);
  }
  r.keyAssignments[5].macro.actionCount = 336;
  r.keyAssignments[5].macro.commandCount = CountMacroCommands(r.keyAssignments[5].macro);
  r.PollingRateName = u"500Hz";
  r.PollingRateValue = {2, 0x11, 0x22};
  r.Lighting1OffOn = 0xA1;
  r.Lighting1Name = u"";
  r.Lighting1ModeValue = {9, 8, 7};
  for (std::size_t m = 0; m < kLightingModeCount; ++m) {
    r.Lighting1Speed[m] = static_cast<std::uint8_t>(m + 1);
    r.Lighting1Brightness[m] = static_cast<std::uint8_t>(0xF0 + m);
    r.Lighting1Direction[m] = static_cast<std::uint8_t>(m % 2);
    for (std::size_t c = 0; c < kLightingColourSlots; ++c) {
      r.Lighting1ColorSelected[m][c] = static_cast<std::uint8_t>(m * 10 + c);
      r.Lighting1FixedColor[m][c] = MakeColour(static_cast<std::uint8_t>(m), static_cast<std::uint8_t>(c), 0xEE);
    }
  }
  r.Lighting2OffOn = 1;
  r.Lighting2Name = u"Zone two";
  r.Lighting2ModeValue = {4, 5, 6};
  r.Lighting2Speed = 3;
  r.Lighting2Brightness = 0xFF;
  r.Lighting2FixedColor = MakeColour(1, 2, 3);
  r.DPIOffOnFlagValue = 0x81;
  r.XYSetting = {0, 1, 0xFF, 0x100, 0x1234, 0xFFFF, 7, 8};
  r.CurrentDPILevelValue = 1;
  for (std::size_t s = 0; s < kDpiStageCount; ++s) {
    r.DPILevelIndication[s] = MakeColour(static_cast<std::uint8_t>(s), 0x80, static_cast<std::uint8_t>(0xFF - s));
  }
  r.AngleSnapValue = 1;
  r.LiftDetectionValue = 1;
  return r;
}

std::vector<std::u16string> DefaultLines() {
  return ProfileFileLines(DefaultProfileRecord(0, kDefaultSensorCode, FixtureLanguage()));
}

TEST(ProfileFile, RoundTripKeepsEveryField) {
  const ProfileRecord original = EveryFieldSet();
  const std::string bytes = EncodeProfileFile(original);
  ProfileRecord read = DefaultProfileRecord(3, kDefaultSensorCode, FixtureLanguage());
  ASSERT_TRUE(ParseProfileFile(bytes, read));
  EXPECT_EQ(read, original);
  EXPECT_EQ(ProfileFileLines(read).size(), kProfileFileLineCount);
  EXPECT_EQ(EncodeProfileFile(read), bytes);
}

TEST(ProfileFile, MacroFieldsTheFileDoesNotHoldKeepTheirValues) {
  ProfileRecord read = DefaultProfileRecord(0, kDefaultSensorCode, FixtureLanguage());
  read.keyAssignments[2].macro.loopType = 4;
  read.keyAssignments[2].macro.loopCount = 9;
  read.keyAssignments[2].macro.index = 77;
  ASSERT_TRUE(ParseProfileFile(EncodeProfileFile(EveryFieldSet()), read));
  EXPECT_EQ(read.keyAssignments[2].macro.loopType, 4);
  EXPECT_EQ(read.keyAssignments[2].macro.loopCount, 9);
  EXPECT_EQ(read.keyAssignments[2].macro.index, 77u);
}

TEST(ProfileFile, CommandCountIsRebuiltFromTheActions) {
  ProfileRecord record = DefaultProfileRecord(0, kDefaultSensorCode, FixtureLanguage());
  MacroKey& macro = record.keyAssignments[1].macro;
  macro.actions[0] = 0x000000E0;  // left button press
  macro.actions[1] = 0x32000003;  // 50 ms pause
  macro.actions[2] = 0x000080E0;  // left button release
  macro.actions[3] = 0x00000041;  // beyond the count: not an action of the macro
  macro.actionCount = 3;
  macro.commandCount = 0;
  ProfileRecord read = DefaultProfileRecord(0, kDefaultSensorCode, FixtureLanguage());
  ASSERT_TRUE(ParseProfileFile(EncodeProfileFile(record), read));
  EXPECT_EQ(read.keyAssignments[1].macro.commandCount, 2);
  EXPECT_EQ(read.keyAssignments[0].macro.commandCount, 0);
}

TEST(ProfileFile, AcceptedOddities) {
  struct Case {
    const char* what;
    std::size_t line;  // 1-based line to replace
    std::u16string text;
  } cases[] = {
      {"name holding =", 2, u"ProfileName=a=b"},
      {"empty value", 2, u"ProfileName="},
      {"other key text", 3, u"Whatever=x"},
      {"= first on MacroKeyIndex", 60, u"=12"},
      {"= first on the macro name", 61, u"=M"},
      {"short hexadecimal value", 22, u"DPIOffOnFlagValue=3"},
      {"empty key name", 58, u"Key0Name="},
      {"action count above 336", 62, u"\t\tMacroActionNum=400"},
      {"negative action count", 62, u"\t\tMacroActionNum=-1"},
  };
  for (const auto& c : cases) {
    auto lines = DefaultLines();
    lines[c.line - 1] = c.text;
    ProfileRecord record;
    EXPECT_TRUE(ParseProfileLines(lines, record)) << c.what;
  }

  auto lines = DefaultLines();
  lines[1] = u"ProfileName=a=b";
  lines[21] = u"DPIOffOnFlagValue=3";
  lines[59] = u"=12";
  lines[61] = u"\t\tMacroActionNum=400";
  lines.push_back(u"anything after line 93");
  ProfileRecord record;
  ASSERT_TRUE(ParseProfileLines(lines, record));
  EXPECT_EQ(record.namedSettings[kProfileName], (NamedSettingPair{u"ProfileName", u"a=b"}));
  EXPECT_EQ(record.DPIOffOnFlagValue, 3);
  EXPECT_EQ(record.keyAssignments[0].macroIndex, 12u);
  EXPECT_EQ(record.keyAssignments[0].macro.actionCount, 336u);
}

TEST(ProfileFile, CutValuesReadAsZeroWithoutReadingPastTheLine) {
  const auto lines = DefaultLines();
  for (std::size_t n = 22; n <= kProfileFileLineCount; ++n) {
    for (std::size_t keep : {0, 1}) {
      auto cut = lines;
      cut[n - 1] = cut[n - 1].substr(0, cut[n - 1].find(u'=') + 1 + keep);
      ProfileRecord record;
      const ProfileReadResult result = ParseProfileLines(cut, record);
      // Only the macro numbers and the action list have a required length.
      const std::size_t kind = n >= 58 ? (n - 58) % 6 : 0;
      const bool mustFail = kind == 5 || ((kind == 2 || kind == 4) && keep == 0);
      EXPECT_EQ(result.ok, !mustFail) << "line " << n << " keeping " << keep;
    }
  }
  auto cut = lines;
  cut[46] = u"\tLighting1Speed=05|0";  // elements 0 and 1 present, the rest cut off
  ProfileRecord record;
  ASSERT_TRUE(ParseProfileLines(cut, record));
  EXPECT_EQ(record.Lighting1Speed[0], 5);
  EXPECT_EQ(record.Lighting1Speed[1], 0);
  EXPECT_EQ(record.Lighting1Speed[9], 0);
}

TEST(ProfileFile, SwappedLinesAreTakenByPosition) {
  ProfileRecord original = DefaultProfileRecord(0, kDefaultSensorCode, FixtureLanguage());
  auto lines = ProfileFileLines(original);
  std::swap(lines[22], lines[23]);  // XYSetting1 and XYSetting2
  ProfileRecord read;
  ASSERT_TRUE(ParseProfileLines(lines, read));
  EXPECT_EQ(read.XYSetting[0], original.XYSetting[1]);
  EXPECT_EQ(read.XYSetting[1], original.XYSetting[0]);
}

TEST(ProfileFile, DamagedFilesAreRefusedAtTheirFirstBadLine) {
  const std::string good = EncodeUtf16Lines(DefaultLines());
  auto edited = [](std::size_t line, std::u16string text) {
    auto lines = DefaultLines();
    lines[line - 1] = std::move(text);
    return EncodeUtf16Lines(lines);
  };
  auto crlf = DefaultLines();
  for (auto& line : crlf) line += u'\r';
  auto missing = DefaultLines();
  missing.pop_back();
  const std::u16string allAction = u"\t\tAllAction=";
  struct Case {
    const char* what;
    std::string bytes;
    int badLine;
  } cases[] = {
      {"carriage-return line feeds", EncodeUtf16Lines(crlf), 1},
      {"no byte-order mark", good.substr(2), 1},
      {"only the header", EncodeUtf16Lines({u"[Setting]"}), 2},
      {"empty file", "", 1},
      {"AllAction 2687 characters", edited(63, allAction + std::u16string(2687, u'0')), 63},
      {"AllAction 2689 characters", edited(93, allAction + std::u16string(2689, u'0')), 93},
      {"last line missing", EncodeUtf16Lines(missing), 93},
      {"named setting without key", edited(5, u"=6"), 5},
      {"named setting without =", edited(5, u"DoubleClickSpeed"), 5},
      {"= first on line 22", edited(22, u"=1F"), 22},
      {"no = on an XYSetting", edited(30, u"\tXYSetting8Value"), 30},
      {"= first on a key value", edited(59, u"=100100"), 59},
      {"empty MacroKeyIndex", edited(66, u"\tMacroKeyIndex="), 66},
      {"empty MacroActionNum", edited(68, u"\t\tMacroActionNum="), 68},
  };
  for (const auto& c : cases) {
    ProfileRecord record;
    const ProfileReadResult result = ParseProfileFile(c.bytes, record);
    EXPECT_FALSE(result) << c.what;
    EXPECT_EQ(result.line, c.badLine) << c.what << ": " << result.reason;
    EXPECT_FALSE(result.reason.empty()) << c.what;
  }
}

TEST(ProfileFile, ALineFeedInANameCannotShiftTheLines) {
  ProfileRecord record = DefaultProfileRecord(0, kDefaultSensorCode, FixtureLanguage());
  record.SetValue(kProfileName, u"two\nlines");
  record.keyAssignments[0].macro.name = u"x\ny";
  EXPECT_EQ(SplitUtf16Lines(EncodeProfileFile(record)).size(), kProfileFileLineCount);
}

class ProfileFileSave : public testing::TempFolderTest {};

TEST_F(ProfileFileSave, WritesTheFileOrNothing) {
  const ProfileRecord record = EveryFieldSet();
  ASSERT_TRUE(SaveProfileFile(record, folder_ / "p.psf"));
  ProfileRecord read;
  ASSERT_TRUE(LoadProfileFile(folder_ / "p.psf", read));
  EXPECT_EQ(read, record);
  EXPECT_FALSE(SaveProfileFile(record, folder_ / "missing" / "p.psf"));
  const ProfileReadResult missing = LoadProfileFile(folder_ / "none.psf", read);
  EXPECT_FALSE(missing);
  EXPECT_EQ(missing.line, 0);
}

}  // namespace
}  // namespace pelrin

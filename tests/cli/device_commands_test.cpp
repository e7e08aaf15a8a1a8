// pelrinctl apply, run as a program against a private XDG_CONFIG_HOME.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "device/frame.h"
#include "device/full_profile.h"
#include "macros/library_file.h"
#include "settings/profile_defaults.h"
#include "settings/profile_file.h"
#include "settings/text_file.h"
#include "tests/support/pelrinctl_fixture.h"

namespace pelrin {
namespace {

namespace fs = std::filesystem;

using pelrin::testing::ProgramRun;
using PelrinctlApply = pelrin::testing::PelrinctlTest;

std::string HexLines(const std::vector<Report>& frames) {
  std::string text;
  for (const Report& frame : frames) text += FormatReportHex(frame) + "\n";
  return text;
}

TEST_F(PelrinctlApply, DryRunPrintsEveryFrameOfTheCurrentProfile) {
  const ProgramRun run = Run({"apply", "--dry-run"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string golden = ReadFileBytes(fs::path(PELRIN_TEST_DATA) / "apply_default_profile.golden").value_or("?");
  // The golden file names its case on comment lines; the program prints frames only.
  std::istringstream lines(golden);
  std::string expected, line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line[0] != '#') expected += line + "\n";
  }
  EXPECT_EQ(run.out, expected);

  // The current slot is the default; --slot picks another.
  ProfileRecord slot2 = DefaultProfileRecord(2, 0x3325);
  slot2.PollingRateValue[0] = 0;
  ASSERT_TRUE(SaveProfileFile(slot2, Config("default2.psf")));
  const std::string polling125 = "0C 01 07 00 09 01 01 08";
  EXPECT_EQ(Run({"apply", "--dry-run"}).out.find(polling125), std::string::npos);
  EXPECT_NE(Run({"apply", "--dry-run", "--slot", "2"}).out.find(polling125), std::string::npos);
  ASSERT_EQ(Run({"profile", "select", "2"}).exitCode, 0);
  EXPECT_NE(Run({"apply", "--dry-run"}).out.find(polling125), std::string::npos);
}

TEST_F(PelrinctlApply, DryRunOfAFileNumbersItsMacrosAgainstTheLibrary) {
  MacroLibrary library;
  for (int slot = 0; slot < 2; ++slot) {
    MacroItem item;
    item.name = slot == 0 ? u"first" : u"second";
    item.macro = std::make_unique<MacroKey>(CreateMacroKey(item.name));
    item.macro->index = static_cast<std::uint32_t>(40 + slot);
    for (int i = 0; i < 5 + 4 * slot; ++i) InsertStroke(*item.macro, item.macro->actionCount, 0x41);
    library.Store({0, slot, 0, 0}, std::move(item));
  }
  const fs::path libraryFile = folder_ / "macros.mlf";
  ASSERT_TRUE(WriteLibraryFile(libraryFile, kNoLocation, library));

  ProfileRecord record = DefaultProfileRecord(0, 0x3325);
  for (auto [button, index] : {std::pair{1, 41u}, std::pair{3, 40u}, std::pair{4, 41u}}) {
    KeyAssignment& slot = record.keyAssignments[static_cast<std::size_t>(button)];
    CopyMacroKey(slot.macro, *library.Item(*library.FindMacroByIndex(index)).macro);
    slot.macroIndex = index;
    slot.value = {0x90, 0x00, 0x00};
  }
  record.keyAssignments[5].value = {0x90, 0x00, 0x00};  // bound to a macro the library does not hold
  record.keyAssignments[5].macroIndex = 99;
  const fs::path profileFile = folder_ / "game.psf";
  ASSERT_TRUE(SaveProfileFile(record, profileFile));

  const ProgramRun run = Run({"apply", "--dry-run", "--file", profileFile.string(), "--library", libraryFile.string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ProfileRecord reread;
  ASSERT_TRUE(LoadProfileFile(profileFile, reread).ok);
  DpiTable table;
  BuildDpiTable(0x3325, table);
  SequenceCounter sequence;
  const FullProfileFrames frames = BuildFullProfileFrames(reread, table, library, sequence);
  EXPECT_EQ(run.out, HexLines(frames.frames));
  // Slots 1 and 4 share macro number 1 (18 events, 3 packets), slot 3 has number 2 (10 events, 2 packets);
  // loop type 2 with count 1 in the value bytes.
  EXPECT_EQ(frames.frames.size(), 14u + 3u + 2u);
  EXPECT_NE(run.out.find("0C 01 04 00 02 01 04 01 90 21 01"), std::string::npos);  // position 1: slot 1
  EXPECT_NE(run.out.find("0C 01 04 00 04 01 04 03 90 21 01"), std::string::npos);  // position 3: slot 4
  EXPECT_NE(run.out.find("0C 01 04 00 05 01 04 04 90 22 01"), std::string::npos);  // position 4: slot 3
  EXPECT_NE(run.out.find("0C 01 0E 00 0F 03 1A 01"), std::string::npos);  // macro 1 first, in three packets
  EXPECT_NE(run.out.find("0C 01 04 00 06 01 04 05 00 00 00"), std::string::npos);  // missing macro: disabled
}

TEST_F(PelrinctlApply, RefusesWhatItCannotDo) {
  struct Case {
    std::vector<std::string> args;
    const char* says;
  } cases[] = {
      {{"apply"}, "--dry-run"},
      {{"apply", "--dry-run", "--slot", "5"}, "pelrinctl: "},
      {{"apply", "--dry-run", "--file", "/nonexistent.psf"}, "pelrinctl: "},
  };
  const fs::path notProfile = folder_ / "not.psf";
  WriteFileAtomically(notProfile, "hello");
  const ProgramRun bad = Run({"apply", "--dry-run", "--file", notProfile.string()});
  EXPECT_NE(bad.exitCode, 0);
  EXPECT_TRUE(bad.out.empty());
  EXPECT_NE(bad.err.find("not a profile file"), std::string::npos) << bad.err;
  for (auto& c : cases) {
    const ProgramRun run = Run(c.args);
    EXPECT_NE(run.exitCode, 0) << c.args.size();
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace pelrin

// pelrinctl's device commands run as a program against the simulated mouse and a private data folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/pelrinctl_fixture.h"

namespace pelrin {
namespace {

namespace fs = std::filesystem;

using pelrin::testing::ProgramRun;
using pelrin::testing::ReadText;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class PelrinctlDevice : public pelrin::testing::PelrinctlTest {
 protected:
  fs::path Log() const { return folder_ / "frames.log"; }
};

TEST_F(PelrinctlDevice, StatusThroughEachConnection) {
  for (const char* connection : {"wired", "receiver", "both"}) {
    const ProgramRun run = Run({"--simulate", connection, "status"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string target = std::string(connection) == "receiver" ? "receiver" : "wired mouse";
    EXPECT_EQ(run.out, "connection  " + target + "\nbattery     80% (on battery)\nsensor      0x3325\n") << connection;
  }
}

TEST_F(PelrinctlDevice, TheLogHoldsEveryReportTheMouseReceived) {
  const ProgramRun run = Run({"status", "--simulate", "receiver", "--simulate-log", Log().string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  // The status request: command 0x20, packet byte 0, no payload.
  std::string expected = "0C 01 20 00 01 00 00";
  for (int i = 0; i < 26; ++i) expected += " 00";
  EXPECT_EQ(ReadText(Log()), expected + "\n");
  ASSERT_EQ(Run({"--simulate", "wired", "status", "--simulate-log", Log().string()}).exitCode, 0);
  EXPECT_EQ(Lines(ReadText(Log())).size(), 2u) << "appended, not replaced";
}

TEST_F(PelrinctlDevice, ResetAsksFirstAndSendsOneFrame) {
  ProgramRun run = Run({"reset", "--simulate", "receiver", "--simulate-log", Log().string()}, "n\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.err.find("nothing was changed"), std::string::npos);
  EXPECT_FALSE(fs::exists(Log()) && !ReadText(Log()).empty());

  run = Run({"reset", "--yes", "--simulate", "receiver", "--simulate-log", Log().string()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "factory reset sent to the receiver; profile \"Profile 1\" is back to its defaults\n");
  int resets = 0;
  for (const std::string& line : Lines(ReadText(Log()))) resets += line.rfind("0C 01 0F 00", 0) == 0;
  EXPECT_EQ(resets, 1);
}

TEST_F(PelrinctlDevice, WatchPrintsButtonChangesUntilInterrupted) {
  const ProgramRun run =
      Run({"--simulate", "wired", "watch", "--press-every", "1"}, "", "DPI stage");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const auto lines = Lines(run.out);
  ASSERT_GE(lines.size(), 2u) << run.out;
  EXPECT_EQ(lines[0], "battery 80% (on battery)");
  EXPECT_EQ(lines[1], "watching the mouse through the wired mouse (Ctrl+C ends)");
  ASSERT_GE(lines.size(), 3u) << run.out;
  EXPECT_EQ(lines[2].rfind("profile 0 \"Profile 1\": DPI stage ", 0), 0u) << lines[2];
}

// Stored files are UTF-16LE; the test's edits are plain ASCII.
std::string Utf16(const std::string& ascii) {
  std::string bytes;
  for (char c : ascii) bytes += {c, '\0'};
  return bytes;
}

TEST_F(PelrinctlDevice, SelectingAProfileWritesWhatItChangesToTheMouse) {
  ASSERT_EQ(Run({"profiles"}).exitCode, 0);
  const fs::path slot1 = folder_ / "xdg" / "KorvexData20240419A" / "config" / "default1.psf";
  std::string bytes = ReadText(slot1);
  const auto at = bytes.find(Utf16("KeyDebounce=12"));
  ASSERT_NE(at, std::string::npos);
  bytes.replace(at, Utf16("KeyDebounce=12").size(), Utf16("KeyDebounce=16"));
  std::ofstream(slot1, std::ios::binary) << bytes;

  const ProgramRun run = Run({"profile", "select", "1", "--simulate", "wired", "--simulate-log", Log().string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::vector<std::string> configuration;
  for (const std::string& line : Lines(ReadText(Log()))) {
    if (line.rfind("0C 01 20", 0) != 0) configuration.push_back(line.substr(0, 26));
  }
  // Only the debounce differs from the profile the mouse held: one SetDebounce frame with 16.
  ASSERT_EQ(configuration.size(), 1u);
  EXPECT_EQ(configuration[0].substr(0, 8), "0C 01 0A");
  EXPECT_EQ(configuration[0].substr(15, 8), "01 01 10");
}

TEST_F(PelrinctlDevice, ApplySendsWhatTheDryRunShows) {
  const ProgramRun dry = Run({"apply", "--dry-run"});
  ASSERT_EQ(dry.exitCode, 0) << dry.err;
  const auto planned = Lines(dry.out);
  // Six key positions, DPI stages and colours, polling, lift, debounce, lighting, power, motion wake.
  ASSERT_EQ(planned.size(), 14u);
  EXPECT_EQ(planned[6].substr(0, 8), "0C 01 05");

  const ProgramRun run = Run({"--simulate", "receiver", "apply", "--simulate-log", Log().string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "profile \"Profile 1\" written to the receiver in 14 frames\n");
  auto sent = Lines(ReadText(Log()));
  ASSERT_EQ(sent.size(), 15u);
  EXPECT_EQ(sent[0].substr(0, 8), "0C 01 20");  // the status request of the connection
  // The same frames; only the sequence byte (byte 4) runs on from the status request.
  for (std::size_t i = 0; i < planned.size(); ++i) {
    std::string expected = planned[i], actual = sent[i + 1];
    expected.replace(12, 2, "..");
    actual.replace(12, 2, "..");
    EXPECT_EQ(actual, expected) << i;
  }
}

TEST_F(PelrinctlDevice, BadSimulateOptionsEndWithOneErrorLine) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--simulate", "usb", "status"}, {"--simulate-log", "x.log", "status"}}) {
    const ProgramRun run = Run(args);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.err.rfind("pelrinctl: ", 0), 0u) << run.err;
  }
}

}  // namespace
}  // namespace pelrin

// pelrinctl's profile commands, run as a program against a private XDG_CONFIG_HOME.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "settings/app_settings.h"
#include "tests/support/pelrinctl_fixture.h"
#include "settings/text_file.h"

namespace pelrin {
namespace {

namespace fs = std::filesystem;

using pelrin::testing::ProgramRun;

class Pelrinctl : public pelrin::testing::PelrinctlTest {
 protected:
  ProgramRun Pelrin(std::vector<std::string> args) { return Run(std::move(args)); }

  // Every file under the data folder with its contents.
  std::map<fs::path, std::string> Snapshot() const {
    std::map<fs::path, std::string> files;
    if (!fs::exists(Root())) return files;
    for (const auto& entry : fs::recursive_directory_iterator(Root())) {
      if (entry.is_regular_file()) files[entry.path()] = ReadFileBytes(entry.path()).value_or("");
    }
    return files;
  }

  static void ExpectOneErrorLine(const ProgramRun& run, const std::string& what) {
    EXPECT_NE(run.exitCode, 0) << what;
    EXPECT_EQ(run.err.rfind("pelrinctl: ", 0), 0u) << what << ": " << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << what << ": " << run.err;
  }

};

TEST_F(Pelrinctl, ProfilesOnAFirstRunSetsUpTheDataFolderAndListsTheShownSlots) {
  const ProgramRun run = Pelrin({"profiles"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "* 0  Profile 1\n  1  Profile 2\n  2  Profile 3\n");
  EXPECT_EQ(run.err, "");
  for (const char* name : {"config.ini", "LanSetting.ini", "Lan_EN.txt", "Lan.txt", "default0.psf", "default4.psf"}) {
    EXPECT_TRUE(fs::exists(Config(name))) << name;
  }
  const auto settings = LoadAppSettings(Config("config.ini"));
  ASSERT_TRUE(settings.has_value());
  EXPECT_EQ(settings->SlotPath(2), Config("default2.psf"));
}

TEST_F(Pelrinctl, SelectSavesTheCurrentSlotAtOnce) {
  ASSERT_EQ(Pelrin({"profile", "select", "2"}).exitCode, 0);
  EXPECT_EQ(LoadAppSettings(Config("config.ini"))->CurrentProfile(), 2);
  EXPECT_EQ(Pelrin({"profiles"}).out, "  0  Profile 1\n  1  Profile 2\n* 2  Profile 3\n");

  const auto before = Snapshot();
  ExpectOneErrorLine(Pelrin({"profile", "select", "4"}), "a slot that is not shown");
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(Pelrinctl, ExportThenImportCopiesAProfileBetweenSlots) {
  ASSERT_EQ(Pelrin({"profiles"}).exitCode, 0);
  const ProgramRun exported = Pelrin({"profile", "export", "0", "saved.psf"});
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  EXPECT_EQ(ReadFileBytes(folder_ / "work" / "saved.psf"), ReadFileBytes(Config("default0.psf")));

  const ProgramRun imported = Pelrin({"profile", "import", "3", (folder_ / "work" / "saved.psf").string()});
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_EQ(ReadFileBytes(Config("default3.psf")), ReadFileBytes(Config("default0.psf")));
}

TEST_F(Pelrinctl, ABadImportChangesNothing) {
  ASSERT_EQ(Pelrin({"profile", "select", "1"}).exitCode, 0);
  ASSERT_TRUE(WriteUtf16LinesFile(folder_ / "work" / "bad.psf", {u"[Setting]", u"ProfileName=Half a file"}));
  const auto before = Snapshot();
  for (const char* file : {"bad.psf", "missing.psf"}) {
    const ProgramRun run = Pelrin({"profile", "import", "1", file});
    ExpectOneErrorLine(run, file);
    EXPECT_NE(run.err.find(file), std::string::npos) << run.err;
  }
  EXPECT_EQ(Snapshot(), before);
  ExpectOneErrorLine(Pelrin({"profile", "export", "0", "no/such/folder/x.psf"}), "export to a missing folder");
}

TEST_F(Pelrinctl, UsageErrorsWriteNothing) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"bogus"},
      {"profiles", "extra"},
      {"profile"},
      {"profile", "export", "5", "x.psf"},
      {"profile", "export", "-1", "x.psf"},
      {"profile", "import", "0"},
      {"profile", "select", "x"},
      {"profile", "select", "01"},
      {"profile", "select", "1", "2"},
  };
  for (const auto& args : cases) {
    std::string what;
    for (const auto& arg : args) what += arg + " ";
    ExpectOneErrorLine(Pelrin(args), what);
    EXPECT_FALSE(fs::exists(Root())) << what;
    EXPECT_TRUE(fs::is_empty(folder_ / "work")) << what;
  }
}

}  // namespace
}  // namespace pelrin

// The UTF-16 line format every stored file shares, and the crash-safe save behind it.
#include "settings/text.h"
#include "settings/text_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

namespace pelrin {
namespace {

std::string Utf16(std::u16string_view text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

TEST(Utf16Lines, SkipsTheFirstTwoBytesUnexaminedAndKeepsCarriageReturns) {
  struct Case {
    std::string bytes;
    std::vector<std::u16string> lines;
  } cases[] = {
      {"\xFF\xFE" + Utf16(u"[Setting]\nA=1\n"), {u"[Setting]", u"A=1"}},
      {"\xFF\xFE" + Utf16(u"[Setting]\r\nA=1"), {u"[Setting]\r", u"A=1"}},
      {Utf16(u"[Setting]\n"), {u"Setting]"}},  // no byte-order mark: the first character is lost
      {"\xFF\xFE" + Utf16(u"a\n\nb\n") + "x", {u"a", u"", u"b"}},
      {"\xFF\xFE", {}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitUtf16Lines(c.bytes), c.lines);
}

TEST(Utf16Lines, EncodeAndSplitRoundTrip) {
  const std::vector<std::u16string> lines = {u"[Setting]", u"ProfileName=中文=x", u"\tTab", u""};
  const std::string bytes = EncodeUtf16Lines(lines);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFE[\0", 4));
  EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\n\0\n\0", 4));
  EXPECT_EQ(SplitUtf16Lines(bytes), lines);
}

class AtomicWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("pelrin-atomic-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::filesystem::path folder_;
};

TEST_F(AtomicWrite, ReplacesTheWholeFile) {
  const auto path = folder_ / "config.ini";
  ASSERT_TRUE(WriteFileAtomically(path, std::string(1000, 'a')));
  ASSERT_TRUE(WriteFileAtomically(path, "short"));
  EXPECT_EQ(ReadFileBytes(path), "short");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}

TEST_F(AtomicWrite, AFailurePartWayKeepsTheOldFileAndLeavesNoTemporary) {
  const auto path = folder_ / "default0.psf";
  ASSERT_TRUE(WriteFileAtomically(path, "old contents"));

  // Let writes beyond 4 KiB fail the way a full disk makes them fail.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const bool ok = WriteFileAtomically(path, std::string(64 * 1024, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &saved);

  EXPECT_FALSE(ok);
  EXPECT_EQ(ReadFileBytes(path), "old contents");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}

TEST_F(AtomicWrite, FailsWhenTheFolderIsMissing) {
  EXPECT_FALSE(WriteFileAtomically(folder_ / "missing" / "x.ini", "x"));
  EXPECT_FALSE(WriteFileAtomically("", "x"));
}

TEST(ParseLeadingInteger, BehavesLikeTheCLibrary) {
  struct Case {
    std::u16string_view text;
    int base;
    long long value;
  } cases[] = {
      {u"12abc", 10, 12}, {u"abc", 10, 0},      {u"", 10, 0},        {u"  -7", 10, -7},
      {u"007", 10, 7},    {u"0x3325", 16, 0x3325}, {u"CCDA", 16, 0xCCDA}, {u"0x", 16, 0},
      {u"FG", 16, 15},    {u"99999999999999999999", 10, 9223372036854775807LL},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseLeadingInteger(c.text, c.base), c.value) << ToUtf8(c.text);
}

TEST(Utf8, RoundTripsAndReplacesBrokenSequences) {
  EXPECT_EQ(ToUtf8(u"中文 ok 😀"), "中文 ok 😀");
  EXPECT_EQ(FromUtf8("中文 ok 😀"), u"中文 ok 😀");
  EXPECT_EQ(FromUtf8("a\xC3"), u"a\uFFFD");
  EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(FormatHex(0x3325, 4), u"3325");
  EXPECT_EQ(FormatHex(0xA, 2), u"0A");
}

}  // namespace
}  // namespace pelrin

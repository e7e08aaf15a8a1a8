// The fuzzer's seed corpus, run as ordinary tests: every file and every prefix of it parses safely.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "device/hid/report_descriptor.h"

namespace pelrin::hid {
namespace {

TEST(ReportDescriptorCorpus, EveryFileAndPrefixGivesSaneLengths) {
  const std::filesystem::path corpus = PELRIN_FUZZ_CORPUS;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    SCOPED_TRACE(entry.path().filename().string());
    for (std::size_t length = 0; length <= bytes.size(); ++length) {
      // A copy of exactly `length` bytes, so a sanitizer sees any read past its end.
      const std::vector<std::uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
      const ReportLengths lengths = ParseReportLengths(prefix);
      for (std::uint32_t value : {lengths.input, lengths.output, lengths.feature}) {
        EXPECT_NE(value, 1u);
        EXPECT_LE(value, 0x10000u);
      }
    }
    ++files;
  }
  EXPECT_GT(files, 0) << "no corpus in " << corpus;
}

}  // namespace
}  // namespace pelrin::hid

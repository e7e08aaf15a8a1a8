// Report lengths from hand-built report descriptors, well-formed and hostile.
#include "device/hid/report_descriptor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pelrin::hid {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Short items, little-endian data.
Bytes ReportId(std::uint8_t id) { return {0x85, id}; }
Bytes ReportSize(std::uint8_t bits) { return {0x75, bits}; }
Bytes ReportCount(std::uint8_t count) { return {0x95, count}; }
const Bytes kInput = {0x81, 0x02};
const Bytes kOutput = {0x91, 0x02};
const Bytes kFeature = {0xB1, 0x02};
const Bytes kPush = {0xA4};
const Bytes kPop = {0xB4};
const Bytes kVendorCollection = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01};
const Bytes kEndCollection = {0xC0};

struct Case {
  std::string name;
  Bytes descriptor;
  ReportLengths expected;
  // Keeps the test listing readable: the case's name, not a dump of its bytes.
  friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
};

class ReportLengthsTest : public ::testing::TestWithParam<Case> {};

TEST_P(ReportLengthsTest, MatchesTheLargestReportOfEachKindPlusTheIdByte) {
  EXPECT_EQ(ParseReportLengths(GetParam().descriptor), GetParam().expected);
}

const ReportLengths kMalformed{};

INSTANTIATE_TEST_SUITE_P(
    Descriptors, ReportLengthsTest,
    ::testing::Values(
        // The mouse's own layout: report 5 in, report 0x0C feature, 32 data bytes each.
        Case{"InputAndFeatureBoth33",
             Join({kVendorCollection, ReportId(5), ReportSize(8), ReportCount(32), kInput, ReportId(0x0C),
                   kFeature, kEndCollection}),
             {33, 0, 33}},
        // Boot keyboard without report ids: modifiers, reserved byte, six keys in; five LED bits out.
        Case{"KeyboardOnly",
             {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x95, 0x01, 0x75,
              0x08, 0x81, 0x01, 0x95, 0x05, 0x75, 0x01, 0x91, 0x02, 0x95, 0x01, 0x75, 0x03, 0x91, 0x01,
              0x95, 0x06, 0x75, 0x08, 0x81, 0x00, 0xC0},
             {9, 2, 0}},
        // Several numbered reports: the longest counts, not their sum.
        Case{"LongestOfSeveralIds",
             Join({ReportSize(8), ReportId(1), ReportCount(7), kInput, ReportId(2), ReportCount(15), kInput,
                   ReportId(3), ReportCount(3), kInput}),
             {16, 0, 0}},
        // Main items of one report add up.
        Case{"ItemsOfOneReportAddUp",
             Join({ReportId(5), ReportSize(8), ReportCount(16), kInput, kInput}), {33, 0, 0}},
        // Unnumbered reports still get the id byte; bits round up to whole bytes.
        Case{"BitsRoundUp", Join({ReportSize(1), ReportCount(5), kInput, ReportSize(2), kOutput}), {2, 3, 0}},
        Case{"NothingDescribed", Join({kVendorCollection, kEndCollection}), {0, 0, 0}},
        Case{"Empty", {}, {0, 0, 0}},
        // Pop brings back size, count and report id.
        Case{"PushPopRestores",
             Join({ReportId(1), ReportSize(8), ReportCount(4), kPush, ReportId(2), ReportSize(1), ReportCount(1),
                   kFeature, kPop, kFeature}),
             {0, 0, 5}},
        // A long item's data is skipped whatever it contains (here bytes that look like items).
        Case{"LongItemSkipped",
             Join({{0xFE, 0x04, 0x10, 0x95, 0xFF, 0x81, 0x02}, ReportSize(8), ReportCount(2), kInput}),
             {3, 0, 0}},
        // Four-byte item data.
        Case{"FourByteData",
             Join({{0x77, 0x08, 0x00, 0x00, 0x00, 0x97, 0x20, 0x00, 0x00, 0x00}, ReportId(0x0C), kFeature}),
             {0, 0, 33}},
        Case{"TruncatedShortItem", Join({ReportSize(8), ReportCount(2), kInput, {0x75}}), kMalformed},
        Case{"TruncatedFourByteItem", {0x97, 0x20, 0x00}, kMalformed},
        Case{"TruncatedLongItemHeader", {0xFE, 0x04}, kMalformed},
        Case{"TruncatedLongItemData", {0xFE, 0x04, 0x10, 0x01, 0x02}, kMalformed},
        Case{"PopWithoutPush", Join({ReportSize(8), ReportCount(2), kInput, kPop}), kMalformed},
        Case{"ReportIdZero", Join({ReportId(0), ReportSize(8), ReportCount(2), kInput}), kMalformed},
        Case{"ReportIdAbove255", Join({{0x86, 0x00, 0x01}, ReportSize(8), ReportCount(2), kInput}), kMalformed},
        // 0xFFFFFFFF x 0xFFFFFFFF bits: must neither overflow nor be accepted.
        Case{"HugeSizeTimesCount",
             {0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02}, kMalformed},
        Case{"PushesWithoutEnd", Bytes(100, 0xA4), kMalformed}),
    [](const auto& testInfo) { return testInfo.param.name; });

TEST(ReportLengths, ManyItemsAddingPastTheLimitAreMalformed) {
  // Each item adds 255 x 255 bits; nine of them pass 65535 bytes.
  Bytes descriptor = Join({ReportSize(255), ReportCount(255)});
  for (int i = 0; i < 8; ++i) descriptor.insert(descriptor.end(), kInput.begin(), kInput.end());
  EXPECT_NE(ParseReportLengths(descriptor).input, 0u);
  descriptor.insert(descriptor.end(), kInput.begin(), kInput.end());
  EXPECT_EQ(ParseReportLengths(descriptor), kMalformed);
}

TEST(ReportLengths, NeverReadsBeyondTheGivenBytes) {
  // The bytes after the span would complete the item; the parser must treat it as cut off.
  const Bytes memory = Join({ReportSize(8), ReportCount(2), kInput, {0x95, 0x20, 0x81, 0x02}});
  const std::span<const std::uint8_t> cut(memory.data(), memory.size() - 3);
  EXPECT_EQ(ParseReportLengths(cut), kMalformed);
  // Every prefix of a real descriptor parses without touching what follows it.
  for (std::size_t length = 0; length <= memory.size(); ++length) {
    ParseReportLengths(std::span<const std::uint8_t>(memory.data(), length));
  }
}

}  // namespace
}  // namespace pelrin::hid

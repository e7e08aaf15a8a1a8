// The DPI table of every sensor, and lookups that never read past it.
#include <gtest/gtest.h>

#include "settings/dpi_table.h"

namespace pelrin {
namespace {

TEST(DpiTable, EverySensor) {
  struct Case {
    std::uint16_t sensor;
    std::size_t n;
    std::vector<std::pair<std::size_t, int>> dpiAt;  // index -> DPI
    std::uint16_t codeOfZero;
    bool highRange;
  } cases[] = {
      {0x3104, 48, {{0, 100}, {39, 4000}, {40, 4500}, {41, 4800}, {42, 5500}, {47, 8000}}, 0, false},
      {0x3212, 42, {{0, 200}, {22, 2400}, {23, 3000}, {41, 4800}}, 1, false},
      {0x3311, 120, {{0, 100}, {119, 12000}}, 1, false},
      {0x3325, 59, {{0, 200}, {47, 4900}, {48, 5000}, {50, 6000}, {51, 6400}, {52, 7000}, {58, 10000}}, 1, false},
      {0x3327, 74, {{0, 200}, {60, 6200}, {61, 6500}, {72, 12000}, {73, 12400}}, 1, false},
      {0x3335, 160, {{0, 100}, {159, 16000}}, 0, true},
      {0x3360, 121, {{119, 12000}, {120, 24000}}, 0, true},
      {0x3370, 290, {{0, 50}, {199, 10000}, {200, 10100}, {289, 19000}}, 0, true},
      {0x3389, 160, {{0, 100}, {159, 16000}}, 0, true},
      {0x3395, 520, {{0, 50}, {519, 26000}}, 0, true},
      {0x3399, 400, {{0, 50}, {399, 20000}}, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sensor);
    DpiTable table;
    ASSERT_TRUE(BuildDpiTable(c.sensor, table));
    EXPECT_EQ(table.size(), c.n);
    EXPECT_EQ(table.codes.size(), c.n);
    EXPECT_EQ(table.highRange, c.highRange);
    EXPECT_EQ(table.CodeAt(0), c.codeOfZero);
    EXPECT_EQ(table.CodeAt(c.n - 1), c.n - 1 + c.codeOfZero);
    for (const auto& [index, dpi] : c.dpiAt) EXPECT_EQ(table.DpiAt(index), dpi) << index;
    for (std::size_t i = 1; i < c.n; ++i) ASSERT_LT(table.entries[i - 1], table.entries[i]) << i;
  }
}

TEST(DpiTable, UnknownSensorKeepsThePreviousTable) {
  DpiTable table;
  ASSERT_TRUE(BuildDpiTable(0x3360, table));
  const DpiTable before = table;
  EXPECT_FALSE(BuildDpiTable(0x1234, table));
  EXPECT_EQ(table, before);
  DpiTable never;
  EXPECT_FALSE(BuildDpiTable(0, never));
  EXPECT_EQ(never.CodeAt(5), 0);  // lookups in a table never built stay inside it
  EXPECT_EQ(never.DpiAt(5), 0);
}

TEST(DpiTable, IndexesBeyondTheTableUseTheLastEntry) {
  DpiTable table;
  BuildDpiTable(0x3104, table);
  for (std::size_t index : {47u, 48u, 58u, 0xFFFFu}) {
    EXPECT_EQ(table.ClampIndex(index), 47u);
    EXPECT_EQ(table.DpiAt(index), 8000);
    EXPECT_EQ(table.CodeAt(index), 47);
  }
}

TEST(DpiTable, TypedDpiRoundsUpToTheNextOffered) {
  DpiTable table;
  BuildDpiTable(0x3325, table);
  EXPECT_EQ(table.IndexForDpi(1234), 11u);  // 1300 DPI
  EXPECT_EQ(table.IndexForDpi(200), 0u);
  EXPECT_EQ(table.IndexForDpi(0), 0u);
  EXPECT_EQ(table.IndexForDpi(99999), 58u);
}

}  // namespace
}  // namespace pelrin

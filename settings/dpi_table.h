// The selectable DPI values of each sensor and the codes the mouse expects for them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pelrin {

inline constexpr std::uint16_t kDefaultSensorCode = 0x3325;

// For the sensor in force: entry i is a DPI value in units of 50 DPI, code i what the mouse is sent for
// it. A stage's stored index may lie beyond the table (hand-edited files, the defaults of 0x3104), so every
// lookup clamps it to the last entry instead of reading past the table.
struct DpiTable {
  std::uint16_t sensor = 0;  // 0 until built
  std::vector<std::uint16_t> entries;
  std::vector<std::uint16_t> codes;
  bool highRange = false;

  std::size_t size() const { return entries.size(); }
  bool empty() const { return entries.empty(); }
  // The index actually used for `index`: itself when below n, otherwise n - 1 (0 for an empty table).
  std::size_t ClampIndex(std::size_t index) const;
  std::uint16_t EntryAt(std::size_t index) const;  // 0 for an empty table
  std::uint16_t CodeAt(std::size_t index) const;   // 0 for an empty table
  int DpiAt(std::size_t index) const { return EntryAt(index) * 50; }
  // The smallest index whose DPI is at least `dpi`; the last index when none is.
  std::size_t IndexForDpi(long long dpi) const;

  friend bool operator==(const DpiTable&, const DpiTable&) = default;
};

bool IsKnownSensor(std::uint16_t sensorCode);

// Fills `table` for `sensorCode`. For a code that is not a known sensor, returns false and leaves the
// previous table as it was.
bool BuildDpiTable(std::uint16_t sensorCode, DpiTable& table);

}  // namespace pelrin

// DPI tables of the supported sensors.
#include "settings/dpi_table.h"

#include <algorithm>
#include <initializer_list>

namespace pelrin {
namespace {

struct Run {
  int first;
  int last;
  int step;
};

struct SensorTable {
  std::uint16_t sensor;
  std::initializer_list<Run> runs;
  std::uint16_t codeOffset;  // code of index i is i + codeOffset
  bool highRange;
};

// Single values are runs of one.
const SensorTable kSensorTables[] = {
    {0x3104, {{2, 80, 2}, {90, 90, 1}, {96, 96, 1}, {110, 160, 10}}, 0, false},
    {0x3212, {{4, 48, 2}, {60, 96, 2}}, 1, false},
    {0x3311, {{2, 240, 2}}, 1, false},
    {0x3325, {{4, 98, 2}, {100, 120, 10}, {128, 128, 1}, {140, 200, 10}}, 1, false},
    {0x3327, {{4, 124, 2}, {130, 240, 10}, {248, 248, 1}}, 1, false},
    {0x3335, {{2, 320, 2}}, 0, true},
    {0x3360, {{2, 240, 2}, {480, 480, 1}}, 0, true},
    {0x3370, {{1, 200, 1}, {202, 380, 2}}, 0, true},
    {0x3389, {{2, 320, 2}}, 0, true},
    {0x3395, {{1, 520, 1}}, 0, true},
    {0x3399, {{1, 400, 1}}, 0, true},
};

const SensorTable* FindSensor(std::uint16_t sensorCode) {
  for (const SensorTable& table : kSensorTables) {
    if (table.sensor == sensorCode) return &table;
  }
  return nullptr;
}

}  // namespace

std::size_t DpiTable::ClampIndex(std::size_t index) const {
  if (entries.empty()) return 0;
  return std::min(index, entries.size() - 1);
}

std::uint16_t DpiTable::EntryAt(std::size_t index) const {
  return entries.empty() ? 0 : entries[ClampIndex(index)];
}

std::uint16_t DpiTable::CodeAt(std::size_t index) const { return codes.empty() ? 0 : codes[ClampIndex(index)]; }

std::size_t DpiTable::IndexForDpi(long long dpi) const {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (static_cast<long long>(entries[i]) * 50 >= dpi) return i;
  }
  return entries.empty() ? 0 : entries.size() - 1;
}

bool IsKnownSensor(std::uint16_t sensorCode) { return FindSensor(sensorCode) != nullptr; }

bool BuildDpiTable(std::uint16_t sensorCode, DpiTable& table) {
  const SensorTable* source = FindSensor(sensorCode);
  if (source == nullptr) return false;
  DpiTable built;
  built.sensor = sensorCode;
  built.highRange = source->highRange;
  for (const Run& run : source->runs) {
    for (int value = run.first; value <= run.last; value += run.step) {
      built.codes.push_back(static_cast<std::uint16_t>(built.entries.size() + source->codeOffset));
      built.entries.push_back(static_cast<std::uint16_t>(value));
    }
  }
  table = std::move(built);
  return true;
}

}  // namespace pelrin

// The application settings: 16 positional key/value pairs stored in config/config.ini.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/profile_record.h"

namespace pelrin {

inline constexpr std::size_t kAppSettingCount = 16;

// Positions of the pairs; code addresses them by position only, the keys are only written out.
enum AppSetting : std::size_t {
  kSensor = 0,
  kPreST,
  kMacId,
  kDataChange,
  kCurrentProfile,
  kProfileShowCount,
  kProfileShowList0,
  kProfileSlot0Url = kProfileShowList0 + kProfileCount,
};

struct AppSettings {
  std::array<NamedSettingPair, kAppSettingCount> pairs;

  // Pair n's key or value; empty for n above 15.
  const std::u16string& Key(std::size_t n) const;
  const std::u16string& Value(std::size_t n) const;
  void SetValue(std::size_t n, std::u16string value);

  // Sensor and PreST are hexadecimal (a leading "0x" is accepted) cut to 16 bits; the others decimal,
  // with text that does not start with a digit reading as 0.
  std::uint16_t Sensor() const;
  std::uint16_t PreST() const;
  int CurrentProfile() const;
  int ProfileShowCount() const;
  int ProfileShowList(std::size_t position) const;  // -1 for a position above 4
  // The slots at list positions 0 to ProfileShowCount - 1, in list order (slot values outside 0 to 4 and
  // positions beyond the five are left out).
  std::vector<int> ShownSlots() const;
  // The profile file path of a slot; empty for a slot outside 0 to 4.
  std::filesystem::path SlotPath(int slot) const;

  void SetSensor(std::uint16_t code);
  void SetPreST(std::uint16_t mark);
  void SetCurrentProfile(int slot);
  void SetProfileShowCount(int count);
  void SetProfileShowList(std::size_t position, int slot);

  friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

// "0x%4X": at least four upper-case hexadecimal digits, padded on the left with spaces.
std::u16string FormatSensorCode(std::uint16_t code);

// Every pair to its default; the slot paths are absolute paths under `dataFolder`.
void ResetAppSettings(AppSettings& settings, const std::filesystem::path& dataFolder);
AppSettings DefaultAppSettings(const std::filesystem::path& dataFolder);

// Reads the settings file from its bytes; nullopt when it is invalid. Pairs the file does not reach stay
// empty.
std::optional<AppSettings> ParseAppSettings(std::string_view bytes);
// The file at `file`; nullopt when it is missing, unreadable or invalid.
std::optional<AppSettings> LoadAppSettings(const std::filesystem::path& file);

// The lines the settings file holds: "[Setting]" and one "key=value" line per pair.
std::vector<std::u16string> AppSettingsLines(const AppSettings& settings);
// Replaces the file whole; false (file untouched) when it cannot be written.
bool SaveAppSettings(const AppSettings& settings, const std::filesystem::path& file);

// Puts back the defaults of pairs whose values would select a slot outside the five: CurrentProfile
// outside 0 to 4, ProfileShowCount outside 1 to 5, a ProfileShowList that is not an order of 0 to 4.
// Returns whether anything changed.
bool RepairSlotSettings(AppSettings& settings);

}  // namespace pelrin

// The settings of one profile slot, field for field as they are stored and sent.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "macros/key_assignment.h"

namespace pelrin {

inline constexpr int kProfileCount = 5;
inline constexpr std::size_t kNamedSettingCount = 20;
inline constexpr std::size_t kLightingModeCount = 10;
inline constexpr std::size_t kLightingColourSlots = 10;
inline constexpr std::size_t kDpiStageCount = 8;

// Colours hold red in the low byte, then green, then blue; the high byte is 0.
using Colour = std::uint32_t;
constexpr Colour MakeColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<Colour>(red) | (static_cast<Colour>(green) << 8) | (static_cast<Colour>(blue) << 16);
}
constexpr std::uint8_t Red(Colour c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t Green(Colour c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t Blue(Colour c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }

// Positions of the named settings; the program addresses them by position only.
enum NamedSetting : std::size_t {
  kProfileName = 0,
  kGameFile0,
  kGameFile1,
  kGameFile2,
  kDoubleClickSpeed,
  kPointerSpeed,
  kAccelerationEnable,
  kScrollWheelSpeed,
  kScrollWheelPageEnable,
  kTiltSpeed,
  kSensitivityX,
  kSensitivityY,
  kXYSynchronous,
  kXDpi,
  kYDpi,
  kMoveLightingOnOffMode,
  kPowerDownTime,
  kLiftDetectionHeight,
  kKeyDebounce,
  kMotionWakeup,
};

struct NamedSettingPair {
  std::u16string key;
  std::u16string value;
  friend bool operator==(const NamedSettingPair&, const NamedSettingPair&) = default;
};

using ThreeBytes = std::array<std::uint8_t, 3>;

struct ProfileRecord {
  std::array<NamedSettingPair, kNamedSettingCount> namedSettings;
  std::array<KeyAssignment, kButtonCount> keyAssignments;
  std::u16string PollingRateName;
  ThreeBytes PollingRateValue{};
  std::uint8_t Lighting1OffOn = 0;
  std::u16string Lighting1Name;
  ThreeBytes Lighting1ModeValue{};
  std::array<std::uint8_t, kLightingModeCount> Lighting1Speed{};
  std::array<std::uint8_t, kLightingModeCount> Lighting1Brightness{};
  std::array<std::array<std::uint8_t, kLightingColourSlots>, kLightingModeCount> Lighting1ColorSelected{};
  std::array<std::array<Colour, kLightingColourSlots>, kLightingModeCount> Lighting1FixedColor{};
  std::array<std::uint8_t, kLightingModeCount> Lighting1Direction{};
  std::uint8_t Lighting2OffOn = 0;
  std::u16string Lighting2Name;
  ThreeBytes Lighting2ModeValue{};
  std::uint8_t Lighting2Speed = 0;
  std::uint8_t Lighting2Brightness = 0;
  Colour Lighting2FixedColor = 0;
  std::uint8_t DPIOffOnFlagValue = 0;
  std::array<std::uint16_t, kDpiStageCount> XYSetting{};
  std::uint8_t CurrentDPILevelValue = 0;
  std::array<Colour, kDpiStageCount> DPILevelIndication{};
  std::uint8_t AngleSnapValue = 0;
  std::uint8_t LiftDetectionValue = 0;

  // Button assignment by index; nullptr for an index above 5.
  KeyAssignment* KeyAt(std::size_t index) { return index < kButtonCount ? &keyAssignments[index] : nullptr; }
  const KeyAssignment* KeyAt(std::size_t index) const {
    return index < kButtonCount ? &keyAssignments[index] : nullptr;
  }

  const std::u16string& Value(NamedSetting which) const { return namedSettings[which].value; }
  void SetValue(NamedSetting which, std::u16string value) { namedSettings[which].value = std::move(value); }

  friend bool operator==(const ProfileRecord&, const ProfileRecord&) = default;
};

}  // namespace pelrin

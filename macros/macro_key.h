// A macro: its name, identity, loop settings and up to 336 action words.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace pelrin {

// One action word; its bytes b0 (code), b1, b2, b3 are stored low byte first, so b0 is the low byte.
using MacroAction = std::uint32_t;

inline constexpr std::size_t kMaxMacroActions = 336;
inline constexpr unsigned kMaxMacroEvents = 168;  // non-pause actions a macro may hold
inline constexpr std::uint8_t kDelayCode = 3;     // b0 of a pause

struct MacroKey {
  std::u16string name;
  std::uint32_t index = 0;
  std::uint32_t actionCount = 0;
  std::array<MacroAction, kMaxMacroActions> actions{};
  std::uint8_t loopType = 2;
  std::uint8_t loopCount = 1;
  std::uint8_t commandCount = 0;

  friend bool operator==(const MacroKey&, const MacroKey&) = default;
};

}  // namespace pelrin

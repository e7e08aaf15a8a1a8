// What one mouse button does: a three-byte assignment value, its display name and a private macro copy.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "macros/macro_key.h"

namespace pelrin {

// Byte 0 is the category, bytes 1 and 2 its parameters; sent to the mouse unchanged.
using AssignmentValue = std::array<std::uint8_t, 3>;

inline constexpr std::size_t kButtonCount = 6;

struct KeyAssignment {
  std::u16string name;
  AssignmentValue value{};
  std::uint32_t macroIndex = 0;
  MacroKey macro;

  friend bool operator==(const KeyAssignment&, const KeyAssignment&) = default;
};

}  // namespace pelrin

// Key vocabulary: the name shown for each virtual-key code and the code the mouse is sent for it.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace pelrin {

inline constexpr std::size_t kVirtualKeyCount = 256;

// Virtual keys 224 to 231 are the program's own pseudo-keys for mouse events inside macros.
inline constexpr std::uint8_t kVkMouseLeft = 0xE0;
inline constexpr std::uint8_t kVkMouseRight = 0xE1;
inline constexpr std::uint8_t kVkMouseMiddle = 0xE2;
inline constexpr std::uint8_t kVkMouseButton4 = 0xE3;
inline constexpr std::uint8_t kVkMouseButton5 = 0xE4;
inline constexpr std::uint8_t kVkMouseMoveX = 0xE5;
inline constexpr std::uint8_t kVkMouseMoveY = 0xE6;
inline constexpr std::uint8_t kVkMouseWheel = 0xE7;

namespace key_tables_detail {

constexpr std::array<std::u16string_view, kVirtualKeyCount> BuildKeyNames() {
  std::array<std::u16string_view, kVirtualKeyCount> n{};
  for (auto& name : n) name = u"Undefined";
  n[1] = u"LBUTTON";
  n[2] = u"RBUTTON";
  n[3] = u"CANCEL";
  n[4] = u"MBUTTON";
  n[5] = u"XBUTTON1";
  n[6] = u"XBUTTON2";
  n[8] = u"Backspace";
  n[9] = u"Tab";
  n[12] = u"Clear";
  n[13] = u"Enter";
  n[16] = u"Shift";
  n[17] = u"Ctrl";
  n[18] = u"Alt";
  n[19] = u"Pause";
  n[20] = u"CapsLock";
  n[21] = u"Kana";
  n[23] = u"junja";
  n[24] = u"Final";
  n[25] = u"Hanja";
  n[27] = u"Esc";
  n[28] = u"Convert";
  n[29] = u"Nonconvert";
  n[30] = u"Accept";
  n[31] = u"ModeChange";
  n[32] = u"Space";
  n[33] = u"Page Up";
  n[34] = u"Page Down";
  n[35] = u"End";
  n[36] = u"Home";
  n[37] = u"Left Arrow";
  n[38] = u"Up Arrow";
  n[39] = u"Right Arrow";
  n[40] = u"Down Arrow";
  n[41] = u"Select";
  n[42] = u"Print";
  n[43] = u"Execute";
  n[44] = u"Print Screen";
  n[45] = u"Ins";
  n[46] = u"Del";
  n[47] = u"Help";
  constexpr std::u16string_view digits = u"0123456789";
  for (std::size_t i = 0; i < 10; ++i) n[48 + i] = digits.substr(i, 1);
  constexpr std::u16string_view letters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (std::size_t i = 0; i < 26; ++i) n[65 + i] = letters.substr(i, 1);
  n[91] = u"Win_L";
  n[92] = u"Win_R";
  n[93] = u"App";
  n[95] = u"Sleep";
  constexpr std::array<std::u16string_view, 10> keypad = {u"Num0", u"Num1", u"Num2", u"Num3", u"Num4",
                                                           u"Num5", u"Num6", u"Num7", u"Num8", u"Num9"};
  for (std::size_t i = 0; i < keypad.size(); ++i) n[96 + i] = keypad[i];
  n[106] = u"Multiply";
  n[107] = u"Add";
  n[108] = u"Separator";
  n[109] = u"Subtract";
  n[110] = u"Decimal";
  n[111] = u"Divide";
  constexpr std::array<std::u16string_view, 24> functionKeys = {
      u"F1",  u"F2",  u"F3",  u"F4",  u"F5",  u"F6",  u"F7",  u"F8",  u"F9",  u"F10", u"F11", u"F12",
      u"F13", u"F14", u"F15", u"F16", u"F17", u"F18", u"F19", u"F20", u"F21", u"F22", u"F23", u"F24"};
  for (std::size_t i = 0; i < functionKeys.size(); ++i) n[112 + i] = functionKeys[i];
  n[144] = u"Num Lock";
  n[145] = u"Scroll Lock";
  n[160] = u"Shift_L";
  n[161] = u"Shift_R";
  n[162] = u"Ctrl_L";
  n[163] = u"Ctrl_R";
  n[164] = u"Alt_L";
  n[165] = u"Alt_R";
  n[186] = u";";
  n[187] = u"=";
  n[188] = u",";
  n[189] = u"-";
  n[190] = u".";
  n[191] = u"/";
  n[192] = u"~";
  n[219] = u"[";
  n[220] = u"\\";
  n[221] = u"]";
  n[222] = u"'";
  n[224] = u"L Key";
  n[225] = u"R Key";
  n[226] = u"M Key";
  n[227] = u"K4";
  n[228] = u"K5";
  n[229] = u"Mouse X";
  n[230] = u"Mouse Y";
  n[231] = u"Mouse Wheel";
  return n;
}

// Runs of consecutive virtual keys and the device codes they map to.
constexpr std::array<std::uint8_t, kVirtualKeyCount> BuildDeviceCodes() {
  std::array<std::uint8_t, kVirtualKeyCount> c{};
  auto run = [&c](std::size_t firstKey, std::initializer_list<std::uint8_t> codes) {
    for (std::uint8_t code : codes) c[firstKey++] = code;
  };
  c[8] = 42;   // Backspace
  c[9] = 43;   // Tab
  c[13] = 40;  // Enter
  c[14] = 88;  // unassigned by Windows; sent as keypad Enter
  c[19] = 72;  // Pause
  c[20] = 57;  // CapsLock
  c[27] = 41;  // Esc
  c[32] = 44;  // Space
  run(33, {75, 78, 77, 74});      // Page Up, Page Down, End, Home
  run(37, {80, 82, 79, 81});      // arrows left, up, right, down
  run(44, {70, 73, 76});          // Print Screen, Ins, Del
  c[48] = 39;                     // "0"
  for (std::size_t i = 0; i < 9; ++i) c[49 + i] = static_cast<std::uint8_t>(30 + i);  // "1" to "9"
  c[59] = 41;                     // unassigned by Windows; sent as Escape
  for (std::size_t i = 0; i < 26; ++i) c[65 + i] = static_cast<std::uint8_t>(4 + i);  // "A" to "Z"
  c[91] = 227;                    // Win_L
  c[92] = 231;                    // Win_R
  c[93] = 101;                    // App
  c[95] = 130;                    // Sleep
  c[96] = 98;                     // Num0
  for (std::size_t i = 0; i < 9; ++i) c[97 + i] = static_cast<std::uint8_t>(89 + i);  // Num1 to Num9
  run(106, {85, 87});             // Multiply, Add
  run(109, {86, 99, 84});         // Subtract, Decimal, Divide
  for (std::size_t i = 0; i < 12; ++i) c[112 + i] = static_cast<std::uint8_t>(58 + i);  // F1 to F12
  c[144] = 83;                    // Num Lock
  c[145] = 71;                    // Scroll Lock
  run(160, {225, 229, 224, 228, 226, 230});  // Shift_L, Shift_R, Ctrl_L, Ctrl_R, Alt_L, Alt_R
  run(186, {51, 46, 54, 45, 55, 56, 53});    // ; = , - . / ~
  run(219, {47, 49, 48, 52});                // [ \ ] '
  for (std::size_t i = 0; i < 8; ++i) c[224 + i] = static_cast<std::uint8_t>(240 + i);  // mouse pseudo-keys
  run(240, {129, 131, 50, 100, 133, 135, 136, 137, 138, 139, 144, 145});  // international keys
  return c;
}

}  // namespace key_tables_detail

// The text shown for each virtual key; "Undefined" where no key is known.
inline constexpr std::array<std::u16string_view, kVirtualKeyCount> VkKeyName = key_tables_detail::BuildKeyNames();

// The device key code for each virtual key, 0 for none: HID keyboard usages, 224 to 231 for the modifier
// keys, 240 to 247 for the mouse pseudo-keys.
inline constexpr std::array<std::uint8_t, kVirtualKeyCount> VkToDeviceCode = key_tables_detail::BuildDeviceCodes();

constexpr std::u16string_view KeyName(std::uint8_t virtualKey) { return VkKeyName[virtualKey]; }
constexpr std::uint8_t DeviceCode(std::uint8_t virtualKey) { return VkToDeviceCode[virtualKey]; }

}  // namespace pelrin

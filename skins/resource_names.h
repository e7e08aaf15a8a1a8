// Names of the images compiled into the program by pelrin::skin_resources (Qt resource paths).
#pragma once

namespace pelrin::skins {

inline constexpr const char* kProgramIcon = ":/pelrin/res/128.png";
inline constexpr const char* kScrollDownArrowStrip = ":/pelrin/res/187.png";  // normal, hover, pressed
inline constexpr const char* kScrollUpArrowStrip = ":/pelrin/res/188.png";    // normal, hover, pressed
inline constexpr const char* kPaletteFrame = ":/pelrin/res/287.bmp";
inline constexpr const char* kMainFrame = ":/pelrin/res/364.bmp";

}  // namespace pelrin::skins

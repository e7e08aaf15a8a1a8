// The skin data of every control family: colours, sizes, file names and fixed texts, one struct per family.
#pragma once

#include <QString>

#include "ui/window_types.h"

namespace pelrin {

struct ButtonStyle {
  ColorRef normalText = Rgb(180, 180, 180);
  ColorRef hoverText = Rgb(255, 255, 255);
  ColorRef pressedText = Rgb(255, 255, 0);  // pressed or checked
  ColorRef defaultSwatch = Rgb(0, 255, 0);
  int swatchInset = 3;                       // design pixels around a colour swatch
  int dpiTextBand = 11;                      // design height of a DPI stage button's value band
};
inline constexpr ButtonStyle kButtonStyle{};

struct PowerDialStyle {
  static constexpr int kFirstMinutes = 3;
  static constexpr int kLastMinutes = 10;
  static constexpr int kInitialValue = 6;
  static constexpr int kCentreX = 70, kCentreY = 71;
  // Arc points P2 to P10 in design pixels, from the 3-minute end to the 10-minute end.
  static constexpr int kArc[9][2] = {{3, 71},   {7, 51},   {17, 32},  {40, 13}, {70, 5},
                                     {100, 14}, {121, 31}, {131, 51}, {134, 71}};
  static QString ImageName(int minutes) { return QStringLiteral("skins/power_manage_%1min.png").arg(minutes); }
};

struct ListStyle {
  ColorRef background = Rgb(75, 75, 75);
  ColorRef highlight = Rgb(53, 160, 222);
  ColorRef text = Rgb(255, 255, 255);
  ColorRef greyText = Rgb(180, 180, 180);
  int rowHeight = 20;       // design pixels
  int rowInset = 2;         // design pixels on each side of a row
  int actionRowIndent = 17; // design pixels left of an action row, for its icon
};
inline constexpr ListStyle kListStyle{};

struct ScrollBarStyle {
  ColorRef track = Rgb(16, 16, 16);
  ColorRef thumbEdge = Rgb(31, 31, 31);
  ColorRef thumbFace = Rgb(50, 50, 50);
  ColorRef thumbHoverEdge = Rgb(53, 160, 222);
  ColorRef thumbHoverFace = Rgb(31, 31, 31);
  int upArrowResource = 188;
  int downArrowResource = 187;
};
inline constexpr ScrollBarStyle kScrollBarStyle{};

struct BatteryStyle {
  int fillTop = 7;        // design rows above the fill of the full image
  int fillHeight = 50;    // design rows of the fill
  int chargingLevel = 25; // first step of the charging animation
};
inline constexpr BatteryStyle kBatteryStyle{};

struct TabStyle {
  ColorRef text = Rgb(180, 180, 180);
  int leftInset = 6;
};
inline constexpr TabStyle kTabStyle{};

struct StaticTextStyle {
  ColorRef defaultText = Rgb(180, 180, 180);
};
inline constexpr StaticTextStyle kStaticTextStyle{};

struct DialogStyle {
  int defaultWidth = 2254;
  int defaultHeight = 1480;
  ColorRef defaultFill = Rgb(186, 226, 239);
  int iconResource = 128;
  int defaultFrameSize = 100;
  const char* windowTitle = "ZORVEL GAMING QX7 WL";
};
inline constexpr DialogStyle kDialogStyle{};

struct PopupStyle {
  ColorRef border = Rgb(0, 0, 0);
  ColorRef separator = Rgb(53, 160, 222);
  ColorRef normalText = Rgb(180, 180, 180);
  ColorRef highlightText = Rgb(255, 255, 255);
  int itemHeight = 22;      // design pixels
  int separatorHeight = 4;  // design pixels of a separator's slot, the line being its second pixel row
  int textInset = 2;        // device pixels each side of an item text
};
inline constexpr PopupStyle kPopupStyle{};

struct AttentionStyle {
  int width = 319;
  int height = 102;
  const char* frame = "skins/Frame_warning.bmp";
  const char* buttonNormal = "skins/button2_nr.png";
  const char* buttonHover = "skins/button2_ov.png";
  ColorRef titleText = Rgb(255, 255, 255);
  ColorRef messageText = Rgb(180, 180, 180);
  Rect titleRect{12, 6, 300, 26};
  Rect messageRect{20, 34, 299, 66};
  Rect okRect{125, 72, 194, 92};
};
inline constexpr AttentionStyle kAttentionStyle{};

}  // namespace pelrin

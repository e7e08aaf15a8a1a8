// The toolkit's window vocabulary: rectangles, message parameters, notification codes, key and text flags.
#pragma once

#include <QColor>
#include <QRect>
#include <algorithm>
#include <cstdint>

namespace pelrin {

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// Left, top, right, bottom with the right and bottom edges outside, as every skin position is given.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  constexpr Rect Intersected(const Rect& o) const {
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
  }
  constexpr Rect Inset(int l, int t, int r, int b) const { return {left + l, top + t, right - r, bottom - b}; }
  QRect ToQRect() const { return {left, top, Width(), Height()}; }
  static Rect FromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

inline constexpr Rect kNoRect{-1, -1, -1, -1};

// Colours hold red in the low byte, then green, then blue.
using ColorRef = std::uint32_t;
constexpr ColorRef Rgb(int red, int green, int blue) {
  return static_cast<ColorRef>(red & 0xFF) | (static_cast<ColorRef>(green & 0xFF) << 8) |
         (static_cast<ColorRef>(blue & 0xFF) << 16);
}
inline QColor ToQColor(ColorRef c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

// The event a control reports to its host in lparam.
enum ControlNotify : LPARAM {
  kNotifyPressed = 1,
  kNotifyClicked = 2,
  kNotifyValueChanged = 3,
  kNotifyEntered = 4,
  kNotifyLeft = 5,
  kNotifyDoubleClicked = 10,
  kNotifyRightClicked = 11,
  kNotifyHoverMove = 12,
};

// Mouse key flags handed to the control handlers.
inline constexpr unsigned kMkLButton = 0x0001;
inline constexpr unsigned kMkRButton = 0x0002;
inline constexpr unsigned kMkShift = 0x0004;
inline constexpr unsigned kMkControl = 0x0008;
inline constexpr unsigned kMkMButton = 0x0010;

// Text layout flags; controls are given these and combine them as their layout needs.
inline constexpr unsigned kDtLeft = 0x0;
inline constexpr unsigned kDtCenter = 0x1;
inline constexpr unsigned kDtRight = 0x2;
inline constexpr unsigned kDtVCenter = 0x4;
inline constexpr unsigned kDtBottom = 0x8;
inline constexpr unsigned kDtSingleLine = 0x20;
inline constexpr unsigned kDtEndEllipsis = 0x8000;
inline constexpr unsigned kDtWordEllipsis = 0x40000;
inline constexpr unsigned kDtButtonText = kDtSingleLine | kDtVCenter | kDtWordEllipsis;  // 0x40024
inline constexpr unsigned kDtLabelText = kDtVCenter | kDtWordEllipsis;                   // 0x40004

// Results of a modal run.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// Sent to a popup's owner when the popup window is closing.
inline constexpr unsigned kPopupClosedMessage = 1025;

}  // namespace pelrin

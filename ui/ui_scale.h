// The process-wide scale of every design coordinate, fixed by the app at start-up.
#pragma once

namespace pelrin {

// Factor applied to design coordinates, sizes and font heights; 1.0 until the app sets it.
float UiScale();
void SetUiScale(float scale);

// Horizontal logical pixels per inch of the screen over 96; 1.0 until the app sets it.
float DpiRatio();
void SetDpiRatio(float ratio);

// A design value in device pixels: v times the scale, truncated toward zero.
inline int Scaled(double v, float scale) { return static_cast<int>(static_cast<float>(v) * scale); }
inline int Scaled(double v) { return Scaled(v, UiScale()); }

}  // namespace pelrin

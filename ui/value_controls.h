// Display controls, sliders, the value bars, the tab and the scroll bar.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/buttons.h"

namespace pelrin {

// A text label; the displayed text, not the caption, is drawn. Takes no mouse input.
class CStaticText : public CButtonBase {
 public:
  CStaticText(CWindowBase* host, unsigned id, const Rect& rect, ColorRef textColor, unsigned textFormat,
              QString caption, bool visible, bool shown);
  void SetDisplayText(const QString& newText) { displayText = newText; }
  void Draw(QPainter& painter, const Rect& update) override;

  unsigned textFormat;
  QString displayText;
  ColorRef textColor;
};

// One image, or one frame of a horizontal strip when frameIndex is set. Takes no mouse input.
class CStaticImage : public CButtonBase {
 public:
  CStaticImage(CWindowBase* host, unsigned id, const Rect& rect, QString caption, bool visible, bool shown);
  bool SetImage(const QString& file);
  void Draw(QPainter& painter, const Rect& update) override;
  void ReleaseImages() override;

  SkinImage image;
  int imageWidth = 0, imageHeight = 0;
  int frameIndex = 0;
};

// Where the fill of a value bar or battery goes: `source` of the fill image drawn at `dest`.
struct FillPart {
  Rect dest;
  QRect source;
};
// The battery's fill for `level` percent (at least one unit of fill).
FillPart BatteryFill(const Rect& rect, int imageWidth, int imageHeight, int level, int fillTop, int fillHeight,
                     float scale);

class CBattery : public CButtonBase {
 public:
  static constexpr unsigned kId = 3406;
  enum Mode : int { kOnBattery = 0, kCharging = 1, kFull = 2 };

  CBattery(CWindowBase* host, const Rect& rect, QString caption, bool visible, bool shown);
  bool SetImages(const QString& full, const QString& empty, const QString& charging, const QString& overlay);
  void Draw(QPainter& painter, const Rect& update) override;
  void ReleaseImages() override;

  SkinImage fullImage, emptyImage, chargingImage, overlayImage;
  int imageWidth = 0, imageHeight = 0;
  int batteryMode = kOnBattery;
  std::uint8_t batteryLevel = 100;
  int fillTop, fillHeight, chargingLevel;
};

// A horizontal slider of `stepCount` positions; reports the step index.
class CSliderControl : public CButtonBase {
 public:
  CSliderControl(CWindowBase* host, unsigned id, const Rect& rect, int stepCount, int leftMargin, int rightMargin,
                 QString caption, bool visible, bool shown, bool disabled);
  bool SetKnobImage(const QString& file);
  void SetValue(int step);
  int GetValue() const { return value; }
  // The step nearest to x; a point exactly between two steps takes the upper one.
  int NearestStep(int x) const;
  const std::vector<int>& StepPositions() const { return steps; }
  void SetControlRect(const Rect& newRect) override;
  bool OnMouseMove(unsigned flags, int x, int y) override;
  bool OnLButtonDown(unsigned flags, int x, int y) override;
  bool OnLButtonUp(unsigned flags, int x, int y) override;
  void Draw(QPainter& painter, const Rect& update) override;
  void ReleaseImages() override;

  SkinImage knobImage;
  int knobWidth = 0, knobHeight = 0;
  int dragPosition = 0;
  int leftMargin, rightMargin;
  int value = 0;
  int usableWidth = 0;
  std::vector<int> steps;
  bool dragging = false;
  Rect knobRect;

 private:
  void Layout();
  void PlaceKnob();
};

// A vertical bar filled from the bottom up to `value` of `maxValue`.
class CValueBarControl : public CButtonBase {
 public:
  CValueBarControl(CWindowBase* host, unsigned id, const Rect& rect, int maxValue, int topMargin,
                   int bottomMargin, QString caption, bool visible, bool shown, bool disabled);
  bool SetFillImage(const QString& file);
  bool SetBackgroundImage(const QString& file);
  void SetValue(int newValue) { value = newValue; }
  int GetValue() const { return value; }
  // The value of a point at height y (clamped to the control).
  int ValueAt(int y) const;
  void Draw(QPainter& painter, const Rect& update) override;
  void ReleaseImages() override;

  SkinImage fillImage, backgroundImage;
  int imageWidth = 0, imageHeight = 0;
  int value = 0;
  int maxValue;
  int topMargin, bottomMargin;
  bool dragging = false;
};

class CVerticalSliderControl : public CValueBarControl {
 public:
  using CValueBarControl::CValueBarControl;
  bool OnMouseMove(unsigned flags, int x, int y) override;
  bool OnLButtonDown(unsigned flags, int x, int y) override;
  bool OnLButtonUp(unsigned flags, int x, int y) override;
};

// Shows a DPI value as a bar; pressing and clicking are all it reports.
class CDPIValueShowControl : public CValueBarControl {
 public:
  using CValueBarControl::CValueBarControl;
};

// The selected tab is the one whose identifier is the first tab's plus the current index.
inline constexpr unsigned kFirstTabId = 2049;
inline constexpr unsigned kLastTabId = 2053;
int CurrentTabIndex();
void SetCurrentTabIndex(int index);
// Lets the app keep the index in its own variable; null returns to the toolkit's own.
void BindCurrentTabIndex(int* storage);

class CTabControl : public CButtonBase {
 public:
  CTabControl(CWindowBase* host, unsigned id, const Rect& rect, QString caption, unsigned textFormat, bool visible,
              bool shown, bool disabled);
  bool SetNormalImage(const QString& file);
  bool SetHoverImage(const QString& file);
  bool SetSelectedImage(const QString& file);
  bool SetSelectedHoverImage(const QString& file);
  void SetTextInset(int left, int right);
  bool OnRButtonUp(unsigned flags, int x, int y) override;
  void Draw(QPainter& painter, const Rect& update) override;
  void ReleaseImages() override;

  SkinImage normalImage, hoverImage, selectedImage, selectedHoverImage;
  int imageWidth = 0, imageHeight = 0;
  unsigned textFormat;
  int leftInset, rightInset = 0;

 protected:
  bool ApplyClick(int x, int y) override;
};

class CVScrollBar : public CButtonBase {
 public:
  enum Part : int { kThumb = 0, kUpArrow = 6, kDownArrow = 7, kAboveThumb = 8, kBelowThumb = 9, kNoPart = -1 };

  CVScrollBar(CWindowBase* host, unsigned id, const Rect& rect, QString caption, bool visible, bool shown,
              bool disabled);
  // The arrow strips from the executable's images.
  bool LoadArrows();
  // Arrow strips of three states side by side, for hosts that carry their own.
  bool SetArrowImages(QImage up, QImage down);
  void SetScrollInfo(int position, int pageSize, int rangeSize);
  int GetScrollPos() const { return scrollPos; }
  int PartAt(int x, int y) const;
  int TrackTop() const { return trackTop_; }
  int TrackBottom() const { return trackBottom_; }  // last row of the track
  int ThumbTop() const { return dragging_ ? dragTop_ : thumbTop_; }
  int ThumbBottom() const { return dragging_ ? dragBottom_ : thumbBottom_; }  // last row of the thumb
  void SetControlRect(const Rect& newRect) override;
  bool OnMouseMove(unsigned flags, int x, int y) override;
  bool OnLButtonDown(unsigned flags, int x, int y) override;
  bool OnLButtonUp(unsigned flags, int x, int y) override;
  void Draw(QPainter& painter, const Rect& update) override;
  void ReleaseImages() override;

  SkinImage upArrow, downArrow;
  int frameWidth = 0, frameHeight = 0;
  int upState = 0, downState = 0, thumbState = 0;
  int scrollPos = 0, page = 0, range = 0;

 private:
  void Layout();
  void PlaceThumb();
  bool TrackParts(int x, int y);
  int trackTop_ = 0, trackBottom_ = 0;
  int thumbTop_ = 0, thumbBottom_ = 0;
  int dragTop_ = 0, dragBottom_ = 0, dragOffset_ = 0;
  bool dragging_ = false;
};

}  // namespace pelrin

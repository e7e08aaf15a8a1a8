// Display controls, sliders, value bars, the tab and the scroll bar.
#include "ui/value_controls.h"

#include <algorithm>
#include <cmath>

#include "ui/styles.h"
#include "ui/ui_scale.h"
#include "ui/window_base.h"

namespace pelrin {
namespace {

int TruncF(float v) { return static_cast<int>(v); }

// Rows of a fill image shown when its drawn part starts at y0 and ends at the control's bottom.
FillPart FillFrom(const Rect& rect, int y0, int imageWidth, int imageHeight, float s) {
  int sy = TruncF(static_cast<float>(imageHeight) - static_cast<float>(rect.bottom - y0) / s);
  sy = std::clamp(sy, 0, imageHeight);
  const int rows = imageHeight - sy;
  return {{rect.left, y0, rect.left + TruncF(static_cast<float>(imageWidth) * s),
           y0 + TruncF(static_cast<float>(rows) * s)},
          QRect(0, sy, imageWidth, rows)};
}

}  // namespace

// ---- CStaticText ----

CStaticText::CStaticText(CWindowBase* host, unsigned controlId, const Rect& controlRect, ColorRef colour,
                         unsigned format, QString caption, bool isVisible, bool isShown)
    : CButtonBase(host, controlId, controlRect, std::move(caption), isVisible, isShown, true, true),
      textFormat(format),
      textColor(colour) {}

void CStaticText::Draw(QPainter& painter, const Rect&) {
  painter.setFont(font);
  painter.setPen(ToQColor(textColor));
  DrawTextFlags(painter, rect, displayText, textFormat | kDtLabelText);
}

// ---- CStaticImage ----

CStaticImage::CStaticImage(CWindowBase* host, unsigned controlId, const Rect& controlRect, QString caption,
                           bool isVisible, bool isShown)
    : CButtonBase(host, controlId, controlRect, std::move(caption), isVisible, isShown, true, true) {}

bool CStaticImage::SetImage(const QString& file) { return LoadSkinImage(image, file, imageWidth, imageHeight); }

void CStaticImage::Draw(QPainter& painter, const Rect&) {
  DrawImage(painter, image, rect, QRect(frameIndex * imageWidth, 0, imageWidth, imageHeight));
}

void CStaticImage::ReleaseImages() { image.Reset(); }

// ---- CBattery ----

FillPart BatteryFill(const Rect& rect, int imageWidth, int imageHeight, int level, int fillTop, int fillHeight,
                     float s) {
  // A level byte from the mouse can be anything; more than full must not draw above the battery.
  const int units = std::max(1, std::clamp(level, 0, 100) * fillHeight / 100);
  int y0 = Scaled(fillTop + fillHeight - units, s) + rect.top;
  if (s > 1.0F && (rect.bottom - y0) % 2 != 0) --y0;
  return FillFrom(rect, y0, imageWidth, imageHeight, s);
}

CBattery::CBattery(CWindowBase* host, const Rect& controlRect, QString caption, bool isVisible, bool isShown)
    : CButtonBase(host, kId, controlRect, std::move(caption), isVisible, isShown, true, true),
      fillTop(kBatteryStyle.fillTop),
      fillHeight(kBatteryStyle.fillHeight),
      chargingLevel(kBatteryStyle.chargingLevel) {}

bool CBattery::SetImages(const QString& full, const QString& empty, const QString& charging,
                         const QString& overlay) {
  bool all = LoadSkinImage(fullImage, full, imageWidth, imageHeight);
  all = LoadSkinImage(emptyImage, empty, imageWidth, imageHeight) && all;
  all = LoadSkinImage(chargingImage, charging, imageWidth, imageHeight) && all;
  return LoadSkinImage(overlayImage, overlay, imageWidth, imageHeight) && all;
}

void CBattery::Draw(QPainter& painter, const Rect&) {
  const float s = UiScale();
  const QRect whole(0, 0, imageWidth, imageHeight);
  switch (batteryMode) {
    case kOnBattery: {
      DrawImage(painter, emptyImage, rect, whole);
      const FillPart fill = BatteryFill(rect, imageWidth, imageHeight, batteryLevel, fillTop, fillHeight, s);
      DrawImage(painter, fullImage, fill.dest, fill.source);
      break;
    }
    case kCharging: {
      const FillPart fill = BatteryFill(rect, imageWidth, imageHeight, chargingLevel, fillTop, fillHeight, s);
      DrawImage(painter, chargingImage, fill.dest, fill.source);
      DrawImage(painter, overlayImage, rect, whole);
      break;
    }
    case kFull:
      DrawImage(painter, fullImage, rect, whole);
      DrawImage(painter, overlayImage, rect, whole);
      break;
    default:
      break;
  }
}

void CBattery::ReleaseImages() {
  fullImage.Reset();
  emptyImage.Reset();
  chargingImage.Reset();
  overlayImage.Reset();
}

// ---- CSliderControl ----

CSliderControl::CSliderControl(CWindowBase* host, unsigned controlId, const Rect& controlRect, int stepCount,
                               int marginLeft, int marginRight, QString caption, bool isVisible, bool isShown,
                               bool isDisabled)
    : CButtonBase(host, controlId, controlRect, std::move(caption), isVisible, isShown, isDisabled, true),
      leftMargin(marginLeft),
      rightMargin(marginRight),
      steps(static_cast<std::size_t>(std::max(1, stepCount))) {
  Layout();
}

void CSliderControl::Layout() {
  usableWidth = rect.Width() - leftMargin - rightMargin;
  const int n = static_cast<int>(steps.size());
  for (int i = 0; i < n; ++i) {
    int p = 0;
    if (i == 0) {
      p = rect.left + leftMargin;
    } else if (i == n - 1) {
      p = rect.right - rightMargin;
    } else {
      p = i * usableWidth / (n - 1) + leftMargin + rect.left;
    }
    steps[static_cast<std::size_t>(i)] = p;
  }
  if (n == 1) steps[0] = rect.right - rightMargin;
  PlaceKnob();
}

void CSliderControl::PlaceKnob() {
  const int p = steps[static_cast<std::size_t>(value)];
  knobRect = {p - leftMargin, rect.top, p + rightMargin, rect.bottom};
}

bool CSliderControl::SetKnobImage(const QString& file) { return LoadSkinImage(knobImage, file, knobWidth, knobHeight); }

void CSliderControl::SetValue(int step) {
  value = std::clamp(step, 0, static_cast<int>(steps.size()) - 1);
  PlaceKnob();
}

void CSliderControl::SetControlRect(const Rect& newRect) {
  CButtonBase::SetControlRect(newRect);
  Layout();
}

int CSliderControl::NearestStep(int x) const {
  std::size_t i = 0;
  while (i + 1 < steps.size() && x >= (steps[i] + steps[i + 1]) / 2) ++i;
  return static_cast<int>(i);
}

bool CSliderControl::OnMouseMove(unsigned, int x, int y) {
  if (disabled) return false;
  const int old = state;
  if (state != kStatePressed) state = rect.Contains(x, y) ? kStateHover : kStateNormal;
  if (state == kStateNormal) dragging = false;
  if (dragging) {
    const int clamped = std::clamp(x, rect.left, rect.right);
    dragPosition = clamped - leftMargin;
    value = NearestStep(clamped);
    InvalidateSelf();
    Notify(id, static_cast<WPARAM>(value), kNotifyValueChanged);
  }
  return state != old;
}

bool CSliderControl::OnLButtonDown(unsigned, int x, int y) {
  if (disabled || !rect.Contains(x, y)) return false;
  const int old = state;
  state = kStatePressed;
  if (knobRect.Contains(x, y)) {
    dragging = true;
    dragPosition = x - leftMargin;
  }
  Notify(id, 0, kNotifyPressed);
  return state != old;
}

bool CSliderControl::OnLButtonUp(unsigned, int x, int y) {
  if (disabled) return false;
  const int old = state;
  const bool wasDragging = dragging;
  dragging = false;
  if (rect.Contains(x, y)) {
    state = kStateHover;
    value = NearestStep(x);
    PlaceKnob();
    Notify(id, 0, kNotifyClicked);
  } else {
    state = kStateNormal;
    // The dragged value stays; the knob's hit area follows it.
    PlaceKnob();
  }
  return state != old || wasDragging;
}

void CSliderControl::Draw(QPainter& painter, const Rect&) {
  const float s = UiScale();
  const int width = Scaled(knobWidth, s);
  const int height = Scaled(knobHeight, s);
  int x = steps[static_cast<std::size_t>(value)] - leftMargin;
  if (dragging) x = std::clamp(dragPosition, rect.left, std::max(rect.left, rect.right - width));
  DrawImage(painter, knobImage, {x, rect.top, x + width, rect.top + height}, QRect(0, 0, knobWidth, knobHeight));
}

void CSliderControl::ReleaseImages() { knobImage.Reset(); }

// ---- value bars ----

CValueBarControl::CValueBarControl(CWindowBase* host, unsigned controlId, const Rect& controlRect, int maximum,
                                   int marginTop, int marginBottom, QString caption, bool isVisible, bool isShown,
                                   bool isDisabled)
    : CButtonBase(host, controlId, controlRect, std::move(caption), isVisible, isShown, isDisabled, true),
      maxValue(maximum),
      topMargin(marginTop),
      bottomMargin(marginBottom) {}

bool CValueBarControl::SetFillImage(const QString& file) {
  return LoadSkinImage(fillImage, file, imageWidth, imageHeight);
}
bool CValueBarControl::SetBackgroundImage(const QString& file) {
  return LoadSkinImage(backgroundImage, file, imageWidth, imageHeight);
}

int CValueBarControl::ValueAt(int y) const {
  const int height = rect.bottom - rect.top;
  if (height <= 0) return 0;
  const int clamped = std::clamp(y, rect.top, rect.bottom);
  const int above = clamped != rect.bottom ? 1 : 0;
  return (rect.bottom - above - clamped) * maxValue / height;
}

void CValueBarControl::Draw(QPainter& painter, const Rect&) {
  const float s = UiScale();
  const QRect whole(0, 0, imageWidth, imageHeight);
  DrawImage(painter, backgroundImage,
            {rect.left, rect.top, rect.left + Scaled(imageWidth, s), rect.top + Scaled(imageHeight, s)}, whole);
  // A bar without a range (no DPI table yet) shows no fill rather than dividing by zero.
  if (maxValue <= 0) return;
  // A value beyond the range (a DPI table that shrank) fills the bar, never more.
  const int filled = std::clamp((rect.bottom - rect.top) * (value + 1) / maxValue, 0, rect.bottom - rect.top);
  int y0 = rect.bottom - filled;
  if (s > 1.0F && filled % 2 != 0) --y0;
  const FillPart fill = FillFrom(rect, y0, imageWidth, imageHeight, s);
  DrawImage(painter, fillImage, fill.dest, fill.source);
}

void CValueBarControl::ReleaseImages() {
  fillImage.Reset();
  backgroundImage.Reset();
}

bool CVerticalSliderControl::OnMouseMove(unsigned flags, int x, int y) {
  if (disabled) return false;
  if (!dragging) return CButtonBase::OnMouseMove(flags, x, y);
  value = ValueAt(y);
  InvalidateSelf();
  Notify(id, static_cast<WPARAM>(value), kNotifyValueChanged);
  return false;
}

bool CVerticalSliderControl::OnLButtonDown(unsigned, int x, int y) {
  if (disabled || !rect.Contains(x, y)) return false;
  state = kStatePressed;
  dragging = true;
  value = ValueAt(y);
  Notify(id, 0, kNotifyPressed);
  return true;
}

bool CVerticalSliderControl::OnLButtonUp(unsigned flags, int x, int y) {
  dragging = false;
  return CButtonBase::OnLButtonUp(flags, x, y);
}

// ---- CTabControl ----

namespace {
int g_tabIndex = 0;
int* g_tabIndexStorage = &g_tabIndex;
}  // namespace

int CurrentTabIndex() { return *g_tabIndexStorage; }
void SetCurrentTabIndex(int index) { *g_tabIndexStorage = index; }
void BindCurrentTabIndex(int* storage) { g_tabIndexStorage = storage != nullptr ? storage : &g_tabIndex; }

CTabControl::CTabControl(CWindowBase* host, unsigned controlId, const Rect& controlRect, QString caption,
                         unsigned format, bool isVisible, bool isShown, bool isDisabled)
    : CButtonBase(host, controlId, controlRect, std::move(caption), isVisible, isShown, isDisabled, true),
      textFormat(format),
      leftInset(kTabStyle.leftInset) {}

bool CTabControl::SetNormalImage(const QString& file) {
  return LoadSkinImage(normalImage, file, imageWidth, imageHeight);
}
bool CTabControl::SetHoverImage(const QString& file) { return LoadSkinImage(hoverImage, file, imageWidth, imageHeight); }
bool CTabControl::SetSelectedImage(const QString& file) {
  return LoadSkinImage(selectedImage, file, imageWidth, imageHeight);
}
bool CTabControl::SetSelectedHoverImage(const QString& file) {
  return LoadSkinImage(selectedHoverImage, file, imageWidth, imageHeight);
}
void CTabControl::SetTextInset(int leftPixels, int rightPixels) {
  leftInset = leftPixels;
  rightInset = rightPixels;
}

bool CTabControl::ApplyClick(int, int) {
  if (id < kFirstTabId || id > kLastTabId) return false;
  const int before = CurrentTabIndex();
  SetCurrentTabIndex(static_cast<int>(id - kFirstTabId));
  if (hostWnd != nullptr && before != CurrentTabIndex()) hostWnd->Invalidate();
  return before != CurrentTabIndex();
}

bool CTabControl::OnRButtonUp(unsigned, int x, int y) {
  if (!disabled && rect.Contains(x, y)) Notify(id, id, kNotifyRightClicked);
  return false;
}

void CTabControl::Draw(QPainter& painter, const Rect&) {
  int look = state;
  if (id == kFirstTabId + static_cast<unsigned>(CurrentTabIndex())) look = state == kStateHover ? 3 : 2;
  const SkinImage* images[] = {&normalImage, &hoverImage, &selectedImage, &selectedHoverImage};
  DrawImage(painter, *images[look], rect, QRect(0, 0, imageWidth, imageHeight));
  DrawCaption(painter, text, kTabStyle.text, leftInset, rightInset, textFormat);
}

void CTabControl::ReleaseImages() {
  normalImage.Reset();
  hoverImage.Reset();
  selectedImage.Reset();
  selectedHoverImage.Reset();
}

// ---- CVScrollBar ----

CVScrollBar::CVScrollBar(CWindowBase* host, unsigned controlId, const Rect& controlRect, QString caption,
                         bool isVisible, bool isShown, bool isDisabled)
    : CButtonBase(host, controlId, controlRect, std::move(caption), isVisible, isShown, isDisabled, true) {
  Layout();
}

bool CVScrollBar::LoadArrows() {
  return SetArrowImages(LoadEmbeddedImage(kScrollBarStyle.upArrowResource),
                        LoadEmbeddedImage(kScrollBarStyle.downArrowResource));
}

bool CVScrollBar::SetArrowImages(QImage up, QImage down) {
  bool both = SetStripImage(upArrow, std::move(up), frameWidth, frameHeight);
  both = SetStripImage(downArrow, std::move(down), frameWidth, frameHeight) && both;
  Layout();
  return both;
}

void CVScrollBar::SetControlRect(const Rect& newRect) {
  CButtonBase::SetControlRect(newRect);
  Layout();
}

void CVScrollBar::Layout() {
  // The arrows take their drawn height at every scale, so a click on any part of an arrow hits it.
  const int arrow = Scaled(frameHeight);
  trackTop_ = rect.top + arrow;
  trackBottom_ = std::max(trackTop_, rect.bottom - arrow - 1);
  PlaceThumb();
}

void CVScrollBar::PlaceThumb() {
  if (range <= 0) {
    thumbTop_ = trackTop_;
    thumbBottom_ = trackBottom_;
    return;
  }
  const int length = trackBottom_ - trackTop_ + 1;
  const double ratio = static_cast<double>(length) / range;
  thumbTop_ = std::clamp(trackTop_ + static_cast<int>(scrollPos * ratio + 0.5), trackTop_, trackBottom_);
  const int size = std::min(length, static_cast<int>(page * ratio + 0.5));
  thumbBottom_ = std::clamp(thumbTop_ + size - 1, thumbTop_, trackBottom_);
}

void CVScrollBar::SetScrollInfo(int position, int pageSize, int rangeSize) {
  scrollPos = position;
  page = pageSize;
  range = rangeSize;
  PlaceThumb();
  InvalidateSelf();
}

int CVScrollBar::PartAt(int x, int y) const {
  if (!rect.Contains(x, y)) return kNoPart;
  if (y < trackTop_) return kUpArrow;
  if (y > trackBottom_) return kDownArrow;
  if (y < ThumbTop()) return kAboveThumb;
  if (y > ThumbBottom()) return kBelowThumb;
  return kThumb;
}

bool CVScrollBar::TrackParts(int x, int y) {
  const int part = PartAt(x, y);
  const int up = upState == kStatePressed ? upState : (part == kUpArrow ? kStateHover : kStateNormal);
  const int down = downState == kStatePressed ? downState : (part == kDownArrow ? kStateHover : kStateNormal);
  const int thumb = thumbState == kStatePressed ? thumbState : (part == kThumb ? kStateHover : kStateNormal);
  const bool changed = up != upState || down != downState || thumb != thumbState;
  upState = up;
  downState = down;
  thumbState = thumb;
  return changed;
}

bool CVScrollBar::OnMouseMove(unsigned flags, int x, int y) {
  if (disabled) return false;
  if (!dragging_) {
    const bool barChanged = CButtonBase::OnMouseMove(flags, x, y);
    return TrackParts(x, y) || barChanged;
  }
  const int height = dragBottom_ - dragTop_;
  const int top = std::clamp(y - dragOffset_, trackTop_, std::max(trackTop_, trackBottom_ - height));
  const bool moved = top != dragTop_;
  dragTop_ = top;
  dragBottom_ = top + height;
  const int length = trackBottom_ - trackTop_ + 1;
  const int position = static_cast<int>(static_cast<long long>(dragTop_ - trackTop_) * range / length);
  if (position != scrollPos) {
    scrollPos = position;
    Notify(id, 0, kNotifyValueChanged);
  }
  return moved;
}

bool CVScrollBar::OnLButtonDown(unsigned, int x, int y) {
  if (disabled || !rect.Contains(x, y)) return false;
  state = kStatePressed;
  const int part = PartAt(x, y);
  if (part == kUpArrow) upState = kStatePressed;
  if (part == kDownArrow) downState = kStatePressed;
  if (part == kThumb) {
    thumbState = kStatePressed;
    dragging_ = true;
    dragOffset_ = y - thumbTop_;
    dragTop_ = thumbTop_;
    dragBottom_ = thumbBottom_;
  }
  Notify(id, static_cast<WPARAM>(part), kNotifyPressed);
  return true;
}

bool CVScrollBar::OnLButtonUp(unsigned, int x, int y) {
  if (disabled) return false;
  const bool inside = rect.Contains(x, y);
  const bool wasDragging = dragging_;
  dragging_ = false;
  state = inside ? kStateHover : kStateNormal;
  upState = downState = thumbState = kStateNormal;
  if (wasDragging || inside) Notify(id, 0, kNotifyClicked);
  PlaceThumb();
  TrackParts(x, y);
  InvalidateSelf();
  return true;
}

void CVScrollBar::Draw(QPainter& painter, const Rect&) {
  const float s = UiScale();
  FillRect(painter, rect, kScrollBarStyle.track);
  const int arrowWidth = Scaled(frameWidth, s);
  const int arrowHeight = Scaled(frameHeight, s);
  DrawImage(painter, upArrow, {rect.left, rect.top, rect.left + arrowWidth, rect.top + arrowHeight},
            QRect(upState * frameWidth, 0, frameWidth, frameHeight));
  DrawImage(painter, downArrow, {rect.left, rect.bottom - arrowHeight, rect.left + arrowWidth, rect.bottom},
            QRect(downState * frameWidth, 0, frameWidth, frameHeight));
  const Rect thumb{rect.left, ThumbTop(), rect.right, ThumbBottom() + 1};
  const bool hovered = thumbState != kStateNormal;
  FillRect(painter, thumb, hovered ? kScrollBarStyle.thumbHoverEdge : kScrollBarStyle.thumbEdge);
  const int inset = Scaled(1.0, s);
  FillRect(painter, thumb.Inset(inset, inset, inset, 0),
           hovered ? kScrollBarStyle.thumbHoverFace : kScrollBarStyle.thumbFace);
}

void CVScrollBar::ReleaseImages() {
  upArrow.Reset();
  downArrow.Reset();
}

}  // namespace pelrin

// The button controls and their shared pointer state machine.
#include "ui/buttons.h"

#include "ui/styles.h"
#include "ui/ui_scale.h"
#include "ui/window_base.h"

namespace pelrin {
namespace {

struct RadioEntry {
  unsigned id;
  std::uint32_t bit;
  std::uint32_t group;
};

constexpr RadioEntry kRadioGroups[] = {
    {2006, 0x1, 0x7F},          {2080, 0x2, 0x7F},          {2081, 0x4, 0x7F},         {2082, 0x8, 0x7F},
    {2083, 0x10, 0x7F},         {2084, 0x20, 0x7F},         {2085, 0x40, 0x7F},        {2009, 0x80, 0x180},
    {2010, 0x100, 0x180},       {3501, 0x200, 0x600},       {3502, 0x400, 0x600},      {3240, 0x800, 0x1800},
    {3250, 0x1000, 0x1800},     {2031, 0x2000, 0xE000},     {2032, 0x4000, 0xE000},    {2033, 0x8000, 0xE000},
    {3030, 0x10000, 0xF0000},   {3031, 0x20000, 0xF0000},   {3032, 0x40000, 0xF0000},  {3033, 0x80000, 0xF0000},
    {3510, 0x100000, 0x300000}, {3511, 0x200000, 0x300000},
};

constexpr unsigned kFirstDpiStageId = 3290;
constexpr unsigned kLastDpiStageId = 3297;
constexpr unsigned kHoverReportingButton = 3502;

ColorRef StateColour(int state) {
  if (state == kStatePressed) return kButtonStyle.pressedText;
  return state == kStateHover ? kButtonStyle.hoverText : kButtonStyle.normalText;
}

const SkinImage& LookImage(int look, const SkinImage& normal, const SkinImage& hover, const SkinImage& down) {
  if (look == kStatePressed) return down;
  return look == kStateHover ? hover : normal;
}

}  // namespace

std::uint32_t& RadioSelectionMask() {
  static std::uint32_t mask = kInitialRadioSelectionMask;
  return mask;
}

bool RadioGroupOf(unsigned id, std::uint32_t& bit, std::uint32_t& group) {
  for (const RadioEntry& entry : kRadioGroups) {
    if (entry.id == id) {
      bit = entry.bit;
      group = entry.group;
      return true;
    }
  }
  return false;
}

std::uint32_t& DpiStageMask() {
  static std::uint32_t mask = kInitialDpiStageMask;
  return mask;
}

// ---- shared state machine ----

bool CButtonBase::OnMouseMove(unsigned, int x, int y) {
  if (disabled || state == kStatePressed) return false;
  const bool inside = rect.Contains(x, y);
  const int old = state;
  state = inside ? kStateHover : kStateNormal;
  OnMoved(inside);
  return state != old;
}

bool CButtonBase::OnLButtonDown(unsigned, int x, int y) {
  if (disabled || !rect.Contains(x, y)) return false;
  const int old = state;
  state = kStatePressed;
  SendPressed();
  return state != old;
}

bool CButtonBase::OnLButtonUp(unsigned, int x, int y) {
  if (disabled) return false;
  const int old = state;
  bool lookChanged = false;
  if (rect.Contains(x, y)) {
    state = kStateHover;
    lookChanged = ApplyClick(x, y);
    SendClicked();
  } else {
    state = kStateNormal;
  }
  return lookChanged || state != old;
}

void CButtonBase::OnMoved(bool) {}
bool CButtonBase::ApplyClick(int, int) { return false; }
void CButtonBase::SendPressed() { Notify(id, 0, kNotifyPressed); }
void CButtonBase::SendClicked() { Notify(id, 0, kNotifyClicked); }

void CButtonBase::DrawCaption(QPainter& painter, const QString& caption, ColorRef colour, int leftInset,
                              int rightInset, unsigned format) const {
  painter.setFont(font);
  painter.setPen(ToQColor(colour));
  DrawTextFlags(painter, rect.Inset(leftInset, 0, rightInset, 0), caption, format | kDtButtonText);
}

// ---- CImageButton ----

CImageButton::CImageButton(CWindowBase* host, unsigned controlId, const Rect& controlRect, QString caption,
                           unsigned format, bool isVisible, bool isShown, bool isDisabled)
    : CButtonBase(host, controlId, controlRect, std::move(caption), isVisible, isShown, isDisabled, true),
      textFormat(format) {}

bool CImageButton::SetNormalImage(const QString& file) {
  return LoadSkinImage(normalImage, file, imageWidth, imageHeight);
}
bool CImageButton::SetHoverImage(const QString& file) {
  return LoadSkinImage(hoverImage, file, imageWidth, imageHeight);
}
void CImageButton::SetTextInset(int leftPixels) {
  leftInset = leftPixels;
  rightInset = 0;
}

void CImageButton::OnMoved(bool inside) {
  if (id == kHoverReportingButton && inside) Notify(id, 0, kNotifyHoverMove);
}

void CImageButton::SendClicked() { Notify(id, id, kNotifyClicked); }

void CImageButton::Draw(QPainter& painter, const Rect&) {
  if (normalImage.IsNull()) return;
  const QRect source(0, 0, imageWidth, imageHeight);
  DrawImage(painter, state == kStateNormal ? normalImage : hoverImage, rect, source);
  DrawCaption(painter, text, StateColour(state), leftInset, rightInset, textFormat);
}

void CImageButton::ReleaseImages() {
  normalImage.Reset();
  hoverImage.Reset();
}

// ---- CCheckButton ----

CCheckButton::CCheckButton(CWindowBase* host, unsigned controlId, const Rect& controlRect, QString caption,
                           unsigned format, bool isVisible, bool isShown, bool isDisabled)
    : CButtonBase(host, controlId, controlRect, std::move(caption), isVisible, isShown, isDisabled, true),
      textFormat(format),
      checkedColour(kButtonStyle.pressedText) {}

bool CCheckButton::SetNormalImage(const QString& file) {
  return LoadSkinImage(normalImage, file, imageWidth, imageHeight);
}
bool CCheckButton::SetHoverImage(const QString& file) {
  return LoadSkinImage(hoverImage, file, imageWidth, imageHeight);
}
bool CCheckButton::SetDownImage(const QString& file) {
  return LoadSkinImage(checkedImage, file, imageWidth, imageHeight);
}
void CCheckButton::SetTextInset(int leftPixels, int rightPixels) {
  leftInset = leftPixels;
  rightInset = rightPixels;
}
void CCheckButton::SetLookTexts(QString unchecked, QString checkedLook) {
  uncheckedText = std::move(unchecked);
  checkedText = std::move(checkedLook);
}
void CCheckButton::SetCheckedTextWhite() { checkedColour = kButtonStyle.hoverText; }

bool CCheckButton::ApplyClick(int, int) {
  checked = !checked;
  return true;
}

void CCheckButton::Draw(QPainter& painter, const Rect&) {
  if (normalImage.IsNull()) return;
  const int look = checked ? kStatePressed : state;
  const QString& lookText = look == kStatePressed ? checkedText : uncheckedText;
  if (!lookText.isEmpty()) text = lookText;
  const ColorRef colour = look == kStatePressed ? checkedColour : StateColour(look);
  DrawImage(painter, LookImage(look, normalImage, hoverImage, checkedImage), rect,
            QRect(0, 0, imageWidth, imageHeight));
  DrawCaption(painter, text, colour, leftInset, rightInset, textFormat);
}

void CCheckButton::ReleaseImages() {
  normalImage.Reset();
  hoverImage.Reset();
  checkedImage.Reset();
}

// ---- CRadioButton ----

CRadioButton::CRadioButton(CWindowBase* host, unsigned controlId, const Rect& controlRect, QString caption,
                           bool isVisible, bool isShown, bool isDisabled)
    : CButtonBase(host, controlId, controlRect, std::move(caption), isVisible, isShown, isDisabled, true) {}

bool CRadioButton::SetNormalImage(const QString& file) {
  return LoadSkinImage(normalImage, file, imageWidth, imageHeight);
}
bool CRadioButton::SetHoverImage(const QString& file) {
  return LoadSkinImage(hoverImage, file, imageWidth, imageHeight);
}
bool CRadioButton::SetDownImage(const QString& file) {
  return LoadSkinImage(selectedImage, file, imageWidth, imageHeight);
}

bool CRadioButton::IsSelected() const {
  std::uint32_t bit = 0;
  std::uint32_t group = 0;
  return RadioGroupOf(id, bit, group) && (RadioSelectionMask() & bit) != 0;
}

bool CRadioButton::ApplyClick(int, int) {
  std::uint32_t bit = 0;
  std::uint32_t group = 0;
  if (!RadioGroupOf(id, bit, group)) return false;
  const std::uint32_t before = RadioSelectionMask();
  RadioSelectionMask() = (before & ~group) | bit;
  // The other buttons of the group draw from the mask too; the host repaints them with the window.
  if (hostWnd != nullptr && before != RadioSelectionMask()) hostWnd->Invalidate();
  return before != RadioSelectionMask();
}

void CRadioButton::Draw(QPainter& painter, const Rect&) {
  const int look = IsSelected() ? kStatePressed : state;
  DrawImage(painter, LookImage(look, normalImage, hoverImage, selectedImage), rect,
            QRect(0, 0, imageWidth, imageHeight));
}

void CRadioButton::ReleaseImages() {
  normalImage.Reset();
  hoverImage.Reset();
  selectedImage.Reset();
}

// ---- CDPIRadioButton ----

CDPIRadioButton::CDPIRadioButton(CWindowBase* host, unsigned controlId, const Rect& controlRect, QString caption,
                                 bool isVisible, bool isShown, bool isDisabled)
    : CButtonBase(host, controlId, controlRect, std::move(caption), isVisible, isShown, isDisabled, true),
      textColor(kButtonStyle.normalText) {}

bool CDPIRadioButton::SetNormalImage(const QString& file) {
  return LoadSkinImage(normalImage, file, imageWidth, imageHeight);
}
bool CDPIRadioButton::SetHoverImage(const QString& file) {
  return LoadSkinImage(hoverImage, file, imageWidth, imageHeight);
}
bool CDPIRadioButton::SetDownImage(const QString& file) {
  return LoadSkinImage(selectedImage, file, imageWidth, imageHeight);
}

int CDPIRadioButton::Stage() const {
  return id >= kFirstDpiStageId && id <= kLastDpiStageId ? static_cast<int>(id - kFirstDpiStageId) + 1 : 0;
}

bool CDPIRadioButton::IsSelected() const {
  const int stage = Stage();
  return stage > 0 && (DpiStageMask() & (1U << (stage - 1))) != 0;
}

bool CDPIRadioButton::ApplyClick(int, int) {
  const int stage = Stage();
  if (stage == 0) return false;
  const std::uint32_t before = DpiStageMask();
  DpiStageMask() = (before & ~0xFFU) | ((1U << stage) - 1U);
  if (hostWnd != nullptr && before != DpiStageMask()) hostWnd->Invalidate();
  return before != DpiStageMask();
}

void CDPIRadioButton::Draw(QPainter& painter, const Rect&) {
  const int look = IsSelected() ? kStatePressed : state;
  DrawImage(painter, LookImage(look, normalImage, hoverImage, selectedImage), rect,
            QRect(0, 0, imageWidth, imageHeight));
  painter.setFont(font);
  painter.setPen(ToQColor(textColor));
  const Rect band{rect.left, rect.top, rect.right, rect.top + Scaled(kButtonStyle.dpiTextBand)};
  DrawTextFlags(painter, band, QString::number(value * 50), kDtCenter | kDtSingleLine | kDtWordEllipsis);
}

void CDPIRadioButton::ReleaseImages() {
  normalImage.Reset();
  hoverImage.Reset();
  selectedImage.Reset();
}

// ---- CColorSelectButton ----

CColorSelectButton::CColorSelectButton(CWindowBase* host, unsigned controlId, const Rect& controlRect,
                                       const Rect& swatch, QString caption, bool isVisible, bool isShown,
                                       bool isDisabled)
    : CButtonBase(host, controlId, controlRect, std::move(caption), isVisible, isShown, isDisabled, true),
      swatchRect(swatch),
      color(kButtonStyle.defaultSwatch) {}

void CColorSelectButton::Draw(QPainter& painter, const Rect&) { FillRect(painter, swatchRect, color); }

// ---- CColorSelectCheckButton ----

CColorSelectCheckButton::CColorSelectCheckButton(CWindowBase* host, unsigned controlId, const Rect& controlRect,
                                                 QString caption, bool isVisible, bool isShown, bool isDisabled)
    : CButtonBase(host, controlId, controlRect, std::move(caption), isVisible, isShown, isDisabled, true),
      color(kButtonStyle.defaultSwatch) {}

bool CColorSelectCheckButton::SetNormalImage(const QString& file) {
  return LoadSkinImage(normalImage, file, imageWidth, imageHeight);
}
bool CColorSelectCheckButton::SetHoverImage(const QString& file) {
  return LoadSkinImage(selectedImage, file, imageWidth, imageHeight);
}

bool CColorSelectCheckButton::OnLButtonDblClk(unsigned, int x, int y) {
  if (disabled) return false;
  const int old = state;
  if (rect.Contains(x, y)) {
    state = kStateHover;
    Notify(id, 0, kNotifyDoubleClicked);
  } else {
    state = kStateNormal;
  }
  return state != old;
}

void CColorSelectCheckButton::Draw(QPainter& painter, const Rect&) {
  DrawImage(painter, selected ? selectedImage : normalImage, rect, QRect(0, 0, imageWidth, imageHeight));
  const int inset = Scaled(kButtonStyle.swatchInset);
  FillRect(painter, rect.Inset(inset, inset, inset, inset), color);
}

void CColorSelectCheckButton::ReleaseImages() {
  normalImage.Reset();
  selectedImage.Reset();
}

// ---- CComboButton ----

CComboButton::CComboButton(CWindowBase* host, unsigned controlId, const Rect& controlRect, unsigned result,
                           QString shownText, QString caption, unsigned format, bool isVisible, bool isShown,
                           bool isDisabled)
    : CButtonBase(host, controlId, controlRect, std::move(caption), isVisible, isShown, isDisabled, true),
      resultMessage(result),
      comboText(std::move(shownText)),
      textFormat(format) {}

bool CComboButton::SetNormalImage(const QString& file) {
  return LoadSkinImage(normalImage, file, imageWidth, imageHeight);
}
bool CComboButton::SetHoverImage(const QString& file) {
  return LoadSkinImage(hoverImage, file, imageWidth, imageHeight);
}
void CComboButton::SetComboText(const QString& newText) {
  comboText = newText;
  InvalidateSelf();
}
void CComboButton::SetTextInset(int leftPixels, int rightPixels) {
  leftInset = leftPixels;
  rightInset = rightPixels;
}

void CComboButton::OnMoved(bool inside) {
  if (inside) {
    left = false;
    if (!entered) {
      Notify(resultMessage, id, kNotifyEntered);
      if (++enterCounter >= kEnterMessages) entered = true;
    }
    return;
  }
  if (left || holdHover) return;
  entered = false;
  enterCounter = 0;
  left = true;
  Notify(resultMessage, id, kNotifyLeft);
}

void CComboButton::SendClicked() { Notify(resultMessage, id, kNotifyClicked); }

void CComboButton::Draw(QPainter& painter, const Rect&) {
  const bool lit = holdHover || state != kStateNormal;
  if (!normalImage.IsNull()) {
    DrawImage(painter, lit ? hoverImage : normalImage, rect, QRect(0, 0, imageWidth, imageHeight));
  }
  DrawCaption(painter, comboText, lit ? kButtonStyle.hoverText : kButtonStyle.normalText, leftInset, rightInset,
              textFormat);
}

void CComboButton::ReleaseImages() {
  normalImage.Reset();
  hoverImage.Reset();
}

// ---- CLinkButton ----

CLinkButton::CLinkButton(CWindowBase* host, const Rect& controlRect, QString caption, unsigned format,
                         bool isVisible, bool isShown, bool isDisabled)
    : CButtonBase(host, kId, controlRect, std::move(caption), isVisible, isShown, isDisabled, true),
      textFormat(format) {}

void CLinkButton::OnMoved(bool inside) {
  if (inside == entered) return;
  entered = inside;
  Notify(id, 0, inside ? kNotifyEntered : kNotifyLeft);
}

void CLinkButton::Draw(QPainter& painter, const Rect&) {
  DrawCaption(painter, text, StateColour(state), 0, 0, textFormat);
}

// ---- CPowerManageButton ----

CPowerManageButton::CPowerManageButton(CWindowBase* host, const Rect& controlRect, QString caption,
                                       bool isVisible, bool isShown, bool isDisabled)
    : CButtonBase(host, kId, controlRect, std::move(caption), isVisible, isShown, isDisabled, true),
      value(PowerDialStyle::kInitialValue) {
  BuildWedges();
}

bool CPowerManageButton::LoadImages() {
  bool all = true;
  for (int minutes = PowerDialStyle::kFirstMinutes; minutes <= PowerDialStyle::kLastMinutes; ++minutes) {
    const auto slot = static_cast<std::size_t>(minutes - PowerDialStyle::kFirstMinutes);
    all = LoadSkinImage(images[slot], PowerDialStyle::ImageName(minutes), imageWidth, imageHeight) && all;
  }
  return all;
}

void CPowerManageButton::SetControlRect(const Rect& newRect) {
  CButtonBase::SetControlRect(newRect);
  BuildWedges();
}

void CPowerManageButton::BuildWedges() {
  const float s = UiScale();
  auto point = [&](int dx, int dy) { return QPoint(rect.left + Scaled(dx, s), rect.top + Scaled(dy, s)); };
  const QPoint centre = point(PowerDialStyle::kCentreX, PowerDialStyle::kCentreY);
  for (std::size_t k = 0; k < wedges_.size(); ++k) {
    wedges_[k] = {point(PowerDialStyle::kArc[k][0], PowerDialStyle::kArc[k][1]),
                  point(PowerDialStyle::kArc[k + 1][0], PowerDialStyle::kArc[k + 1][1]), centre};
  }
}

int CPowerManageButton::WedgeAt(int x, int y) const {
  auto cross = [](QPoint o, QPoint a, int px, int py) {
    return static_cast<long long>(a.x() - o.x()) * (py - o.y()) - static_cast<long long>(a.y() - o.y()) * (px - o.x());
  };
  for (std::size_t k = 0; k < wedges_.size(); ++k) {
    const Triangle& t = wedges_[k];
    const long long d1 = cross(t.a, t.b, x, y);
    const long long d2 = cross(t.b, t.c, x, y);
    const long long d3 = cross(t.c, t.a, x, y);
    const bool hasNegative = d1 < 0 || d2 < 0 || d3 < 0;
    const bool hasPositive = d1 > 0 || d2 > 0 || d3 > 0;
    if (!(hasNegative && hasPositive)) return static_cast<int>(k) + 2;
  }
  return -1;
}

bool CPowerManageButton::OnLButtonUp(unsigned flags, int x, int y) {
  if (disabled) return false;
  if (!rect.Contains(x, y)) return CButtonBase::OnLButtonUp(flags, x, y);
  const int oldState = state;
  const int wedge = WedgeAt(x, y);
  if (wedge < 0) {
    // Outside the dial's arc: no choice, but the press is over.
    state = kStateHover;
    return false;
  }
  const int oldValue = value;
  value = wedge + 1;
  state = kStateHover;
  Notify(id, 0, kNotifyClicked);
  return state != oldState || value != oldValue;
}

void CPowerManageButton::Draw(QPainter& painter, const Rect&) {
  if (value < PowerDialStyle::kFirstMinutes || value > PowerDialStyle::kLastMinutes) return;
  const SkinImage& image = images[static_cast<std::size_t>(value - PowerDialStyle::kFirstMinutes)];
  DrawImage(painter, image, rect, QRect(0, 0, imageWidth, imageHeight));
}

void CPowerManageButton::ReleaseImages() {
  for (SkinImage& image : images) image.Reset();
}

}  // namespace pelrin

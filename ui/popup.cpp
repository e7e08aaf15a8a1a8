// Popup windows and list popups.
#include "ui/popup.h"

#include <QCloseEvent>
#include <QCursor>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTimerEvent>

#include "ui/styles.h"
#include "ui/ui_scale.h"

namespace pelrin {
namespace {

struct KindMessage {
  int kind;
  unsigned message;
};
constexpr KindMessage kFocusLossMessages[] = {
    {0, 1029},  {2, 1042},  {3, 1045},  {7, 1126},  {9, 1146},  {10, 1156},
    {11, 1159}, {12, 1162}, {13, 1165}, {14, 1168}, {15, 1170},
};

constexpr int kPopupHoverMilliseconds = 50;

}  // namespace

unsigned CWndPopup::FocusLossMessage(int kind) {
  for (const KindMessage& entry : kFocusLossMessages) {
    if (entry.kind == kind) return entry.message;
  }
  return 0;
}

CWndPopup::CWndPopup(int kind)
    : CWindowBase(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      popupKind(kind),
      font(MakeFont(UiFont().height, UiFont().face)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
}

CWndPopup::~CWndPopup() = default;

bool CWndPopup::Create(CWindowBase* owner, const Rect& screenRect, unsigned message, WPARAM value) {
  owner_ = owner;
  resultMessage = message;
  ownerValue = value;
  position = QPoint(screenRect.left, screenRect.top);
  // A child of its owner stays above it and goes with it; the flags keep it a separate window.
  setParent(owner, windowFlags());
  resize(std::max(1, screenRect.Width()), std::max(1, screenRect.Height()));
  InitPopup();
  RepaintPopup();
  move(position);
  show();
  activateWindow();
  return true;
}

void CWndPopup::RepaintPopup() {
  if (buffer_.size() != size()) buffer_ = QImage(size(), QImage::Format_RGB32);
  QPainter painter(&buffer_);
  const Rect client{0, 0, width(), height()};
  FillRect(painter, client, kPopupStyle.border);
  FillRect(painter, client.Inset(1, 1, 1, 1), kPopupStyle.border);
  DrawPopup(painter, client);
  painter.end();
  update();
}

QImage CWndPopup::RenderToImage() {
  RepaintPopup();
  return buffer_;
}

void CWndPopup::DrawPopup(QPainter&, const Rect&) {}
void CWndPopup::InitPopup() {}
bool CWndPopup::OnPopupMouseMove(int, int) { return false; }
bool CWndPopup::OnPopupLButtonDown(int, int) { return false; }
bool CWndPopup::OnPopupLButtonUp(int, int) { return false; }
bool CWndPopup::OnPopupRButtonUp(int, int) { return false; }

LRESULT CWndPopup::SendToOwner(unsigned message, WPARAM wparam, LPARAM lparam) {
  return owner_ != nullptr ? owner_->SendMessage(message, wparam, lparam) : 0;
}

void CWndPopup::paintEvent(QPaintEvent* event) {
  if (buffer_.size() != size()) RepaintPopup();
  QPainter painter(this);
  painter.drawImage(event->rect(), buffer_, event->rect());
}

void CWndPopup::mouseMoveEvent(QMouseEvent* event) {
  tracking_ = true;
  hoverTimer_.start(kPopupHoverMilliseconds, this);
  if (buttonDown_) return;
  const QPoint p = event->position().toPoint();
  if (OnPopupMouseMove(p.x(), p.y())) RepaintPopup();
}

void CWndPopup::timerEvent(QTimerEvent* event) {
  if (event->timerId() != hoverTimer_.timerId()) {
    CWindowBase::timerEvent(event);
    return;
  }
  hoverTimer_.stop();
  const QPoint p = mapFromGlobal(QCursor::pos());
  if (OnPopupMouseMove(p.x(), p.y())) RepaintPopup();
}

void CWndPopup::leaveEvent(QEvent*) {
  tracking_ = false;
  hoverTimer_.stop();
  if (buttonDown_) return;
  const QPoint p = mapFromGlobal(QCursor::pos());
  // The cursor may not have moved on screen yet; a point left of the window is outside every item.
  const QPoint outside = rect().contains(p) ? QPoint(-1, -1) : p;
  if (OnPopupMouseMove(outside.x(), outside.y())) RepaintPopup();
}

void CWndPopup::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  buttonDown_ = true;
  capture_ = true;
  const QPoint p = event->position().toPoint();
  if (OnPopupLButtonDown(p.x(), p.y())) RepaintPopup();
}

void CWndPopup::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::RightButton) {
    OnPopupRButtonUp(p.x(), p.y());
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  capture_ = false;
  buttonDown_ = false;
  if (OnPopupLButtonUp(p.x(), p.y())) RepaintPopup();
}

void CWndPopup::ReportFocusLoss() {
  const unsigned message = FocusLossMessage(popupKind);
  if (message != 0 && owner_ != nullptr) SendToOwner(message, ownerValue, popupKind);
}

bool CWndPopup::event(QEvent* event) {
  if (event->type() == QEvent::WindowDeactivate) ReportFocusLoss();
  return CWindowBase::event(event);
}

void CWndPopup::closeEvent(QCloseEvent* event) {
  SendToOwner(kPopupClosedMessage, 0, 0);
  event->accept();
}

// ---- CListPopup ----

CListPopup::CListPopup(int kind, int width, const QRect& source)
    : CWndPopup(kind), itemWidth(width), imageSource(source) {}

bool CListPopup::SetItemImages(const QString& normal, const QString& highlighted, const QString& subNormal,
                               const QString& subHighlighted) {
  bool all = LoadSkinImage(normalImage, normal, imageWidth, imageHeight);
  all = LoadSkinImage(highlightImage, highlighted, imageWidth, imageHeight) && all;
  all = LoadSkinImage(subNormalImage, subNormal, imageWidth, imageHeight) && all;
  return LoadSkinImage(subHighlightImage, subHighlighted, imageWidth, imageHeight) && all;
}

void CListPopup::AddItem(const QString& itemText, int value, bool separator, bool subMenu) {
  PopupItem item;
  item.text = itemText;
  item.value = value;
  item.separator = separator;
  item.subMenu = subMenu;
  items.push_back(std::move(item));
  LayoutItems();
}

void CListPopup::LayoutItems() {
  const float s = UiScale();
  int y = Scaled(1.0, s);
  const int left = Scaled(1.0, s);
  const int right = Scaled(itemWidth, s);
  for (PopupItem& item : items) {
    if (item.separator) {
      item.rect = {left, y + Scaled(2.0, s), right, y + Scaled(3.0, s)};
      y += Scaled(kPopupStyle.separatorHeight, s);
    } else {
      item.rect = {left, y, right, y + Scaled(kPopupStyle.itemHeight, s)};
      y += Scaled(kPopupStyle.itemHeight, s);
    }
  }
  resize(Scaled(itemWidth + 1, s), y + Scaled(1.0, s));
}

int CListPopup::ItemAt(int x, int y) const {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!items[i].separator && items[i].rect.Contains(x, y)) return static_cast<int>(i);
  }
  return -1;
}

void CListPopup::DrawPopup(QPainter& painter, const Rect&) {
  painter.setFont(font);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const PopupItem& item = items[i];
    if (item.separator) {
      FillRect(painter, item.rect, kPopupStyle.separator);
      continue;
    }
    const bool lit = static_cast<int>(i) == hoverIndex;
    const SkinImage& background =
        item.subMenu ? (lit ? subHighlightImage : subNormalImage) : (lit ? highlightImage : normalImage);
    DrawImage(painter, background, item.rect, imageSource);
    painter.setPen(ToQColor(lit ? kPopupStyle.highlightText : kPopupStyle.normalText));
    const int inset = kPopupStyle.textInset;
    DrawTextFlags(painter, item.rect.Inset(inset, 0, inset, 0), item.text,
                  kDtCenter | kDtVCenter | kDtSingleLine | kDtWordEllipsis);
  }
}

bool CListPopup::OnPopupMouseMove(int x, int y) {
  if (hoverIndex >= 0 && static_cast<std::size_t>(hoverIndex) < items.size() &&
      items[static_cast<std::size_t>(hoverIndex)].rect.Contains(x, y)) {
    return false;
  }
  const int before = hoverIndex;
  hoverIndex = ItemAt(x, y);
  return hoverIndex != before;
}

bool CListPopup::OnPopupLButtonDown(int x, int y) {
  if (!pressClearsHighlight_) return false;
  if (hoverIndex >= 0 && !items[static_cast<std::size_t>(hoverIndex)].rect.Contains(x, y)) hoverIndex = -1;
  return false;
}

bool CListPopup::OnPopupLButtonUp(int x, int y) {
  if (hoverIndex < 0 || static_cast<std::size_t>(hoverIndex) >= items.size()) return false;
  const PopupItem& item = items[static_cast<std::size_t>(hoverIndex)];
  if (!item.rect.Contains(x, y)) {
    hoverIndex = -1;
    return true;
  }
  result = PopupResult{};
  FillResult(item, result);
  SendToOwner(resultMessage, ownerValue, reinterpret_cast<LPARAM>(&result));
  return false;
}

void CListPopup::FillResult(const PopupItem& item, PopupResult& out) {
  out.text = item.text;
  out.code[0] = static_cast<std::uint8_t>(item.value & 0xFF);
  out.codeCount = 1;
}

}  // namespace pelrin

// The skinned dialog: control lists, mouse routing, off-screen painting, frames, popups and modal runs.
#include "ui/dlg_base.h"

#include <QCloseEvent>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScreen>
#include <QTimerEvent>
#include <QWindow>

#include "ui/popup.h"
#include "ui/styles.h"
#include "ui/ui_scale.h"

namespace pelrin {
namespace {

std::function<void(CDlgBase*)>& DialogOpenedHook() {
  static std::function<void(CDlgBase*)> hook;
  return hook;
}
std::function<void(CDlgBase*)>& DialogClosedHook() {
  static std::function<void(CDlgBase*)> hook;
  return hook;
}

// A pointer that rests this long over the window counts as hovering.
constexpr int kHoverMilliseconds = 1;

}  // namespace

unsigned MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  unsigned flags = 0;
  if (buttons & Qt::LeftButton) flags |= kMkLButton;
  if (buttons & Qt::RightButton) flags |= kMkRButton;
  if (buttons & Qt::MiddleButton) flags |= kMkMButton;
  if (modifiers & Qt::ShiftModifier) flags |= kMkShift;
  if (modifiers & Qt::ControlModifier) flags |= kMkControl;
  return flags;
}

CDlgBase::CDlgBase(QWidget* parent)
    : CWindowBase(parent, (parent != nullptr ? Qt::Dialog : Qt::Window) | Qt::FramelessWindowHint),
      windowWidth(kDialogStyle.defaultWidth),
      windowHeight(kDialogStyle.defaultHeight),
      fillColor(kDialogStyle.defaultFill),
      frameSize(kDialogStyle.defaultFrameSize, kDialogStyle.defaultFrameSize) {
  const QImage iconImage = LoadEmbeddedImage(kDialogStyle.iconResource);
  if (!iconImage.isNull()) icon = QIcon(QPixmap::fromImage(iconImage));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

CDlgBase::~CDlgBase() {
  if (inTable_ && DialogClosedHook()) DialogClosedHook()(this);
  // Popups are child windows: delete them now, while this dialog can still take their reports, and make
  // sure they send none while they go.
  std::vector<CWndPopup*> popups;
  for (QObject* child : children()) {
    if (auto* popup = dynamic_cast<CWndPopup*>(child)) popups.push_back(popup);
  }
  for (CWndPopup* popup : popups) {
    popup->DetachOwner();
    delete popup;
  }
  hover_ = nullptr;
  pressed_ = nullptr;
  for (ControlList& list : lists_) list.clear();
}

void CDlgBase::SetDesignSize(int width, int height) {
  designSize_ = QSize(width, height);
  windowWidth = Scaled(width);
  windowHeight = Scaled(height);
}

void CDlgBase::AddControlOwned(int list, std::unique_ptr<CControlBase> control) {
  if (list < 1 || list > kControlListCount || !control) return;
  lists_[static_cast<std::size_t>(list - 1)].push_back(std::move(control));
}

CControlBase* CDlgBase::GetControl(unsigned id) const {
  for (const ControlList& list : lists_) {
    for (const auto& control : list) {
      if (control && control->id == id) return control.get();
    }
  }
  return nullptr;
}

const CDlgBase::ControlList& CDlgBase::Controls(int list) const {
  static const ControlList kEmpty;
  return list >= 1 && list <= kControlListCount ? lists_[static_cast<std::size_t>(list - 1)] : kEmpty;
}

void CDlgBase::DrawControls(QPainter& painter, const Rect& update) {
  for (const ControlList& list : lists_) {
    for (const auto& control : list) {
      if (!control || !control->IsDisplayed()) continue;
      if (control->rect.Intersected(update).IsEmpty()) continue;
      control->Draw(painter, update);
    }
  }
}

void CDlgBase::ReleaseControlImages() {
  for (const ControlList& list : lists_) {
    for (const auto& control : list) {
      if (control) control->ReleaseImages();
    }
  }
}

bool CDlgBase::SetFrameBitmap(int resourceId) {
  QSize size;
  if (!LoadFrameBitmapResource(frameBitmap, resourceId, size)) return false;
  frameSize = size;
  AverageColour(frameBitmap.Image(), fillColor);
  return true;
}

bool CDlgBase::SetFrameBitmapFile(const QString& relativeName) {
  QSize size;
  if (!LoadFrameBitmapFile(frameBitmap, relativeName, size)) return false;
  frameSize = size;
  AverageColour(frameBitmap.Image(), fillColor);
  return true;
}

void CDlgBase::DrawFrame(QPainter& painter) {
  const QSize design = designSize_.isValid() ? designSize_ : frameSize;
  DrawImage(painter, frameBitmap, {0, 0, Scaled(design.width()), Scaled(design.height())},
            QRect(QPoint(0, 0), design));
}

void CDlgBase::DrawWindow(QPainter& painter, const Rect& client) {
  FillRect(painter, client, fillColor);
  DrawFrame(painter);
  DrawDecorations(painter);
  DrawControls(painter, client);
}

void CDlgBase::DrawDecorations(QPainter&) {}

// ---- popups ----

void CDlgBase::OpenPopup(int slot, CWndPopup* popup, const Rect& clientRect, unsigned resultMessage,
                         WPARAM ownerValue) {
  if (slot < 0 || slot >= kPopupSlotCount || popup == nullptr) return;
  ClosePopup(slot);
  const QPoint topLeft = mapToGlobal(QPoint(clientRect.left, clientRect.top));
  popups_[static_cast<std::size_t>(slot)] = popup;
  popup->Create(this, {topLeft.x(), topLeft.y(), topLeft.x() + clientRect.Width(), topLeft.y() + clientRect.Height()},
                resultMessage, ownerValue);
}

void CDlgBase::ClosePopup(int slot) {
  if (slot < 0 || slot >= kPopupSlotCount) return;
  QPointer<CWndPopup>& held = popups_[static_cast<std::size_t>(slot)];
  if (held.isNull()) {
    held = nullptr;
    return;
  }
  if (pressed_ != nullptr && pressed_ != hover_) {
    pressed_->OnFocusLost(false);
    pressed_ = nullptr;
  }
  // Closed from the event loop, like a posted close: the popup may be the one reporting right now.
  CWndPopup* popup = held.data();
  QMetaObject::invokeMethod(popup, "close", Qt::QueuedConnection);
  held = nullptr;
}

CWndPopup* CDlgBase::Popup(int slot) const {
  return slot >= 0 && slot < kPopupSlotCount ? popups_[static_cast<std::size_t>(slot)].data() : nullptr;
}

// ---- life ----

bool CDlgBase::OnInitDialog() {
  if (!icon.isNull()) setWindowIcon(icon);
  setWindowTitle(QString::fromLatin1(kDialogStyle.windowTitle));
  captionFont = MakeCaptionFont(logicalDpiY());
  setFixedSize(windowWidth, windowHeight);
  show();
  CreateControls(0, 0, width(), height());
  // Centre on the owner, or on the work area of the screen when there is none.
  QRect area;
  if (parentWidget() != nullptr && parentWidget()->isVisible()) {
    area = parentWidget()->window()->frameGeometry();
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  if (area.isValid()) move(area.center() - QPoint(width() / 2, height() / 2));
  if (joinsDialogTable && DialogOpenedHook()) {
    DialogOpenedHook()(this);
    inTable_ = true;
  }
  return true;
}

void CDlgBase::Initialise() {
  if (initialised_) return;
  initialised_ = true;
  OnInitDialog();
}

int CDlgBase::DoModal() {
  ended_ = false;
  if (parentWidget() != nullptr) setWindowModality(Qt::WindowModal);
  Initialise();
  if (!ended_) {
    show();
    activateWindow();
    QEventLoop loop;
    loop_ = &loop;
    loop.exec(QEventLoop::DialogExec);
    loop_ = nullptr;
  }
  hide();
  return result_;
}

void CDlgBase::ShowModeless() {
  ended_ = false;
  Initialise();
  show();
  activateWindow();
}

void CDlgBase::EndDialog(int result) {
  result_ = result;
  ended_ = true;
  if (loop_ != nullptr) {
    loop_->exit(result);
    return;
  }
  hide();
  if (deleteOnEnd_) deleteLater();
}

void CDlgBase::OnCloseRequest() { EndDialog(kIdCancel); }

void CDlgBase::closeEvent(QCloseEvent* event) {
  // The dialog decides how it ends; the window itself is hidden by EndDialog.
  event->ignore();
  OnCloseRequest();
}

// ---- painting ----

void CDlgBase::RenderInto(QImage& buffer) {
  if (buffer.size() != size() || buffer.format() != QImage::Format_RGB32) {
    buffer = QImage(size(), QImage::Format_RGB32);
  }
  QPainter painter(&buffer);
  DrawWindow(painter, {0, 0, width(), height()});
}

QImage CDlgBase::RenderToImage() {
  QImage image;
  RenderInto(image);
  return image;
}

void CDlgBase::paintEvent(QPaintEvent* event) {
  if (isMinimized()) return;
  RenderInto(buffer_);
  QPainter painter(this);
  painter.drawImage(event->rect(), buffer_, event->rect());
}

// ---- mouse routing ----

bool CDlgBase::RepaintsWholeWindow(unsigned id) {
  switch (id) {
    case 2040: case 2049: case 2050: case 2051: case 2052: case 2053:
    case 3001: case 3002: case 3003: case 3004: case 3007: case 3008: case 3009:
      return true;
    default:
      return false;
  }
}

void CDlgBase::RouteMouseMove(unsigned flags, QPoint p) {
  // Qt reports leaving for every window that tracks the mouse, so the request always succeeds.
  tracking_ = true;
  hoverTimer_.start(kHoverMilliseconds, this);
  if (hover_ != nullptr && hover_->IsRoutable() && hover_->rect.Contains(p.x(), p.y()) && tracking_) {
    lastPosition_ = p;
    if (hover_->OnMouseMove(flags, p.x(), p.y())) InvalidateRect(hover_->rect);
    return;
  }
  if (buttonDown_) {
    // Held outside the pressed control: hover stays as it is, but the pressed control still follows the
    // pointer, so a knob or thumb dragged off its narrow track keeps moving (clamped by the control).
    if (pressed_ != nullptr && pressed_ == hover_ && pressed_->IsRoutable() &&
        pressed_->OnMouseMove(flags, p.x(), p.y())) {
      InvalidateRect(pressed_->rect);
    }
    return;
  }
  lastPosition_ = p;
  CControlBase* old = hover_;
  CControlBase* found = nullptr;
  for (const ControlList& list : lists_) {
    for (const auto& control : list) {
      if (!control || !control->IsRoutable()) continue;
      control->OnMouseMove(flags, p.x(), p.y());
      // The last control under the pointer is the one painted on top.
      if (control->rect.Contains(p.x(), p.y())) found = control.get();
    }
  }
  if (old != nullptr) InvalidateRect(old->rect);
  hover_ = found;
  if (found != nullptr) InvalidateRect(found->rect);
}

void CDlgBase::RouteMouseLeave() {
  tracking_ = false;
  hoverTimer_.stop();
  if (buttonDown_) return;
  if (hover_ != nullptr) {
    const Rect r = hover_->rect;
    const QPoint cursor = mapFromGlobal(QCursor::pos());
    lastPosition_ = isMaximized() && r.Contains(cursor.x(), cursor.y()) ? cursor : QPoint(-1, -1);
    CControlBase* leaving = hover_;
    hover_ = nullptr;
    leaving->OnMouseMove(0, lastPosition_.x(), lastPosition_.y());
    InvalidateRect(r);
  }
  hover_ = nullptr;
}

void CDlgBase::RouteMouseHover() {
  if (hover_ == nullptr) return;
  const QPoint cursor = mapFromGlobal(QCursor::pos());
  if (hover_->rect.Contains(cursor.x(), cursor.y())) {
    lastPosition_ = cursor;
    InvalidateRect(hover_->rect);
  }
}

void CDlgBase::RouteLButtonDown(unsigned flags, QPoint p, const QPoint& global) {
  if (pressed_ != nullptr && pressed_ != hover_) {
    pressed_->OnFocusLost(false);
    pressed_ = nullptr;
  }
  if (hover_ != nullptr && hover_->IsRoutable() && hover_->rect.Contains(p.x(), p.y())) {
    buttonDown_ = true;
    pressed_ = hover_;
    pressedRect_ = hover_->rect;
    CControlBase* control = hover_;
    if (control->OnLButtonDown(flags, p.x(), p.y())) InvalidateRect(control->rect);
    if (!capture_) {
      // Qt sends every move and the release to the window the press went to until the button is up.
      capture_ = true;
      return;
    }
  }
  pressedRect_ = kNoRect;
  BeginWindowDrag(global);
}

void CDlgBase::RouteLButtonUp(unsigned flags, QPoint p) {
  capture_ = false;
  buttonDown_ = false;
  if (hover_ != nullptr) {
    CControlBase* control = hover_;
    const Rect r = control->rect;
    if (control->OnLButtonUp(flags, p.x(), p.y())) {
      if (RepaintsWholeWindow(control->id)) {
        Invalidate();
      } else {
        InvalidateRect(control->rect);
      }
    }
    if (pressedRect_.Contains(p.x(), p.y()) || r.Contains(p.x(), p.y())) {
      lastPosition_ = p;
    } else {
      lastPosition_ = QPoint(-1, -1);
      hover_ = nullptr;
    }
  }
  doubleClick_ = false;
  pressedRect_ = kNoRect;
}

void CDlgBase::RouteLButtonDblClk(unsigned flags, QPoint p) {
  if (hover_ == nullptr) return;
  for (const ControlList& list : lists_) {
    for (const auto& control : list) {
      if (!control || !control->rect.Contains(p.x(), p.y())) continue;
      hover_->OnLButtonDblClk(flags, p.x(), p.y());
      pressedRect_ = control->rect;
      doubleClick_ = true;
      return;
    }
  }
}

bool CDlgBase::RouteRButtonUp(unsigned flags, QPoint p) {
  if (hover_ == nullptr) return false;
  for (const auto& control : lists_[0]) {
    if (control && control->rect.Contains(p.x(), p.y())) return hover_->OnRButtonUp(flags, p.x(), p.y());
  }
  return false;
}

void CDlgBase::BeginWindowDrag(const QPoint& globalPosition) {
  // The window manager moves the window when it can; otherwise the window follows the pointer itself.
  if (QWindow* handle = windowHandle(); handle != nullptr && handle->startSystemMove()) return;
  windowDrag_ = true;
  dragOffset_ = globalPosition - pos();
}

void CDlgBase::mouseMoveEvent(QMouseEvent* event) {
  if (windowDrag_) {
    if (event->buttons() & Qt::LeftButton) {
      move(event->globalPosition().toPoint() - dragOffset_);
      return;
    }
    windowDrag_ = false;
  }
  RouteMouseMove(MouseKeyFlags(event->buttons(), event->modifiers()), event->position().toPoint());
}

void CDlgBase::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  RouteLButtonDown(MouseKeyFlags(event->buttons(), event->modifiers()), event->position().toPoint(),
                   event->globalPosition().toPoint());
}

void CDlgBase::mouseReleaseEvent(QMouseEvent* event) {
  const unsigned flags = MouseKeyFlags(event->buttons(), event->modifiers());
  if (event->button() == Qt::RightButton) {
    RouteRButtonUp(flags, event->position().toPoint());
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  if (windowDrag_) {
    windowDrag_ = false;
    return;
  }
  RouteLButtonUp(flags, event->position().toPoint());
}

void CDlgBase::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  RouteLButtonDblClk(MouseKeyFlags(event->buttons(), event->modifiers()), event->position().toPoint());
}

void CDlgBase::leaveEvent(QEvent*) { RouteMouseLeave(); }

void CDlgBase::timerEvent(QTimerEvent* event) {
  if (event->timerId() == hoverTimer_.timerId()) {
    hoverTimer_.stop();
    RouteMouseHover();
    return;
  }
  CWindowBase::timerEvent(event);
}

void CDlgBase::SetDialogTableHooks(std::function<void(CDlgBase*)> opened, std::function<void(CDlgBase*)> closed) {
  DialogOpenedHook() = std::move(opened);
  DialogClosedHook() = std::move(closed);
}

}  // namespace pelrin

// The skinned dialog: a frameless window painted entirely from its frame and its windowless controls.
#pragma once

#include <QBasicTimer>
#include <QIcon>
#include <QImage>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "ui/control_base.h"
#include "ui/skin.h"
#include "ui/window_base.h"

class QEventLoop;

namespace pelrin {

class CWndPopup;

class CDlgBase : public CWindowBase {
 public:
  static constexpr int kControlListCount = 7;
  static constexpr int kPopupSlotCount = 11;
  using ControlList = std::vector<std::unique_ptr<CControlBase>>;

  explicit CDlgBase(QWidget* parent = nullptr);
  ~CDlgBase() override;

  // Sets the design size; the window is that times UiScale, truncated.
  void SetDesignSize(int width, int height);
  QSize DesignSize() const { return designSize_; }

  // Appends a control to list 1 to 7 and returns it; the dialog owns it from now on.
  template <class T>
  T* AddControl(int list, std::unique_ptr<T> control) {
    T* raw = control.get();
    AddControlOwned(list, std::unique_ptr<CControlBase>(std::move(control)));
    return raw;
  }
  // The first control with this identifier, lists 1 to 7 in order; null when none has it.
  CControlBase* GetControl(unsigned id) const;
  const ControlList& Controls(int list) const;
  virtual void DrawControls(QPainter& painter, const Rect& update);
  void ReleaseControlImages();

  // Frame from an embedded bitmap or a skin file; the fill colour becomes the frame's average colour.
  bool SetFrameBitmap(int resourceId);
  bool SetFrameBitmapFile(const QString& relativeName);
  // Stretches the frame's design-size part over the scaled design size.
  void DrawFrame(QPainter& painter);

  // Popups: at most one per slot; opening into a used slot closes the old popup first.
  void OpenPopup(int slot, CWndPopup* popup, const Rect& clientRect, unsigned resultMessage, WPARAM ownerValue);
  void ClosePopup(int slot);
  CWndPopup* Popup(int slot) const;

  // Runs the dialog modally: initialises it, shows it and returns kIdOk or kIdCancel once EndDialog ran.
  int DoModal();
  // Initialises and shows the dialog without a modal run.
  void ShowModeless();
  void EndDialog(int result);
  int Result() const { return result_; }
  // A modeless dialog deletes itself when it ends.
  void SetDeleteOnEnd(bool on) { deleteOnEnd_ = on; }

  // Paints the whole client area into `buffer` (resized to the window) as a repaint does.
  void RenderInto(QImage& buffer);
  QImage RenderToImage();

  // Host state, for the app's own mouse rules and for tests.
  CControlBase* HoverControl() const { return hover_; }
  CControlBase* PressedControl() const { return pressed_; }
  bool HasCapture() const { return capture_; }
  bool IsDraggingWindow() const { return windowDrag_; }
  QPoint LastPosition() const { return lastPosition_; }
  Rect PressedRect() const { return pressedRect_; }

  // The app keeps its table of open dialogs through these; every dialog that joins calls them
  // when it has initialised and when it is destroyed.
  static void SetDialogTableHooks(std::function<void(CDlgBase*)> opened, std::function<void(CDlgBase*)> closed);
  bool joinsDialogTable = true;

  int windowWidth;
  int windowHeight;
  ColorRef fillColor;
  QFont captionFont;
  QIcon icon;
  QSize frameSize;
  SkinImage frameBitmap;

 protected:
  virtual bool OnInitDialog();
  virtual void CreateControls(int left, int top, int right, int bottom) = 0;
  // Paints the client area: by default fill, frame, DrawDecorations, then the controls.
  virtual void DrawWindow(QPainter& painter, const Rect& client);
  virtual void DrawDecorations(QPainter& painter);
  // A close request (window manager, app exit); by default ends the dialog with kIdCancel.
  virtual void OnCloseRequest();
  // Starts moving the window with the pointer from a press on the background.
  virtual void BeginWindowDrag(const QPoint& globalPosition);

  // Mouse routing; the app may extend these and call the base first.
  virtual void RouteMouseMove(unsigned flags, QPoint p);
  virtual void RouteMouseLeave();
  virtual void RouteMouseHover();
  virtual void RouteLButtonDown(unsigned flags, QPoint p, const QPoint& global);
  virtual void RouteLButtonUp(unsigned flags, QPoint p);
  virtual void RouteLButtonDblClk(unsigned flags, QPoint p);
  virtual bool RouteRButtonUp(unsigned flags, QPoint p);

  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  void AddControlOwned(int list, std::unique_ptr<CControlBase> control);
  void Initialise();
  static bool RepaintsWholeWindow(unsigned id);

  std::array<ControlList, kControlListCount> lists_;
  std::array<QPointer<CWndPopup>, kPopupSlotCount> popups_;
  QSize designSize_;
  QImage buffer_;
  QEventLoop* loop_ = nullptr;
  int result_ = 0;
  bool initialised_ = false;
  bool ended_ = false;
  bool deleteOnEnd_ = false;
  bool inTable_ = false;

  CControlBase* hover_ = nullptr;
  CControlBase* pressed_ = nullptr;
  bool tracking_ = false;
  bool buttonDown_ = false;
  bool capture_ = false;
  bool doubleClick_ = false;
  Rect pressedRect_ = kNoRect;
  QPoint lastPosition_{-1, -1};
  QBasicTimer hoverTimer_;
  bool windowDrag_ = false;
  QPoint dragOffset_;
};

// Key flags of a mouse event.
unsigned MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

}  // namespace pelrin

// Popups: frameless top-most tool windows painted off screen, and the list popup every menu is built on.
#pragma once

#include <QBasicTimer>
#include <QImage>
#include <array>
#include <cstdint>
#include <vector>

#include "ui/skin.h"
#include "ui/window_base.h"

namespace pelrin {

class CWndPopup : public CWindowBase {
 public:
  explicit CWndPopup(int kind);
  ~CWndPopup() override;

  // Shows the popup at the top-left of `screenRect` as a tool window of `owner`; the popup reports its
  // choice with `resultMessage` and `ownerValue` as wparam. Returns false when it cannot be shown.
  bool Create(CWindowBase* owner, const Rect& screenRect, unsigned resultMessage, WPARAM ownerValue);
  // Paints the popup into its off-screen buffer and puts it on the screen.
  void RepaintPopup();
  QImage RenderToImage();
  CWindowBase* Owner() const { return owner_; }
  // Stops all reports to the owner; an owner that is going away calls it before deleting the popup.
  void DetachOwner() { owner_ = nullptr; }

  // The message an owner gets when a popup of `kind` loses activation; 0 for kinds without one.
  static unsigned FocusLossMessage(int kind);

  int popupKind;
  unsigned resultMessage = 0;
  WPARAM ownerValue = 0;
  QPoint position;
  QFont font;

 protected:
  virtual void DrawPopup(QPainter& painter, const Rect& client);
  virtual void InitPopup();
  virtual bool OnPopupMouseMove(int x, int y);
  virtual bool OnPopupLButtonDown(int x, int y);
  virtual bool OnPopupLButtonUp(int x, int y);
  virtual bool OnPopupRButtonUp(int x, int y);
  // Sends to the owner; 0 when there is none.
  LRESULT SendToOwner(unsigned message, WPARAM wparam, LPARAM lparam);

  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void ReportFocusLoss();
  CWindowBase* owner_ = nullptr;
  QImage buffer_;
  QBasicTimer hoverTimer_;
  bool tracking_ = false;
  bool buttonDown_ = false;
  bool capture_ = false;
};

struct PopupItem {
  bool separator = false;
  int value = 0;
  SkinImage icon;
  int iconWidth = 0, iconHeight = 0;
  QString text;
  Rect rect;
  bool subMenu = false;
};

// What a list popup reports: the chosen item's text and up to three code bytes.
struct PopupResult {
  QString text;
  std::array<std::uint8_t, 3> code{};
  int codeCount = 0;
};

// A vertical list of items `itemWidth` design pixels wide, with highlight following the pointer.
class CListPopup : public CWndPopup {
 public:
  CListPopup(int kind, int itemWidth, const QRect& imageSource);
  // Item backgrounds: normal, highlighted, sub-menu normal, sub-menu highlighted.
  bool SetItemImages(const QString& normal, const QString& highlighted, const QString& subNormal,
                     const QString& subHighlighted);
  void AddItem(const QString& itemText, int value, bool separator = false, bool subMenu = false);
  void AddSeparator() { AddItem(QString(), 0, true); }
  // Whether a press outside the highlighted item clears it (the insert menu, lighting and profile lists).
  void SetPressClearsHighlight(bool on) { pressClearsHighlight_ = on; }
  const std::vector<PopupItem>& Items() const { return items; }
  int ItemAt(int x, int y) const;

  std::vector<PopupItem> items;
  int hoverIndex = -1;
  PopupResult result;
  int itemWidth;
  QRect imageSource;
  SkinImage normalImage, highlightImage, subNormalImage, subHighlightImage;
  int imageWidth = 0, imageHeight = 0;

 protected:
  // Fills the result from the chosen item; by default its text and its value's low byte.
  virtual void FillResult(const PopupItem& item, PopupResult& out);
  void LayoutItems();
  void InitPopup() override { LayoutItems(); }
  void DrawPopup(QPainter& painter, const Rect& client) override;
  bool OnPopupMouseMove(int x, int y) override;
  bool OnPopupLButtonDown(int x, int y) override;
  bool OnPopupLButtonUp(int x, int y) override;

 private:
  bool pressClearsHighlight_ = false;
};

}  // namespace pelrin

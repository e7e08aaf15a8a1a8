// The windowless control: a rectangle of its host that draws itself and reports to the host by message.
#pragma once

#include <QFont>
#include <QPainter>
#include <QString>
#include <cstdint>

#include "ui/window_types.h"

namespace pelrin {

class CWindowBase;

class CControlBase {
 public:
  CControlBase(CWindowBase* host, unsigned id, const Rect& rect, QString caption, bool visible, bool shown,
               bool disabled, bool mouseEnabled);
  virtual ~CControlBase();
  CControlBase(const CControlBase&) = delete;
  CControlBase& operator=(const CControlBase&) = delete;

  // Paints the control at `rect` into the host's off-screen buffer.
  virtual void Draw(QPainter& painter, const Rect& update) = 0;
  // Called by the host on the previously pressed control; no control reacts.
  virtual void OnFocusLost(bool flag);
  virtual void SetControlRect(const Rect& rect);
  virtual Rect GetControlRect() const;
  // Stores a different text and repaints the control; an equal text changes nothing.
  virtual void SetText(const QString& text);
  virtual QString GetText() const;
  virtual void SetVisible(bool visible);
  virtual void SetShown(bool shown);
  // Mouse handlers get host client coordinates and return true when the control's look changed.
  virtual bool OnMouseMove(unsigned flags, int x, int y);
  virtual bool OnLButtonDown(unsigned flags, int x, int y);
  virtual bool OnLButtonUp(unsigned flags, int x, int y);
  virtual bool OnRButtonUp(unsigned flags, int x, int y);
  virtual bool OnLButtonDblClk(unsigned flags, int x, int y);
  // Frees the control's images; afterwards it draws nothing where they were.
  virtual void ReleaseImages();

  // Replaces the control font with one of `height` pixels in `face`.
  void SetFont(int height, const QString& face);

  bool IsDisplayed() const { return visible && shown; }
  bool IsRoutable() const { return IsDisplayed() && mouseEnabled; }

  unsigned id;
  Rect rect;
  bool visible;
  bool shown;
  bool disabled;  // every mouse handler ignores the event while set
  bool mouseEnabled;
  QString text;
  CWindowBase* hostWnd;
  QFont font;

 protected:
  // Reports to the host synchronously: the host's handler runs before this returns.
  LRESULT Notify(unsigned message, WPARAM wparam, LPARAM lparam) const;
  void InvalidateSelf() const;
};

}  // namespace pelrin

// The windowless control base.
#include "ui/control_base.h"

#include "ui/skin.h"
#include "ui/window_base.h"

namespace pelrin {

CControlBase::CControlBase(CWindowBase* host, unsigned controlId, const Rect& controlRect, QString caption,
                           bool isVisible, bool isShown, bool isDisabled, bool isMouseEnabled)
    : id(controlId),
      rect(controlRect),
      visible(isVisible),
      shown(isShown),
      disabled(isDisabled),
      mouseEnabled(isMouseEnabled),
      text(std::move(caption)),
      hostWnd(host),
      font(MakeFont(UiFont().height, UiFont().face)) {}

CControlBase::~CControlBase() = default;

void CControlBase::OnFocusLost(bool) {}
void CControlBase::SetControlRect(const Rect& newRect) { rect = newRect; }
Rect CControlBase::GetControlRect() const { return rect; }

void CControlBase::SetText(const QString& newText) {
  if (newText == text) return;
  text = newText;
  InvalidateSelf();
}

QString CControlBase::GetText() const { return text; }
void CControlBase::SetVisible(bool isVisible) { visible = isVisible; }
void CControlBase::SetShown(bool isShown) { shown = isShown; }
bool CControlBase::OnMouseMove(unsigned, int, int) { return false; }
bool CControlBase::OnLButtonDown(unsigned, int, int) { return false; }
bool CControlBase::OnLButtonUp(unsigned, int, int) { return false; }
bool CControlBase::OnRButtonUp(unsigned, int, int) { return false; }
bool CControlBase::OnLButtonDblClk(unsigned, int, int) { return false; }
void CControlBase::ReleaseImages() {}

void CControlBase::SetFont(int height, const QString& face) { font = MakeFont(height, face); }

LRESULT CControlBase::Notify(unsigned message, WPARAM wparam, LPARAM lparam) const {
  return hostWnd != nullptr ? hostWnd->SendMessage(message, wparam, lparam) : 0;
}

void CControlBase::InvalidateSelf() const {
  if (hostWnd != nullptr) hostWnd->InvalidateRect(rect);
}

}  // namespace pelrin

// Message, timer and invalidation plumbing of a toolkit window.
#include "ui/window_base.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimerEvent>

namespace pelrin {
namespace {

const QEvent::Type kPostedMessageEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class PostedMessage : public QEvent {
 public:
  PostedMessage(unsigned message, WPARAM wparam, LPARAM lparam)
      : QEvent(kPostedMessageEvent), message_(message), wparam_(wparam), lparam_(lparam) {}
  unsigned message_;
  WPARAM wparam_;
  LPARAM lparam_;
};

}  // namespace

CWindowBase::CWindowBase(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {}

CWindowBase::~CWindowBase() = default;

void CWindowBase::OnMessage(unsigned message, MessageHandler handler) { handlers_[message] = std::move(handler); }

LRESULT CWindowBase::SendMessage(unsigned message, WPARAM wparam, LPARAM lparam) {
  auto found = handlers_.find(message);
  if (found != handlers_.end() && found->second) {
    // A handler may remap its own message; run a copy so it survives that.
    MessageHandler handler = found->second;
    return handler(wparam, lparam);
  }
  return WindowProc(message, wparam, lparam);
}

void CWindowBase::PostMessage(unsigned message, WPARAM wparam, LPARAM lparam) {
  QCoreApplication::postEvent(this, new PostedMessage(message, wparam, lparam));
}

void CWindowBase::SetTimer(unsigned id, int milliseconds) { timers_[id].start(std::max(0, milliseconds), this); }

void CWindowBase::KillTimer(unsigned id) {
  auto found = timers_.find(id);
  if (found != timers_.end()) found->second.stop();
}

bool CWindowBase::IsTimerRunning(unsigned id) const {
  auto found = timers_.find(id);
  return found != timers_.end() && found->second.isActive();
}

void CWindowBase::OnTimerFired(unsigned id, std::function<void()> handler) { timerHandlers_[id] = std::move(handler); }

void CWindowBase::InvalidateRect(const Rect& rect) {
  if (!rect.IsEmpty()) update(rect.ToQRect());
}

void CWindowBase::Invalidate() { update(); }

LRESULT CWindowBase::WindowProc(unsigned, WPARAM, LPARAM) { return 0; }

void CWindowBase::OnTimer(unsigned) {}

void CWindowBase::customEvent(QEvent* event) {
  if (event->type() == kPostedMessageEvent) {
    auto* posted = static_cast<PostedMessage*>(event);
    SendMessage(posted->message_, posted->wparam_, posted->lparam_);
    return;
  }
  QWidget::customEvent(event);
}

void CWindowBase::timerEvent(QTimerEvent* event) {
  for (auto& [id, timer] : timers_) {
    if (timer.timerId() != event->timerId()) continue;
    const unsigned firing = id;
    auto handler = timerHandlers_.find(firing);
    if (handler != timerHandlers_.end() && handler->second) {
      std::function<void()> run = handler->second;
      run();
    } else {
      OnTimer(firing);
    }
    return;
  }
  QWidget::timerEvent(event);
}

}  // namespace pelrin

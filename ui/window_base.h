// A toolkit window: messages sent and posted to it by number, numbered timers, invalidation.
#pragma once

#include <QBasicTimer>
#include <QWidget>
#include <functional>
#include <map>

#include "ui/window_types.h"

namespace pelrin {

using MessageHandler = std::function<LRESULT(WPARAM, LPARAM)>;

class CWindowBase : public QWidget {
 public:
  explicit CWindowBase(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
  ~CWindowBase() override;

  // Maps a message number to its handler; a later mapping replaces an earlier one.
  void OnMessage(unsigned message, MessageHandler handler);
  // Runs the handler of `message` now and returns its result (0 when the message has none).
  LRESULT SendMessage(unsigned message, WPARAM wparam, LPARAM lparam);
  // Queues the message for the window's thread; safe to call from any thread.
  void PostMessage(unsigned message, WPARAM wparam, LPARAM lparam);

  // Starts timer `id`, or restarts it with the new period when it runs.
  void SetTimer(unsigned id, int milliseconds);
  void KillTimer(unsigned id);
  bool IsTimerRunning(unsigned id) const;
  // Maps a timer to its handler; timers without one reach OnTimer.
  void OnTimerFired(unsigned id, std::function<void()> handler);

  void InvalidateRect(const Rect& rect);
  void Invalidate();

 protected:
  // Messages that no handler is mapped to.
  virtual LRESULT WindowProc(unsigned message, WPARAM wparam, LPARAM lparam);
  virtual void OnTimer(unsigned id);

  void customEvent(QEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  std::map<unsigned, MessageHandler> handlers_;
  std::map<unsigned, QBasicTimer> timers_;
  std::map<unsigned, std::function<void()>> timerHandlers_;
};

}  // namespace pelrin

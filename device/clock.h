// The clock that paces frames: real sleeps in the program, a manual clock in tests and simulations.
#pragma once

#include <chrono>
#include <vector>

namespace pelrin {

using Milliseconds = std::chrono::milliseconds;
using Microseconds = std::chrono::microseconds;

class Clock {
 public:
  virtual ~Clock() = default;
  // Monotonic time since an arbitrary start.
  virtual Microseconds Now() const = 0;
  // Blocks the caller for `duration` (the mouse needs the pause between frames).
  virtual void Wait(Milliseconds duration) = 0;
};

// Real time: steady_clock and a real sleep.
class SteadyClock final : public Clock {
 public:
  Microseconds Now() const override;
  void Wait(Milliseconds duration) override;
};

// Time that only moves when someone waits: every wait returns at once, advances the time and is
// recorded, so a caller's pacing can be checked exactly.
class ManualClock final : public Clock {
 public:
  Microseconds Now() const override { return now_; }
  void Wait(Milliseconds duration) override {
    now_ += duration;
    waits_.push_back(duration);
  }
  void Advance(Microseconds duration) { now_ += duration; }
  const std::vector<Milliseconds>& waits() const { return waits_; }
  Milliseconds TotalWaited() const;
  void ClearWaits() { waits_.clear(); }

 private:
  Microseconds now_{0};
  std::vector<Milliseconds> waits_;
};

}  // namespace pelrin

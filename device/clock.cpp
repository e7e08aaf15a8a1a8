// Real and manual clocks.
#include "device/clock.h"

#include <thread>

namespace pelrin {

Microseconds SteadyClock::Now() const {
  return std::chrono::duration_cast<Microseconds>(std::chrono::steady_clock::now().time_since_epoch());
}

void SteadyClock::Wait(Milliseconds duration) { std::this_thread::sleep_for(duration); }

Milliseconds ManualClock::TotalWaited() const {
  Milliseconds total{0};
  for (Milliseconds w : waits_) total += w;
  return total;
}

}  // namespace pelrin

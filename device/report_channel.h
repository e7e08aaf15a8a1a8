// Sends frames on the write handle with the pauses the mouse needs, and runs the status exchange.
#pragma once

#include <optional>

#include "device/clock.h"
#include "device/feature_transport.h"
#include "device/frame.h"

namespace pelrin {

inline constexpr Milliseconds kFramePause{60};
inline constexpr Milliseconds kStatusReadDelay{10};

// The report work area of the link: the transport, the clock that paces it and the sequence counter.
// Main thread only.
class ReportChannel {
 public:
  ReportChannel(FeatureTransport& transport, Clock& clock) : transport_(transport), clock_(clock) {}

  bool HasWriteHandle() const { return WriteHandle(transport_).has_value(); }
  // Sends on the write handle; nothing when no feature interface is open. Configuration frames are not
  // acknowledged, so the result only tells whether a transfer was attempted and succeeded.
  bool SendFrame(const Report& frame);
  // SendFrame, then the 60 ms the mouse needs before the next frame.
  void SendConfigurationFrame(const Report& frame);
  // Sends on the wired interface when open, else on the receiver's, without a pause.
  bool SendFactoryReset();

  // The status request: the reply, or none when no interface is open, a transfer fails or two replies
  // in a row come back empty.
  std::optional<Report> QueryStatus();

  void Wait(Milliseconds duration) { clock_.Wait(duration); }

  SequenceCounter& sequence() { return sequence_; }
  FeatureTransport& transport() { return transport_; }
  Clock& clock() { return clock_; }

 private:
  FeatureTransport& transport_;
  Clock& clock_;
  SequenceCounter sequence_;
};

}  // namespace pelrin

// Frame sending and the status exchange.
#include "device/report_channel.h"

#include <algorithm>

namespace pelrin {

bool ReportChannel::SendFrame(const Report& frame) {
  const std::optional<DeviceKind> target = WriteHandle(transport_);
  if (!target) return false;
  return transport_.SetFeatureReport(*target, frame);
}

void ReportChannel::SendConfigurationFrame(const Report& frame) {
  SendFrame(frame);
  clock_.Wait(kFramePause);
}

bool ReportChannel::SendFactoryReset() {
  const std::optional<DeviceKind> target = WriteHandle(transport_);
  if (!target) return false;
  return transport_.SetFeatureReport(*target, BuildFactoryResetFrame(sequence_));
}

std::optional<Report> ReportChannel::QueryStatus() {
  for (int attempt = 0; attempt < 2; ++attempt) {
    const std::optional<DeviceKind> target = WriteHandle(transport_);
    if (!target) return std::nullopt;
    if (!transport_.SetFeatureReport(*target, BuildGetStatusFrame(sequence_))) return std::nullopt;
    clock_.Wait(kStatusReadDelay);
    Report reply;
    reply.fill(0xFF);
    reply[kReportIdByte] = kFeatureReportId;
    if (!transport_.GetFeatureReport(*target, reply)) return std::nullopt;
    if (reply[kLengthByte] != 0) return reply;
  }
  return std::nullopt;
}

}  // namespace pelrin

// Building frames of report 0x0C.
#include "device/frame.h"

#include <algorithm>
#include <string>

namespace pelrin {

Report BuildFrame(Command command, std::uint8_t packet, std::uint8_t length, SequenceCounter& sequence) {
  Report frame{};
  frame[kReportIdByte] = kFeatureReportId;
  frame[kTargetByte] = kFrameTarget;
  frame[kCommandByte] = static_cast<std::uint8_t>(command);
  frame[kReservedByte] = 0x00;
  frame[kSequenceByte] = sequence.Take();
  frame[kPacketByte] = packet;
  frame[kLengthByte] = length;
  return frame;
}

Report BuildFrame(Command command, std::span<const std::uint8_t> payload, SequenceCounter& sequence) {
  const std::size_t length = std::min(payload.size(), kMaxPayload);
  Report frame = BuildFrame(command, 0x01, static_cast<std::uint8_t>(length), sequence);
  std::copy_n(payload.begin(), length, frame.begin() + kPayloadOffset);
  return frame;
}

Report BuildGetStatusFrame(SequenceCounter& sequence) { return BuildFrame(Command::kGetStatus, 0x00, 0, sequence); }

Report BuildFactoryResetFrame(SequenceCounter& sequence) {
  const std::uint8_t payload[] = {0xFF};
  return BuildFrame(Command::kFactoryReset, payload, sequence);
}

std::string FormatReportHex(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 3);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i != 0) text += ' ';
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 0x0F];
  }
  return text;
}

}  // namespace pelrin

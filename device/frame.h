// The 33-byte feature report frame of report 0x0C, its commands and the sequence counter.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "device/feature_transport.h"

namespace pelrin {

inline constexpr std::uint8_t kFeatureReportId = 0x0C;
inline constexpr std::uint8_t kInputReportId = 0x05;
inline constexpr std::uint8_t kFrameTarget = 0x01;
inline constexpr std::size_t kPayloadOffset = 7;
inline constexpr std::size_t kMaxPayload = kReportSize - kPayloadOffset;  // 26

// Byte positions of the frame header.
enum FrameByte : std::size_t {
  kReportIdByte = 0,
  kTargetByte = 1,
  kCommandByte = 2,
  kReservedByte = 3,
  kSequenceByte = 4,
  kPacketByte = 5,
  kLengthByte = 6,
};

enum class Command : std::uint8_t {
  kSetKeyAssignment = 0x04,
  kSetDpiStages = 0x05,
  kSetDpiColours = 0x06,
  kSetPollingRate = 0x07,
  kSetLighting = 0x08,
  kSetLiftHeight = 0x09,
  kSetDebounce = 0x0A,
  kSetPowerSaving = 0x0B,
  kSetMotionWake = 0x0C,
  kWriteMacro = 0x0E,
  kFactoryReset = 0x0F,
  kGetStatus = 0x20,
};

// Every frame built takes the current value and advances it, wrapping from 255 to 0, whether or not the
// frame is finally sent. The mouse sees the value only; it starts at 1.
class SequenceCounter {
 public:
  std::uint8_t Take() { return next_++; }
  std::uint8_t Peek() const { return next_; }
  void Reset(std::uint8_t next = 1) { next_ = next; }

 private:
  std::uint8_t next_ = 1;
};

// Header bytes 0 to 6 with zeros from byte 7 on; the caller writes the payload afterwards.
Report BuildFrame(Command command, std::uint8_t packet, std::uint8_t length, SequenceCounter& sequence);
// A single-packet frame (packet byte 1) whose length byte is the payload's size (at most 26 bytes).
Report BuildFrame(Command command, std::span<const std::uint8_t> payload, SequenceCounter& sequence);

// The status request: packet byte 0, no payload.
Report BuildGetStatusFrame(SequenceCounter& sequence);
Report BuildFactoryResetFrame(SequenceCounter& sequence);

// "0C 01 04 ..." : two upper-case hex digits per byte, single spaces; the form of golden tables and of
// `pelrinctl apply --dry-run`.
std::string FormatReportHex(std::span<const std::uint8_t> bytes);

}  // namespace pelrin

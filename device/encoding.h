// Pure encoders from a profile record to the images the mouse holds, and from images to frames.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "device/frame.h"
#include "macros/macro_key.h"
#include "settings/dpi_table.h"
#include "settings/profile_record.h"

namespace pelrin {

inline constexpr std::size_t kDevicePositions = 6;
inline constexpr std::size_t kKeyImageSize = 20;  // bytes 2 + 3p .. 4 + 3p hold device position p
inline constexpr std::size_t kDpiBlockSize = 18;
inline constexpr std::size_t kDpiBlockCompared = 17;
inline constexpr std::size_t kDpiColoursSize = 24;
inline constexpr std::size_t kLightingBlockMax = 25;  // byte 0 = L, at most 24
inline constexpr std::size_t kMacroImageSize = 512;
inline constexpr std::size_t kMacroEventBytesOffset = 4;
inline constexpr std::size_t kMacroChunk = 25;
// The packet byte holds the packet count in four bits, so a macro travels in at most 15 packets of 25
// event bytes: 125 events, fewer than the 169 the 512-byte image could hold. Longer macros are cut to the
// events that can actually be sent, in the image as on the wire.
inline constexpr std::size_t kMaxMacroPackets = 15;
inline constexpr std::size_t kMaxSentMacroEvents = kMaxMacroPackets * kMacroChunk / 3;  // 125
inline constexpr std::uint8_t kMacroCategory = 0x90;
inline constexpr std::size_t kMacroNumbers = 16;

using KeyImage = std::array<std::uint8_t, kKeyImageSize>;
using DpiBlock = std::array<std::uint8_t, kDpiBlockSize>;
using DpiColours = std::array<std::uint8_t, kDpiColoursSize>;
using LightingBlock = std::array<std::uint8_t, kLightingBlockMax>;
using PowerImage = std::array<std::uint8_t, 2>;
using MacroImage = std::array<std::uint8_t, kMacroImageSize>;

// The button slot whose assignment device position p carries: positions 3 and 4 exchange slots 3 and 4.
constexpr std::size_t SlotOfPosition(std::size_t position) {
  return position == 3 ? 4 : position == 4 ? 3 : position;
}

// The integer value of a named setting, sent as its low byte.
std::uint8_t SettingByte(const ProfileRecord& record, NamedSetting which);

KeyImage EncodeKeyImage(const ProfileRecord& record);
DpiBlock EncodeDpiBlock(const ProfileRecord& record, const DpiTable& table);
DpiColours EncodeDpiColours(const ProfileRecord& record);
// Rate index 0..3 to the interval in milliseconds: 8, 4, 2, anything else 1.
std::uint8_t PollingInterval(std::uint8_t rateIndex);
std::uint8_t EncodePollingImage(const ProfileRecord& record);
std::uint8_t EncodeLiftImage(const ProfileRecord& record);  // 1, or 2 for any other value
std::uint8_t EncodeDebounceImage(const ProfileRecord& record);
PowerImage EncodePowerImage(const ProfileRecord& record);
std::uint8_t EncodeMotionWakeImage(const ProfileRecord& record);
// Byte 0 = L, the frame's length byte; bytes 1 to L are the payload.
LightingBlock EncodeLightingBlock(const ProfileRecord& record);

struct MacroEncoding {
  MacroImage image{};
  std::size_t events = 0;        // events in the image (byte 3)
  std::size_t droppedEvents = 0;  // events beyond kMaxSentMacroEvents, left out
};
// Byte 0 = 0x09, 1 = 0x90, 2 = number, 3 = event count, then three bytes per non-pause action, each
// carrying the pause that follows it. Key codes go through the device key-code table.
MacroEncoding EncodeMacroImage(const MacroKey& macro, std::uint8_t number);

// Single-frame commands from their images.
Report KeyAssignmentFrame(const KeyImage& image, std::size_t position, SequenceCounter& sequence);
Report DpiStagesFrame(const DpiBlock& block, SequenceCounter& sequence);
Report DpiColoursFrame(const DpiColours& colours, SequenceCounter& sequence);
Report PollingRateFrame(std::uint8_t interval, SequenceCounter& sequence);
Report LiftHeightFrame(std::uint8_t height, SequenceCounter& sequence);
Report DebounceFrame(std::uint8_t debounce, SequenceCounter& sequence);
Report LightingFrame(const LightingBlock& block, SequenceCounter& sequence);
Report PowerSavingFrame(const PowerImage& image, SequenceCounter& sequence);
Report MotionWakeFrame(std::uint8_t wake, SequenceCounter& sequence);
// The packets of one macro image: ceil(3e / 25) of them, at least one.
std::vector<Report> MacroPackets(const MacroImage& image, SequenceCounter& sequence);

}  // namespace pelrin

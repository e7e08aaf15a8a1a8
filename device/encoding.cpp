// Encoders from a profile record to device images and frames.
#include "device/encoding.h"

#include <algorithm>

#include "macros/key_tables.h"
#include "settings/text.h"

namespace pelrin {
namespace {

void PutColour(std::uint8_t* out, Colour colour) {
  out[0] = Red(colour);
  out[1] = Green(colour);
  out[2] = Blue(colour);
}

std::uint8_t LowByte(long long value) { return static_cast<std::uint8_t>(static_cast<unsigned long long>(value) & 0xFF); }

Report SingleByteFrame(Command command, std::uint8_t value, SequenceCounter& sequence) {
  const std::uint8_t payload[] = {value};
  return BuildFrame(command, payload, sequence);
}

}  // namespace

std::uint8_t SettingByte(const ProfileRecord& record, NamedSetting which) {
  return LowByte(ParseLeadingInteger(record.Value(which), 10));
}

KeyImage EncodeKeyImage(const ProfileRecord& record) {
  KeyImage image{};
  for (std::size_t p = 0; p < kDevicePositions; ++p) {
    const AssignmentValue& value = record.keyAssignments[SlotOfPosition(p)].value;
    std::copy(value.begin(), value.end(), image.begin() + static_cast<std::ptrdiff_t>(2 + 3 * p));
  }
  return image;
}

DpiBlock EncodeDpiBlock(const ProfileRecord& record, const DpiTable& table) {
  DpiBlock block{};
  const unsigned enabled = static_cast<unsigned>(__builtin_popcount(record.DPIOffOnFlagValue));
  block[0] = static_cast<std::uint8_t>((enabled & 0x0F) | ((record.CurrentDPILevelValue + 1u) << 4));
  block[1] = record.DPIOffOnFlagValue;
  for (std::size_t k = 0; k < 5; ++k) {
    const std::uint16_t code = table.CodeAt(record.XYSetting[k]);
    block[2 + 2 * k] = static_cast<std::uint8_t>(code & 0xFF);
    block[3 + 2 * k] = static_cast<std::uint8_t>(code >> 8);
  }
  return block;
}

DpiColours EncodeDpiColours(const ProfileRecord& record) {
  DpiColours colours{};
  for (std::size_t k = 0; k < kDpiStageCount; ++k) PutColour(&colours[3 * k], record.DPILevelIndication[k]);
  return colours;
}

std::uint8_t PollingInterval(std::uint8_t rateIndex) {
  switch (rateIndex) {
    case 0: return 8;
    case 1: return 4;
    case 2: return 2;
    default: return 1;
  }
}

std::uint8_t EncodePollingImage(const ProfileRecord& record) { return PollingInterval(record.PollingRateValue[0]); }

std::uint8_t EncodeLiftImage(const ProfileRecord& record) {
  return ParseLeadingInteger(record.Value(kLiftDetectionHeight), 10) == 1 ? 1 : 2;
}

std::uint8_t EncodeDebounceImage(const ProfileRecord& record) { return SettingByte(record, kKeyDebounce); }

PowerImage EncodePowerImage(const ProfileRecord& record) {
  return {SettingByte(record, kPowerDownTime), SettingByte(record, kMoveLightingOnOffMode)};
}

std::uint8_t EncodeMotionWakeImage(const ProfileRecord& record) { return SettingByte(record, kMotionWakeup); }

LightingBlock EncodeLightingBlock(const ProfileRecord& record) {
  LightingBlock block{};
  const std::uint8_t mode = record.Lighting1ModeValue[0];
  block[1] = mode;
  // Modes from 10 on have no settings of their own (and no row in the per-mode arrays): nothing is sent.
  if (mode >= kLightingModeCount) return block;
  const unsigned brightness = record.Lighting1Brightness[mode] + 1u;
  const unsigned speed = record.Lighting1Speed[mode] + 1u;
  block[2] = static_cast<std::uint8_t>((brightness << 4) | (speed & 0x0F));
  const auto& colours = record.Lighting1FixedColor[mode];
  const auto& selected = record.Lighting1ColorSelected[mode];
  std::size_t length = 2;
  switch (mode) {
    case 1:
      block[3] = record.Lighting1Direction[1];
      length = 3;
      break;
    case 2: {
      std::size_t count = 0;
      for (std::size_t k = 0; k < 7; ++k) {
        if (selected[k] == 0 || colours[k] == 0) continue;  // black colours are left out
        PutColour(&block[4 + 3 * count], colours[k]);
        ++count;
      }
      block[3] = static_cast<std::uint8_t>(count);
      length = 3 + 3 * count;
      break;
    }
    case 3:
      PutColour(&block[3], colours[0]);
      length = 5;
      break;
    case 6:
      // Places do not move: an unselected colour leaves its three bytes zero.
      for (std::size_t k = 0; k < 7; ++k) {
        if (selected[k] != 0) PutColour(&block[3 + 3 * k], colours[k]);
      }
      length = 23;
      break;
    case 7:
      for (std::size_t k = 0; k < 2; ++k) {
        if (selected[k] != 0) PutColour(&block[3 + 3 * k], colours[k]);
      }
      length = 8;
      break;
    default:
      break;
  }
  block[0] = static_cast<std::uint8_t>(length);
  return block;
}

MacroEncoding EncodeMacroImage(const MacroKey& macro, std::uint8_t number) {
  MacroEncoding out;
  MacroImage& image = out.image;
  image[0] = 0x09;
  image[1] = kMacroCategory;
  image[2] = number;
  const std::size_t count = std::min<std::size_t>(macro.actionCount, kMaxMacroActions);
  for (std::size_t i = 0; i < count; ++i) {
    const MacroAction action = macro.actions[i];
    const auto code = static_cast<std::uint8_t>(action & 0xFF);
    if (code == kDelayCode) continue;
    if (out.events == kMaxSentMacroEvents) {
      ++out.droppedEvents;
      continue;
    }
    unsigned pause = 0;
    if (i + 1 < count && (macro.actions[i + 1] & 0xFF) == kDelayCode) {
      const MacroAction next = macro.actions[i + 1];
      pause = (((next >> 8) & 0xFF) << 16) | (((next >> 16) & 0xFF) << 8) | ((next >> 24) & 0xFF);
      pause = std::min(pause, 4095u);
    }
    const std::uint8_t mapped = DeviceCode(code);
    const auto parameter = static_cast<std::uint8_t>(action >> 24);
    unsigned type = 0;
    std::uint8_t eventCode = mapped;
    if (mapped < 0x91) {
      type = 3;
    } else if (mapped <= 0xE7) {
      type = 2;
      eventCode = static_cast<std::uint8_t>(1u << (mapped & 7));
    } else if (mapped >= 0xF0 && mapped <= 0xF4) {
      type = 1;
      eventCode = static_cast<std::uint8_t>(1u << (mapped & 7));
    } else if (mapped == 0xF5) {
      type = 4;
      eventCode = parameter;
    } else if (mapped == 0xF6) {
      type = 5;
      eventCode = parameter;
    } else if (mapped == 0xF7) {
      type = 6;
      eventCode = parameter;
    }
    const auto flags = static_cast<std::uint8_t>((action >> 8) & 0x80);
    std::uint8_t* event = &image[kMacroEventBytesOffset + 3 * out.events];
    event[0] = static_cast<std::uint8_t>(flags | ((pause >> 8) & 0x0F) | (type << 4));
    event[1] = static_cast<std::uint8_t>(pause & 0xFF);
    event[2] = eventCode;
    ++out.events;
  }
  // The count of events actually encoded, not the macro's stored command count: a copy read back from a
  // profile file carries no command count, and the mouse must get what the image holds.
  image[3] = static_cast<std::uint8_t>(out.events);
  return out;
}

Report KeyAssignmentFrame(const KeyImage& image, std::size_t position, SequenceCounter& sequence) {
  const std::uint8_t payload[] = {static_cast<std::uint8_t>(position), image[2 + 3 * position],
                                  image[3 + 3 * position], image[4 + 3 * position]};
  return BuildFrame(Command::kSetKeyAssignment, payload, sequence);
}

Report DpiStagesFrame(const DpiBlock& block, SequenceCounter& sequence) {
  return BuildFrame(Command::kSetDpiStages, block, sequence);
}

Report DpiColoursFrame(const DpiColours& colours, SequenceCounter& sequence) {
  return BuildFrame(Command::kSetDpiColours, colours, sequence);
}

Report PollingRateFrame(std::uint8_t interval, SequenceCounter& sequence) {
  return SingleByteFrame(Command::kSetPollingRate, interval, sequence);
}

Report LiftHeightFrame(std::uint8_t height, SequenceCounter& sequence) {
  const std::uint8_t payload[] = {height, 0x00};
  return BuildFrame(Command::kSetLiftHeight, payload, sequence);
}

Report DebounceFrame(std::uint8_t debounce, SequenceCounter& sequence) {
  return SingleByteFrame(Command::kSetDebounce, debounce, sequence);
}

Report LightingFrame(const LightingBlock& block, SequenceCounter& sequence) {
  return BuildFrame(Command::kSetLighting, std::span(block).subspan(1, block[0]), sequence);
}

Report PowerSavingFrame(const PowerImage& image, SequenceCounter& sequence) {
  return BuildFrame(Command::kSetPowerSaving, image, sequence);
}

Report MotionWakeFrame(std::uint8_t wake, SequenceCounter& sequence) {
  return SingleByteFrame(Command::kSetMotionWake, wake, sequence);
}

std::vector<Report> MacroPackets(const MacroImage& image, SequenceCounter& sequence) {
  const std::size_t eventBytes = std::min<std::size_t>(3u * image[3], kMaxMacroPackets * kMacroChunk);
  const std::size_t count = std::max<std::size_t>(1, (eventBytes + kMacroChunk - 1) / kMacroChunk);
  std::vector<Report> packets;
  packets.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t remaining = eventBytes - kMacroChunk * i;
    const auto length = static_cast<std::uint8_t>(remaining > kMacroChunk ? kMacroChunk + 1 : 1 + remaining);
    Report packet = BuildFrame(Command::kWriteMacro, static_cast<std::uint8_t>((i << 4) | count), length, sequence);
    packet[kPayloadOffset] = image[2];
    const std::size_t from = kMacroEventBytesOffset + kMacroChunk * i;
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(from), kMacroChunk, packet.begin() + kPayloadOffset + 1);
    packets.push_back(packet);
  }
  return packets;
}

}  // namespace pelrin

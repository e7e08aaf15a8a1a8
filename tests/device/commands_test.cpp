// Every command frame and payload, pinned by a golden table of one hex line per frame.
#include <gtest/gtest.h>


#include "device/encoding.h"
#include "device/frame.h"
#include "settings/profile_defaults.h"
#include "tests/device/golden.h"

namespace pelrin {
namespace {



constexpr MacroAction Press(std::uint8_t code) { return code; }
constexpr MacroAction Release(std::uint8_t code) { return code | 0x8000u; }
constexpr MacroAction Pause(unsigned ms) {
  return kDelayCode | (((ms >> 16) & 0xFF) << 8) | (((ms >> 8) & 0xFF) << 16) | ((ms & 0xFF) << 24);
}
constexpr MacroAction Move(std::uint8_t code, std::uint8_t amount) { return code | (static_cast<MacroAction>(amount) << 24); }

MacroKey MakeMacro(std::initializer_list<MacroAction> actions) {
  MacroKey macro;
  for (MacroAction a : actions) macro.actions[macro.actionCount++] = a;
  return macro;
}

// Nine events: a key stroke with a long pause (held to 4095 ms), a modifier, a click, both movements
// and the wheel.
MacroKey NineEventMacro() {
  return MakeMacro({Press(0x41), Pause(50), Release(0x41), Pause(5000), Press(0xA0), Release(0xA0), Press(0xE0),
                    Release(0xE0), Move(0xE5, 5), Move(0xE6, 0xFB), Move(0xE7, 0xFF)});
}

ProfileRecord WithLighting(std::uint8_t mode, void (*edit)(ProfileRecord&) = nullptr) {
  ProfileRecord record = DefaultProfileRecord(0, 0x3325);
  record.Lighting1ModeValue = {mode, 0, 0};
  if (edit != nullptr) edit(record);
  return record;
}

std::string AllCommandFrames() {
  GoldenWriter out;
  SequenceCounter seq;
  DpiTable table3325;
  BuildDpiTable(0x3325, table3325);
  const ProfileRecord defaults = DefaultProfileRecord(0, 0x3325);

  out.Case("key assignments of the default profile, positions 0 to 5 (3 and 4 exchanged)");
  const KeyImage keys = EncodeKeyImage(defaults);
  for (std::size_t p = 0; p < kDevicePositions; ++p) out.Frame(KeyAssignmentFrame(keys, p, seq));

  out.Case("slot 3 given 41 00 00 goes out as position 4");
  ProfileRecord slot3 = defaults;
  slot3.keyAssignments[3].value = {0x41, 0x00, 0x00};
  out.Frame(KeyAssignmentFrame(EncodeKeyImage(slot3), 4, seq));

  out.Case("DPI stages, sensor 0x3325 defaults: 5 stages, second active, codes index + 1");
  out.Frame(DpiStagesFrame(EncodeDpiBlock(defaults, table3325), seq));

  out.Case("DPI stages, sensor 0x3360, stages 1 3 5 enabled, third enabled active, codes = index");
  {
    DpiTable table;
    BuildDpiTable(0x3360, table);
    ProfileRecord r = defaults;
    r.DPIOffOnFlagValue = 0x15;
    r.CurrentDPILevelValue = 2;
    r.XYSetting = {3, 7, 15, 31, 120, 59, 59, 59};
    out.Frame(DpiStagesFrame(EncodeDpiBlock(r, table), seq));
  }

  out.Case("DPI stages, sensor 0x3104: indexes beyond the 48 entries send the last code (47)");
  {
    DpiTable table;
    BuildDpiTable(0x3104, table);
    ProfileRecord r = defaults;
    r.XYSetting = {4, 15, 0xFFFF, 48, 47, 58, 58, 50};
    out.Frame(DpiStagesFrame(EncodeDpiBlock(r, table), seq));
  }

  out.Case("DPI colours of the default profile");
  out.Frame(DpiColoursFrame(EncodeDpiColours(defaults), seq));

  out.Case("polling rate indexes 0, 1, 2, 3 and 7 (unknown means 1 ms)");
  for (std::uint8_t index : {0, 1, 2, 3, 7}) {
    ProfileRecord r = defaults;
    r.PollingRateValue[0] = index;
    out.Frame(PollingRateFrame(EncodePollingImage(r), seq));
  }

  out.Case("lift height \"1\", \"2\" and \"abc\" (anything but 1 means 2)");
  for (const char16_t* text : {u"1", u"2", u"abc"}) {
    ProfileRecord r = defaults;
    r.SetValue(kLiftDetectionHeight, text);
    out.Frame(LiftHeightFrame(EncodeLiftImage(r), seq));
  }

  out.Case("debounce \"12\" and \"0300\" (decimal, low byte: 0x2C)");
  for (const char16_t* text : {u"12", u"0300"}) {
    ProfileRecord r = defaults;
    r.SetValue(kKeyDebounce, text);
    out.Frame(DebounceFrame(EncodeDebounceImage(r), seq));
  }

  out.Case("power saving: sleep 10 minutes, lighting off while moving");
  {
    ProfileRecord r = defaults;
    r.SetValue(kPowerDownTime, u"10");
    r.SetValue(kMoveLightingOnOffMode, u"1");
    out.Frame(PowerSavingFrame(EncodePowerImage(r), seq));
  }

  out.Case("motion wake on, then off");
  out.Frame(MotionWakeFrame(EncodeMotionWakeImage(defaults), seq));
  {
    ProfileRecord r = defaults;
    r.SetValue(kMotionWakeup, u"0");
    out.Frame(MotionWakeFrame(EncodeMotionWakeImage(r), seq));
  }

  out.Case("lighting mode 0 (L = 2)");
  out.Frame(LightingFrame(EncodeLightingBlock(WithLighting(0)), seq));
  out.Case("lighting mode 1 of the defaults: direction byte");
  out.Frame(LightingFrame(EncodeLightingBlock(defaults), seq));
  out.Case("lighting mode 2 with all seven colours (L = 24)");
  out.Frame(LightingFrame(EncodeLightingBlock(WithLighting(2)), seq));
  out.Case("lighting mode 2 with 0 colours: all selected colours black (L = 3)");
  out.Frame(LightingFrame(EncodeLightingBlock(WithLighting(2, [](ProfileRecord& r) {
                                 r.Lighting1FixedColor[2].fill(0);
                               })),
                         seq));
  out.Case("lighting mode 2: colour 1 unselected, colour 3 black: five colours in order");
  out.Frame(LightingFrame(EncodeLightingBlock(WithLighting(2, [](ProfileRecord& r) {
                                 r.Lighting1ColorSelected[2][1] = 0;
                                 r.Lighting1FixedColor[2][3] = 0;
                               })),
                         seq));
  out.Case("lighting mode 3: one colour, brightness step 3");
  out.Frame(LightingFrame(EncodeLightingBlock(WithLighting(3)), seq));
  out.Case("lighting mode 6 with colour 2 unselected: its place stays zero");
  out.Frame(LightingFrame(EncodeLightingBlock(WithLighting(6, [](ProfileRecord& r) {
                                 r.Lighting1ColorSelected[6][2] = 0;
                               })),
                         seq));
  out.Case("lighting mode 7: two colour places");
  out.Frame(LightingFrame(EncodeLightingBlock(WithLighting(7)), seq));
  out.Case("lighting mode 9 with speed 20 (the low nibble keeps speed + 1 AND 0x0F)");
  out.Frame(LightingFrame(EncodeLightingBlock(WithLighting(9, [](ProfileRecord& r) { r.Lighting1Speed[9] = 20; })),
                         seq));
  out.Case("lighting mode 12: no settings, empty payload");
  out.Frame(LightingFrame(EncodeLightingBlock(WithLighting(12)), seq));

  out.Case("macro 1 with 9 events: two packets, lengths 26 and 3");
  for (const Report& packet : MacroPackets(EncodeMacroImage(NineEventMacro(), 1).image, seq)) {
    out.Frame(packet);
  }
  out.Case("macro 2 with no events: one packet, length 1");
  for (const Report& packet : MacroPackets(EncodeMacroImage(MacroKey{}, 2).image, seq)) {
    out.Frame(packet);
  }

  out.Case("factory reset");
  out.Frame(BuildFactoryResetFrame(seq));
  out.Case("status request: packet byte 0, no payload");
  out.Frame(BuildGetStatusFrame(seq));

  out.Case("sequence wraps from 255 to 0");
  seq.Reset(254);
  for (int i = 0; i < 3; ++i) out.Frame(BuildGetStatusFrame(seq));
  return out.text();
}

TEST(Commands, MatchGoldenTable) { ExpectGolden("commands.golden", AllCommandFrames()); }

TEST(Commands, FrameHeaderAndZeroFill) {
  SequenceCounter seq;
  const std::uint8_t payload[] = {7};
  const Report frame = BuildFrame(Command::kSetPollingRate, payload, seq);
  EXPECT_EQ(FormatReportHex(frame).substr(0, 23), "0C 01 07 00 01 01 01 07");
  EXPECT_EQ(seq.Peek(), 2);
  for (std::size_t i = 8; i < kReportSize; ++i) EXPECT_EQ(frame[i], 0) << i;
}

TEST(MacroImage, CutsLongMacrosToWhatFifteenPacketsCarry) {
  MacroKey macro;
  for (int i = 0; i < 168; ++i) macro.actions[macro.actionCount++] = (i % 2 == 0) ? Press(0x41) : Release(0x41);
  const MacroEncoding encoded = EncodeMacroImage(macro, 3);
  EXPECT_EQ(encoded.events, kMaxSentMacroEvents);
  EXPECT_EQ(encoded.droppedEvents, 168 - kMaxSentMacroEvents);
  EXPECT_EQ(encoded.image[3], kMaxSentMacroEvents);
  SequenceCounter seq;
  const std::vector<Report> packets = MacroPackets(encoded.image, seq);
  ASSERT_EQ(packets.size(), 15u);
  EXPECT_EQ(packets.back()[kPacketByte], 0xEF);
  EXPECT_EQ(packets.back()[kLengthByte], 26);
  // Nothing of the cut events is left in the image to differ from a shadow later.
  for (std::size_t i = kMacroEventBytesOffset + 3 * kMaxSentMacroEvents; i < kMacroImageSize; ++i) {
    EXPECT_EQ(encoded.image[i], 0) << i;
  }
}

TEST(MacroImage, EventCountComesFromTheActionsNotTheStoredCommandCount) {
  // A copy read back from a profile file has a command count of 0 whatever it holds.
  MacroKey macro = NineEventMacro();
  macro.commandCount = 0;
  EXPECT_EQ(EncodeMacroImage(macro, 1).image[3], 9);
  // A count beyond the action array (hand-edited file) walks the 336 actions there are.
  macro.actionCount = 400;
  EXPECT_EQ(EncodeMacroImage(macro, 1).events, kMaxSentMacroEvents);
}

}  // namespace
}  // namespace pelrin

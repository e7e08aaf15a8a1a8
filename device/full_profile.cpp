// Building and sending a whole profile.
#include "device/full_profile.h"

#include <algorithm>

#include "device/report_channel.h"
#include "device/sync.h"

namespace pelrin {
namespace {

// The numbering of a pass, run over one record outside any window.
class SingleRecordModel final : public SyncModel {
 public:
  SingleRecordModel(ProfileRecord& record, const DpiTable& table, const MacroLibrary& library)
      : record_(record), table_(table), library_(library) {}
  ProfileRecord& ActiveProfile() override { return record_; }
  const DpiTable& DpiTableInForce() const override { return table_; }
  const MacroLibrary& Library() const override { return library_; }

 private:
  ProfileRecord& record_;
  const DpiTable& table_;
  const MacroLibrary& library_;
};

// A transport that is never open: numbering needs a channel but sends nothing.
class NoTransport final : public FeatureTransport {
 public:
  bool IsFeatureOpen(DeviceKind) const override { return false; }
  bool SetFeatureReport(DeviceKind, const Report&) override { return false; }
  bool GetFeatureReport(DeviceKind, Report&) override { return false; }
};

}  // namespace

FullProfileFrames BuildFullProfileFrames(ProfileRecord& record, const DpiTable& table, const MacroLibrary& library,
                                         SequenceCounter& sequence) {
  {
    NoTransport none;
    ManualClock clock;
    ReportChannel channel(none, clock);
    SingleRecordModel model(record, table, library);
    SettingsSync(channel, model).NumberMacros();
  }
  FullProfileFrames out;
  std::vector<Report>& frames = out.frames;
  const KeyImage keys = EncodeKeyImage(record);
  for (std::size_t p = 0; p < kDevicePositions; ++p) frames.push_back(KeyAssignmentFrame(keys, p, sequence));
  frames.push_back(DpiStagesFrame(EncodeDpiBlock(record, table), sequence));
  frames.push_back(DpiColoursFrame(EncodeDpiColours(record), sequence));
  frames.push_back(PollingRateFrame(EncodePollingImage(record), sequence));
  frames.push_back(LiftHeightFrame(EncodeLiftImage(record), sequence));
  frames.push_back(DebounceFrame(EncodeDebounceImage(record), sequence));
  frames.push_back(LightingFrame(EncodeLightingBlock(record), sequence));
  frames.push_back(PowerSavingFrame(EncodePowerImage(record), sequence));
  frames.push_back(MotionWakeFrame(EncodeMotionWakeImage(record), sequence));
  std::array<bool, kMacroNumbers> sent{};
  for (const KeyAssignment& slot : record.keyAssignments) {
    if (slot.value[0] != kMacroCategory) continue;
    const std::size_t number = slot.value[1] & 0x0F;
    if (sent[number]) continue;
    sent[number] = true;
    const MacroEncoding encoded = EncodeMacroImage(slot.macro, static_cast<std::uint8_t>(number));
    out.droppedMacroEvents += encoded.droppedEvents;
    const std::vector<Report> packets = MacroPackets(encoded.image, sequence);
    frames.insert(frames.end(), packets.begin(), packets.end());
  }
  return out;
}

bool SendFrames(FeatureTransport& transport, Clock& clock, const std::vector<Report>& frames) {
  ReportChannel channel(transport, clock);
  if (!channel.HasWriteHandle()) return false;
  for (const Report& frame : frames) channel.SendConfigurationFrame(frame);
  return true;
}

}  // namespace pelrin

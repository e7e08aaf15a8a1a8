// The synchronisation pass and its encoders.
#include "device/sync.h"

#include <algorithm>
#include <vector>

#include "settings/language.h"

namespace pelrin {
namespace {

template <typename Image>
bool CopyIfDifferent(const Image& fresh, Image& shadow) {
  if (fresh == shadow) return false;
  shadow = fresh;
  return true;
}

}  // namespace

SyncOutcome SettingsSync::SyncSettings(bool windowShown) {
  SyncOutcome outcome;
  // The program is ending after the last device went away.
  if (!windowShown) return outcome;
  outcome.ran = true;
  written_ = false;
  droppedMacroEvents_ = 0;
  NumberMacros();
  if (pending_ & kKeysChanged) WriteKeyAssignments();
  if (pending_ & kSettingsChanged) WriteSettingsGroup();
  if (pending_ & kPowerChanged) WritePowerSaving();
  if (pending_ & kMotionWakeChanged) WriteMotionWake();
  pending_ = 0;
  WriteMacros(true);
  outcome.written = written_;
  outcome.showProgress = written_ && !suppressProgress_;
  suppressProgress_ = false;
  outcome.armDeferredSave = true;
  outcome.refreshWindow = true;
  outcome.droppedMacroEvents = droppedMacroEvents_;
  return outcome;
}

void SettingsSync::PrimeShadows() {
  const ProfileRecord& record = model_.ActiveProfile();
  shadows_.keys = EncodeKeyImage(record);
  shadows_.dpi = EncodeDpiBlock(record, model_.DpiTableInForce());
  shadows_.dpiColours = EncodeDpiColours(record);
  shadows_.polling = EncodePollingImage(record);
  shadows_.lift = EncodeLiftImage(record);
  shadows_.debounce = EncodeDebounceImage(record);
  shadows_.lighting = EncodeLightingBlock(record);
  shadows_.power = EncodePowerImage(record);
  shadows_.motionWake = EncodeMotionWakeImage(record);
  NumberMacros();
  WriteMacros(false);
}

void SettingsSync::NumberMacros() {
  ProfileRecord& record = model_.ActiveProfile();
  const MacroLibrary& library = model_.Library();
  // Numbers are handed out afresh by every numbering: distinct macros get 1, 2, 3 ... in slot order.
  std::vector<std::pair<std::uint32_t, std::uint8_t>> numbered;
  std::uint8_t next = 1;
  for (KeyAssignment& slot : record.keyAssignments) {
    if (slot.value[0] != kMacroCategory) continue;
    const std::optional<MacroItemLocation> location = library.FindMacroByIndex(slot.macroIndex);
    const MacroItem* item = location ? &library.Item(*location) : nullptr;
    if (item == nullptr || !item->IsMacro()) {
      slot.name = LanguageEntry(kDisabledButtonNameEntry);
      slot.value = {0x00, 0x00, 0x00};
      continue;
    }
    auto found = std::find_if(numbered.begin(), numbered.end(),
                              [&](const auto& entry) { return entry.first == slot.macroIndex; });
    if (found == numbered.end()) {
      numbered.emplace_back(slot.macroIndex, next++);
      found = numbered.end() - 1;
    }
    const MacroKey& macro = *item->macro;
    if (refreshMacroCopies_) CopyMacroKey(slot.macro, macro);
    slot.value = {kMacroCategory, static_cast<std::uint8_t>((found->second & 0x0F) | (macro.loopType << 4)),
                  static_cast<std::uint8_t>(macro.loopType == kLoopTypeCounted ? macro.loopCount : 0)};
  }
  refreshMacroCopies_ = false;
}

void SettingsSync::WriteKeyAssignments() {
  // Without a device the shadow keeps what was last written, so the pass after a connection writes the
  // difference.
  if (!channel_.HasWriteHandle()) return;
  const KeyImage fresh = EncodeKeyImage(model_.ActiveProfile());
  std::array<bool, kDevicePositions> changed{};
  for (std::size_t i = 2; i < kKeyImageSize; ++i) {
    if (fresh[i] != shadows_.keys[i]) changed[(i - 2) / 3] = true;
  }
  shadows_.keys = fresh;
  for (std::size_t p = 0; p < kDevicePositions; ++p) {
    if (changed[p]) {
      channel_.SendFrame(KeyAssignmentFrame(fresh, p, channel_.sequence()));
      written_ = true;
    }
    // The mouse needs the pause after each position whether or not it was written.
    channel_.Wait(kFramePause);
  }
}

void SettingsSync::WriteSettingsGroup() {
  if (!channel_.HasWriteHandle()) return;
  const ProfileRecord& record = model_.ActiveProfile();
  const std::uint8_t polling = EncodePollingImage(record);
  const bool sendPolling = CopyIfDifferent(polling, shadows_.polling);
  const std::uint8_t lift = EncodeLiftImage(record);
  const bool sendLift = CopyIfDifferent(lift, shadows_.lift);
  const std::uint8_t debounce = EncodeDebounceImage(record);
  const bool sendDebounce = CopyIfDifferent(debounce, shadows_.debounce);

  const DpiBlock dpi = EncodeDpiBlock(record, model_.DpiTableInForce());
  const bool sendDpi = !std::equal(dpi.begin(), dpi.begin() + kDpiBlockCompared, shadows_.dpi.begin());
  std::copy(dpi.begin(), dpi.begin() + kDpiBlockCompared, shadows_.dpi.begin());
  const DpiColours colours = EncodeDpiColours(record);
  const bool sendColours = CopyIfDifferent(colours, shadows_.dpiColours);
  // Only bytes 0 to L of the new image count: a shorter block after a longer one ignores the old tail.
  const LightingBlock lighting = EncodeLightingBlock(record);
  const auto lightingEnd = lighting.begin() + 1 + lighting[0];
  const bool sendLighting = !std::equal(lighting.begin(), lightingEnd, shadows_.lighting.begin());
  std::copy(lighting.begin(), lightingEnd, shadows_.lighting.begin());

  SequenceCounter& seq = channel_.sequence();
  auto send = [&](bool due, auto&& build) {
    if (!due) return;
    channel_.SendConfigurationFrame(build());
    written_ = true;
  };
  send(sendDpi, [&] { return DpiStagesFrame(dpi, seq); });
  send(sendColours, [&] { return DpiColoursFrame(colours, seq); });
  send(sendPolling, [&] { return PollingRateFrame(polling, seq); });
  send(sendLift, [&] { return LiftHeightFrame(lift, seq); });
  send(sendDebounce, [&] { return DebounceFrame(debounce, seq); });
  send(sendLighting, [&] { return LightingFrame(lighting, seq); });
}

void SettingsSync::WritePowerSaving() {
  if (!channel_.HasWriteHandle()) return;
  const PowerImage power = EncodePowerImage(model_.ActiveProfile());
  if (!CopyIfDifferent(power, shadows_.power)) return;
  channel_.SendConfigurationFrame(PowerSavingFrame(power, channel_.sequence()));
  written_ = true;
}

void SettingsSync::WriteMotionWake() {
  if (!channel_.HasWriteHandle()) return;
  const std::uint8_t wake = EncodeMotionWakeImage(model_.ActiveProfile());
  if (!CopyIfDifferent(wake, shadows_.motionWake)) return;
  channel_.SendConfigurationFrame(MotionWakeFrame(wake, channel_.sequence()));
  written_ = true;
}

void SettingsSync::WriteMacros(bool send) {
  const ProfileRecord& record = model_.ActiveProfile();
  // Without a device a macro's shadow is left as it was, so the macro is still written once one arrives.
  const bool canSend = send && channel_.HasWriteHandle();
  for (const KeyAssignment& slot : record.keyAssignments) {
    if (slot.value[0] != kMacroCategory) continue;
    const auto number = static_cast<std::uint8_t>(slot.value[1] & 0x0F);
    const MacroEncoding encoded = EncodeMacroImage(slot.macro, number);
    droppedMacroEvents_ += encoded.droppedEvents;
    if (!send || canSend) {
      const bool differs = CopyIfDifferent(encoded.image, shadows_.macros[number]);
      if (canSend && differs) {
        for (const Report& packet : MacroPackets(encoded.image, channel_.sequence())) {
          channel_.SendConfigurationFrame(packet);
        }
        written_ = true;
      }
    }
    // Priming sends nothing, so it has nothing to pace.
    if (send) channel_.Wait(kFramePause);
  }
}

}  // namespace pelrin

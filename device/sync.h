// Settings synchronisation: shadow images of what the mouse holds, and the pass that writes only the
// groups whose freshly encoded image differs from its shadow.
#pragma once

#include <array>
#include <cstdint>

#include "device/encoding.h"
#include "device/report_channel.h"
#include "macros/macro_library.h"
#include "settings/dpi_table.h"
#include "settings/profile_record.h"

namespace pelrin {

// Change flags: the first four select the groups a pass encodes; kSystemChanged only arms the pass (for
// settings the mouse does not hold). Every pass clears all five.
enum SyncFlag : unsigned {
  kKeysChanged = 1u << 0,
  kSettingsChanged = 1u << 1,
  kPowerChanged = 1u << 2,
  kMotionWakeChanged = 1u << 3,
  kSystemChanged = 1u << 4,
};

// A burst of changes leads to one pass this long after the last of them.
inline constexpr Milliseconds kSyncDelay{20};
// The settings and profile files are written this long after the last pass.
inline constexpr Milliseconds kDeferredSaveDelay{10000};
inline constexpr int kDisabledButtonNameEntry = 34;

// Implemented by the main window: MarkChanged on its SettingsSync, then (re)start its 20 ms pass timer.
// Every handler that changes a setting the mouse holds calls it.
class SyncRequester {
 public:
  virtual ~SyncRequester() = default;
  virtual void RequestSync(unsigned flags) = 0;
};

// What a pass reads: the active profile (asked for afresh by every encoder, as the current slot may have
// changed), the DPI table of the sensor in force and the macro library.
class SyncModel {
 public:
  virtual ~SyncModel() = default;
  virtual ProfileRecord& ActiveProfile() = 0;
  virtual const DpiTable& DpiTableInForce() const = 0;
  virtual const MacroLibrary& Library() const = 0;
};

// What the window does after a pass.
struct SyncOutcome {
  bool ran = false;            // false when the window was no longer shown: nothing done, flags kept
  bool written = false;        // at least one image differed and was sent
  bool showProgress = false;   // set the connection poll counter to 0 and show the progress window
  bool armDeferredSave = false;  // (re)start the deferred save, kDeferredSaveDelay from now
  bool refreshWindow = false;  // refresh the window from the active profile
  std::size_t droppedMacroEvents = 0;  // events cut from macros longer than one macro transfer carries
};

struct DeviceShadows {
  KeyImage keys{};
  DpiBlock dpi{};
  DpiColours dpiColours{};
  std::uint8_t polling = 0;
  std::uint8_t lift = 0;
  std::uint8_t debounce = 0;
  LightingBlock lighting{};
  PowerImage power{};
  std::uint8_t motionWake = 0;
  std::array<MacroImage, kMacroNumbers> macros{};

  friend bool operator==(const DeviceShadows&, const DeviceShadows&) = default;
};

// Main thread only: passes and priming never interleave with each other or with changes to the records.
class SettingsSync {
 public:
  SettingsSync(ReportChannel& channel, SyncModel& model) : channel_(channel), model_(model) {}

  void MarkChanged(unsigned flags) { pending_ |= flags; }
  unsigned pending() const { return pending_; }
  // The next pass shows no progress window (discovery's pass after a connection).
  void SuppressProgressOnce() { suppressProgress_ = true; }
  // The next numbering copies each bound macro afresh from the library (after the macro manager closed).
  void RefreshMacroCopiesOnNextNumbering() { refreshMacroCopies_ = true; }

  // One pass: number the macros, write the flagged groups, clear the flags, write changed macros.
  SyncOutcome SyncSettings(bool windowShown = true);
  // Sets every shadow from the active profile without sending: the mouse is taken to hold it.
  void PrimeShadows();

  // The steps of a pass; SyncSettings and PrimeShadows call them in their order.
  void NumberMacros();
  void WriteKeyAssignments();
  void WriteSettingsGroup();
  void WritePowerSaving();
  void WriteMotionWake();
  void WriteMacros(bool send);

  const DeviceShadows& shadows() const { return shadows_; }
  bool written() const { return written_; }

 private:
  ReportChannel& channel_;
  SyncModel& model_;
  DeviceShadows shadows_;
  unsigned pending_ = 0;
  bool written_ = false;
  bool suppressProgress_ = false;
  bool refreshMacroCopies_ = false;
  std::size_t droppedMacroEvents_ = 0;
};

}  // namespace pelrin

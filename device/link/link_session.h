// LinkSession: the device link with its owner's timers, synchronisation and status handling, without a
// window. pelrinctl runs on it, and the link's end-to-end tests drive it.
#pragma once

#include <functional>
#include <optional>

#include "device/clock.h"
#include "device/link/device_link.h"
#include "device/report_channel.h"
#include "device/status.h"
#include "device/sync.h"

namespace pelrin::device {

inline constexpr Milliseconds kConnectionTimerPeriod{1000};

// What a session's user hears about; every callback runs on the session's (main) thread.
struct SessionEvents {
  // A change made with the mouse's buttons, after it was stored in the active profile.
  std::function<void(const ButtonChange&)> buttonChange;
  // A status reply was taken over (battery; sensorSwitched when the settings were rewritten for another sensor).
  std::function<void(const BatteryStatus&, const StatusEffects&)> status;
  // A synchronisation pass ran.
  std::function<void(const SyncOutcome&)> pass;
  // The deferred save is due: write the settings file and the five profiles.
  std::function<void()> save;
  // The last device was unplugged.
  std::function<void()> lastDeviceRemoved;
};

class LinkSession final : private DeviceLinkHost, private DeviceChangeView {
 public:
  // Everything passed in must outlive the session.
  LinkSession(hid::HidBackend& backend, Clock& clock, SyncModel& model, SensorSettings& sensor,
              SessionEvents events = {});
  ~LinkSession() override;

  // What the main window does at start: register, prime the shadows from the active profile, discover,
  // and ask a connected mouse for its status. Without `prime` the shadows stay as they are (primed by
  // the caller, or empty).
  void Start(bool prime = true);

  // Runs what is due: the synchronisation pass (20 ms after the last request), the connection timer
  // (every second once a device was found) and the deferred save.
  void RunDueTimers();
  // Handles plug events and input changes that are waiting, then runs due timers; waits at most
  // `limit` (and never past the next timer) for something to happen. Returns true when `wakeFd`
  // (optional, -1 for none) became readable.
  bool WaitAndDispatch(Milliseconds limit, int wakeFd = -1);
  // Runs a pending pass and a pending save now (before a short-lived program exits).
  void Flush();

  // Marks groups changed and runs the pass 20 ms later, like every settings handler.
  void RequestSync(unsigned flags);

  DeviceLink& link() { return link_; }
  ReportChannel& channel() { return channel_; }
  SettingsSync& sync() { return sync_; }
  const BatteryStatus& battery() const { return battery_; }
  bool ended() const { return ended_; }
  bool syncPending() const { return syncDue_.has_value(); }

 private:
  // DeviceLinkHost
  void RequestDiscoverySync() override;
  void StartConnectionTimer() override;
  void QueryStatus() override;
  void ShowBattery() override;
  void RefreshWindow() override {}
  void LastDeviceRemoved() override;
  void HandleInputChange(const InputChange& change) override;
  // DeviceChangeView
  void ShowOnScreenDisplay() override {}
  void RefreshFromActiveProfile() override {}

  void RunPass();

  Clock& clock_;
  SyncModel& model_;
  SensorSettings& sensor_;
  SessionEvents events_;
  DeviceLink link_;
  ReportChannel channel_;
  SettingsSync sync_;
  hid::HidBackend& backend_;
  BatteryStatus battery_;
  std::optional<Microseconds> syncDue_;
  std::optional<Microseconds> tickDue_;
  std::optional<Microseconds> saveDue_;
  bool ended_ = false;
};

}  // namespace pelrin::device

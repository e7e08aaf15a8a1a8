// The window's timers and hand-overs around the device link, for programs without a window.
#include "device/link/link_session.h"

#include <poll.h>

#include <algorithm>
#include <array>

namespace pelrin::device {

LinkSession::LinkSession(hid::HidBackend& backend, Clock& clock, SyncModel& model, SensorSettings& sensor,
                         SessionEvents events)
    : clock_(clock), model_(model), sensor_(sensor), events_(std::move(events)), link_(backend, *this),
      channel_(link_, clock), sync_(channel_, model), backend_(backend) {}

LinkSession::~LinkSession() { link_.StopReaders(); }

void LinkSession::Start(bool prime) {
  link_.RegisterForDeviceChanges();
  // Events queued before the start describe what discovery finds anyway.
  backend_.TakeEvents();
  if (prime) sync_.PrimeShadows();
  link_.DiscoverDevices();
  if (link_.devicePresent != 0 && link_.queryOnConnect != 0) {
    link_.queryOnConnect = 0;
    QueryStatus();
  }
}

void LinkSession::RequestSync(unsigned flags) {
  sync_.MarkChanged(flags);
  syncDue_ = clock_.Now() + kSyncDelay;
}

void LinkSession::RequestDiscoverySync() {
  sync_.SuppressProgressOnce();
  RequestSync(kKeysChanged | kSettingsChanged | kPowerChanged);
}

void LinkSession::StartConnectionTimer() { tickDue_ = clock_.Now() + kConnectionTimerPeriod; }

void LinkSession::QueryStatus() {
  const std::optional<Report> reply = channel_.QueryStatus();
  if (!reply) return;
  const StatusEffects effects = HandleStatusReply(*reply, sensor_, battery_);
  if (effects.accepted && events_.status) events_.status(battery_, effects);
}

void LinkSession::ShowBattery() {
  // A level beyond 100 is shown as 0.
  if (battery_.level > 100) battery_.level = 0;
}

void LinkSession::LastDeviceRemoved() {
  ended_ = true;
  if (events_.lastDeviceRemoved) events_.lastDeviceRemoved();
}

void LinkSession::HandleInputChange(const InputChange& change) {
  Report report{};
  report[0] = 5;
  report[1] = 6;
  report[3] = change.pollingInterval;
  report[4] = change.activeStage;
  const std::optional<ButtonChange> decoded = DecodeInputReport(report);
  if (!decoded) return;
  HandleButtonChange(*decoded, model_.ActiveProfile(), *this, sync_);
  if (events_.buttonChange) events_.buttonChange(*decoded);
}

void LinkSession::RunPass() {
  syncDue_.reset();
  const SyncOutcome outcome = sync_.SyncSettings(!ended_);
  if (outcome.showProgress) link_.pollCounter = 0;
  if (outcome.armDeferredSave) saveDue_ = clock_.Now() + kDeferredSaveDelay;
  if (events_.pass) events_.pass(outcome);
}

void LinkSession::RunDueTimers() {
  const Microseconds now = clock_.Now();
  if (syncDue_ && *syncDue_ <= now) RunPass();
  if (tickDue_ && *tickDue_ <= now) {
    // Fixed rate; after a long block (a pass with pauses) it does not try to catch up.
    tickDue_ = std::max(*tickDue_ + kConnectionTimerPeriod, now);
    link_.ConnectionTick();
  }
  if (saveDue_ && *saveDue_ <= clock_.Now()) {
    saveDue_.reset();
    if (events_.save) events_.save();
  }
}

bool LinkSession::WaitAndDispatch(Milliseconds limit, int wakeFd) {
  Microseconds wait = limit;
  for (const auto& due : {syncDue_, tickDue_, saveDue_}) {
    if (due) wait = std::min(wait, std::max(Microseconds{0}, *due - clock_.Now()));
  }
  std::array<pollfd, 3> fds{{{backend_.EventFd(), POLLIN, 0}, {link_.InputChangeFd(), POLLIN, 0}, {wakeFd, POLLIN, 0}}};
  const int timeout = static_cast<int>((wait.count() + 999) / 1000);
  bool woken = false;
  if (poll(fds.data(), fds.size(), timeout) > 0) {
    if ((fds[0].revents & POLLIN) != 0) link_.HandleDeviceEvents();
    if ((fds[1].revents & POLLIN) != 0) link_.DispatchInputChanges();
    woken = (fds[2].revents & POLLIN) != 0;
  }
  // A backend without a descriptor is asked each round.
  if (backend_.EventFd() < 0) link_.HandleDeviceEvents();
  RunDueTimers();
  return woken;
}

void LinkSession::Flush() {
  if (syncDue_) RunPass();
  if (saveDue_) {
    saveDue_.reset();
    if (events_.save) events_.save();
  }
}

}  // namespace pelrin::device

// The simulated mouse's HID interfaces: enumeration, handles, plugging and input delivery.
#include "device/hid/simulated_backend.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <utility>

#include "device/hid/report_descriptor.h"

namespace pelrin::hid {
namespace {

constexpr std::uint16_t kMouseVendor = 0x248A;
constexpr std::uint16_t kWiredProduct = 0x5B2E;
constexpr std::uint16_t kReceiverProduct = 0x5B2F;
constexpr std::uint16_t kUnrelatedVendor = 0x046D;
constexpr std::uint16_t kUnrelatedProduct = 0xC31C;

// Five buttons, X and Y as 16 bits, a wheel: 48 bits, no report ids.
const std::vector<std::uint8_t> kBootMouse = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19, 0x01, 0x29, 0x05,
    0x15, 0x00, 0x25, 0x01, 0x95, 0x05, 0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x03, 0x81, 0x01,
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x16, 0x01, 0x80, 0x26, 0xFF, 0x7F, 0x75, 0x10, 0x95, 0x02,
    0x81, 0x06, 0x09, 0x38, 0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x01, 0x81, 0x06, 0xC0, 0xC0};
// Boot keyboard: 8 modifier bits, a reserved byte, six key codes; five LEDs out.
const std::vector<std::uint8_t> kKeyboard = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01,
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x95, 0x01, 0x75, 0x08, 0x81, 0x01, 0x95, 0x05, 0x75, 0x01,
    0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x91, 0x02, 0x95, 0x01, 0x75, 0x03, 0x91, 0x01, 0x95, 0x06,
    0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x81, 0x00, 0xC0};
// Vendor page: input report 5 and feature report 0x0C, 32 data bytes each.
const std::vector<std::uint8_t> kVendorInputAndFeature = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x05, 0x09, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00,
    0x75, 0x08, 0x95, 0x20, 0x81, 0x02, 0x85, 0x0C, 0x09, 0x02, 0x95, 0x20, 0xB1, 0x02, 0xC0};
// Vendor page: feature report 0x0C only.
const std::vector<std::uint8_t> kVendorFeature = {
    0x06, 0x00, 0xFF, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x0C, 0x09, 0x03, 0x15, 0x00, 0x26, 0xFF, 0x00,
    0x75, 0x08, 0x95, 0x20, 0xB1, 0x02, 0xC0};

// The interface of the mouse's devices that input reports arrive on (see SimulatedDescriptors).
constexpr std::size_t kInputInterface = 2;

}  // namespace

std::vector<std::vector<std::uint8_t>> SimulatedDescriptors(SimulatedDevice device) {
  if (device == SimulatedDevice::kUnrelated) return {kKeyboard};
  return {kBootMouse, kKeyboard, kVendorInputAndFeature, kVendorFeature};
}

// One open handle's view of an interface: its own input queue, as every hidraw file gets its copy.
struct HandleState {
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::vector<std::uint8_t>> reports;
  bool broken = false;
  bool woken = false;
};

struct SimulatedBackend::Interface {
  HidInterfaceInfo info;
  SimulatedDevice device = SimulatedDevice::kUnrelated;
  std::size_t position = 0;  // within its device
  std::atomic<bool> gone{false};
  std::mutex handlesMutex;
  std::vector<std::weak_ptr<HandleState>> handles;

  void ForEachHandle(auto&& action) {
    std::lock_guard lock(handlesMutex);
    std::erase_if(handles, [](const auto& weak) { return weak.expired(); });
    for (const auto& weak : handles) {
      if (auto handle = weak.lock()) {
        std::lock_guard handleLock(handle->mutex);
        action(*handle);
        handle->changed.notify_all();
      }
    }
  }
};

namespace {

class SimulatedHandle final : public HidDevice {
 public:
  SimulatedHandle(std::shared_ptr<SimulatedBackend::Interface> iface, SimulatedFirmware* firmware,
                  std::shared_ptr<SimulatedBackend::Counters> counters)
      : interface_(std::move(iface)), firmware_(firmware), counters_(std::move(counters)),
        state_(std::make_shared<HandleState>()) {
    std::lock_guard lock(interface_->handlesMutex);
    interface_->handles.push_back(state_);
    ++counters_->openHandles;
  }
  ~SimulatedHandle() override { --counters_->openHandles; }

  HidInterfaceInfo Info() override {
    if (interface_->gone) return {};
    return interface_->info;
  }

  bool SendFeatureReport(std::span<const std::uint8_t> report) override {
    if (!CanTransfer(report.size())) return false;
    return firmware_ == nullptr || firmware_->SetFeature(interface_->device, report);
  }

  bool GetFeatureReport(std::span<std::uint8_t> report) override {
    if (!CanTransfer(report.size())) return false;
    if (firmware_ != nullptr) return firmware_->GetFeature(interface_->device, report);
    std::fill(report.begin() + 1, report.end(), std::uint8_t{0});
    return true;
  }

  ReadResult ReadInputReport(std::span<std::uint8_t> buffer) override {
    std::unique_lock lock(state_->mutex);
    ++counters_->blockedReaders;
    state_->changed.wait(lock, [&] {
      return state_->broken || state_->woken || interface_->gone || !state_->reports.empty();
    });
    --counters_->blockedReaders;
    if (state_->broken || interface_->gone) return {};
    if (state_->woken) {
      state_->woken = false;
      return {ReadStatus::kWoken, 0};
    }
    const std::vector<std::uint8_t> report = std::move(state_->reports.front());
    state_->reports.pop_front();
    const std::size_t length = std::min(report.size(), buffer.size());
    std::copy_n(report.begin(), length, buffer.begin());
    return {ReadStatus::kReport, length};
  }

  void WakeReader() override {
    std::lock_guard lock(state_->mutex);
    state_->woken = true;
    state_->changed.notify_all();
  }

 private:
  bool CanTransfer(std::size_t size) {
    if (interface_->gone) return false;
    std::lock_guard lock(state_->mutex);
    return !state_->broken && size != 0 && size == interface_->info.featureReportLength;
  }

  std::shared_ptr<SimulatedBackend::Interface> interface_;
  SimulatedFirmware* firmware_;
  std::shared_ptr<SimulatedBackend::Counters> counters_;
  std::shared_ptr<HandleState> state_;
};

void SignalEvent(int fd) {
  const std::uint64_t one = 1;
  [[maybe_unused]] auto ignored = write(fd, &one, sizeof one);
}

}  // namespace

SimulatedBackend::SimulatedBackend(SimulatedFirmware* firmware)
    : firmware_(firmware), eventFd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
      counters_(std::make_shared<Counters>()) {}

SimulatedBackend::~SimulatedBackend() {
  if (eventFd_ >= 0) close(eventFd_);
}

void SimulatedBackend::Plug(SimulatedDevice device) {
  std::lock_guard lock(mutex_);
  const bool present = std::any_of(interfaces_.begin(), interfaces_.end(),
                                   [&](const auto& iface) { return iface->device == device; });
  if (present) return;
  const auto descriptors = SimulatedDescriptors(device);
  for (std::size_t position = 0; position < descriptors.size(); ++position) {
    auto iface = std::make_shared<Interface>();
    iface->device = device;
    iface->position = position;
    iface->info.path = "/dev/sim-hidraw" + std::to_string(nextNode_++);
    iface->info.vendorId = device == SimulatedDevice::kUnrelated ? kUnrelatedVendor : kMouseVendor;
    iface->info.productId = device == SimulatedDevice::kWired      ? kWiredProduct
                            : device == SimulatedDevice::kReceiver ? kReceiverProduct
                                                                   : kUnrelatedProduct;
    const ReportLengths lengths = ParseReportLengths(descriptors[position]);
    iface->info.inputReportLength = lengths.input;
    iface->info.featureReportLength = lengths.feature;
    events_.push_back({HidEvent::Kind::kArrival, iface->info.path});
    interfaces_.push_back(std::move(iface));
  }
  SignalEvent(eventFd_);
}

void SimulatedBackend::Unplug(SimulatedDevice device) {
  std::vector<std::shared_ptr<Interface>> removed;
  {
    std::lock_guard lock(mutex_);
    for (auto it = interfaces_.begin(); it != interfaces_.end();) {
      if ((*it)->device == device) {
        removed.push_back(*it);
        events_.push_back({HidEvent::Kind::kRemoval, (*it)->info.path});
        it = interfaces_.erase(it);
      } else {
        ++it;
      }
    }
    if (!removed.empty()) SignalEvent(eventFd_);
  }
  for (auto& iface : removed) {
    iface->gone = true;
    iface->ForEachHandle([](HandleState&) {});
  }
}

bool SimulatedBackend::IsPlugged(SimulatedDevice device) const {
  std::lock_guard lock(mutex_);
  return std::any_of(interfaces_.begin(), interfaces_.end(),
                     [&](const auto& iface) { return iface->device == device; });
}

bool SimulatedBackend::SendInputReport(SimulatedDevice device, std::span<const std::uint8_t> report) {
  std::shared_ptr<Interface> target;
  {
    std::lock_guard lock(mutex_);
    for (const auto& iface : interfaces_) {
      if (iface->device == device && iface->position == kInputInterface) target = iface;
    }
  }
  if (!target) return false;
  target->ForEachHandle([&](HandleState& handle) { handle.reports.emplace_back(report.begin(), report.end()); });
  return true;
}

void SimulatedBackend::BreakInputHandles(SimulatedDevice device) {
  std::shared_ptr<Interface> target;
  {
    std::lock_guard lock(mutex_);
    for (const auto& iface : interfaces_) {
      if (iface->device == device && iface->position == kInputInterface) target = iface;
    }
  }
  if (target) target->ForEachHandle([](HandleState& handle) { handle.broken = true; });
}

void SimulatedBackend::DenyOpen(bool deny) {
  std::lock_guard lock(mutex_);
  denyOpen_ = deny;
}

int SimulatedBackend::OpenHandles() const { return counters_->openHandles; }
int SimulatedBackend::BlockedReaders() const { return counters_->blockedReaders; }

std::vector<HidInterfaceInfo> SimulatedBackend::Enumerate() {
  std::lock_guard lock(mutex_);
  std::vector<HidInterfaceInfo> result;
  result.reserve(interfaces_.size());
  for (const auto& iface : interfaces_) result.push_back(iface->info);
  return result;
}

OpenResult SimulatedBackend::Open(const std::string& path) {
  std::lock_guard lock(mutex_);
  for (const auto& iface : interfaces_) {
    if (iface->info.path != path) continue;
    if (denyOpen_ && iface->device != SimulatedDevice::kUnrelated) return {nullptr, EACCES};
    return {std::make_unique<SimulatedHandle>(iface, firmware_, counters_), 0};
  }
  return {nullptr, ENOENT};
}

int SimulatedBackend::EventFd() { return eventFd_; }

std::vector<HidEvent> SimulatedBackend::TakeEvents() {
  std::lock_guard lock(mutex_);
  std::uint64_t count = 0;
  [[maybe_unused]] auto ignored = read(eventFd_, &count, sizeof count);
  return std::exchange(events_, {});
}

}  // namespace pelrin::hid

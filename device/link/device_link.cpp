// Discovery, connection upkeep and the reader threads of the mouse's two devices.
#include "device/link/device_link.h"

#include <pthread.h>
#include <sched.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <vector>

#include "settings/text.h"

namespace pelrin::device {
namespace {

constexpr std::uint8_t kInputReportId = 5;
constexpr std::uint8_t kChangeReportType = 6;

bool IsMouse(const hid::HidInterfaceInfo& info) {
  return info.vendorId == kMouseVendorId &&
         (info.productId == kWiredProductId || info.productId == kReceiverProductId);
}

}  // namespace

void RaiseThreadPriority() {
  rlimit limit{};
  if (getrlimit(RLIMIT_RTPRIO, &limit) == 0 && limit.rlim_cur > 0) {
    sched_param param{};
    param.sched_priority = static_cast<int>(
        std::min<rlim_t>(limit.rlim_cur, static_cast<rlim_t>(sched_get_priority_max(SCHED_FIFO))));
    if (pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0) return;
  }
  // RLIMIT_NICE's soft limit r allows a nice value down to 20 - r; only ever lower ours.
  if (getrlimit(RLIMIT_NICE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
    const int lowest = 20 - static_cast<int>(std::min<rlim_t>(limit.rlim_cur, 40));
    const auto tid = static_cast<id_t>(syscall(SYS_gettid));
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, tid);
    if (errno == 0 && lowest < current) setpriority(PRIO_PROCESS, tid, lowest);
  }
}

DeviceLink::DeviceLink(hid::HidBackend& backend, DeviceLinkHost& host)
    : backend_(backend), host_(host), changeFd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

DeviceLink::~DeviceLink() {
  StopReaders();
  wiredFeatureHandle.reset();
  receiverFeatureHandle.reset();
  if (changeFd_ >= 0) close(changeFd_);
}

DeviceLink::DeviceFields DeviceLink::Fields(DeviceKind device) {
  if (device == DeviceKind::kWired) {
    return {wiredPresent, wiredFeatureIndex, wiredInputIndex, wiredFeatureHandle, wiredFeaturePath,
            wiredReader_, kWiredProductId, device};
  }
  return {receiverPresent, receiverFeatureIndex, receiverInputIndex, receiverFeatureHandle,
          receiverFeaturePath, receiverReader_, kReceiverProductId, device};
}

void DeviceLink::RegisterForDeviceChanges() {
  // Readers still running belong to an earlier registration; they must not outlive their flags.
  StopReaders();
  wiredFeatureHandle.reset();
  receiverFeatureHandle.reset();
  queryOnConnect = 1;
}

void DeviceLink::ProbeInterface(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= listing_.size()) return;
  const hid::HidInterfaceInfo& listed = listing_[static_cast<std::size_t>(index)];
  hid::OpenResult opened = backend_.Open(listed.path);
  if (!opened.device) {
    if (IsMouse(listed)) unopenable_.push_back({listed.path, listed.productId, opened.error});
    return;
  }
  // The open handle decides, not the listing: the node may have been reused since.
  const hid::HidInterfaceInfo info = opened.device->Info();
  if (info.vendorId != kMouseVendorId) return;
  for (DeviceKind device : {DeviceKind::kWired, DeviceKind::kReceiver}) {
    DeviceFields fields = Fields(device);
    if (info.productId != fields.productId) continue;
    const std::u16string path = FromUtf8(listed.path);
    if (info.inputReportLength == kMouseReportLength) {
      std::lock_guard lock(fields.reader.mutex);
      if (fields.reader.inputPath.empty()) {
        fields.inputIndex = index;
        fields.reader.inputPath = path;
      }
    } else if (info.featureReportLength == kMouseReportLength) {
      if (fields.featurePath.empty()) {
        fields.present = 1;
        fields.featureIndex = index;
        fields.featurePath = path;
      } else if (fields.featurePath == path) {
        fields.present = 1;
      }
    }
  }
}

void DeviceLink::DiscoverDevices() {
  devicePresent = 0;
  receiverPresent = 0;
  wiredPresent = 0;
  unopenable_.clear();
  listing_ = backend_.Enumerate();
  for (std::size_t i = 0; i < listing_.size(); ++i) ProbeInterface(static_cast<int>(i));
  listing_.clear();
  if (receiverPresent != 0 || wiredPresent != 0) devicePresent = 1;

  ConnectDevice(Fields(DeviceKind::kWired));
  ConnectDevice(Fields(DeviceKind::kReceiver));

  if (devicePresent != 0) host_.StartConnectionTimer();
  host_.RequestDiscoverySync();
}

void DeviceLink::ConnectDevice(DeviceFields fields) {
  if (fields.present == 0) {
    fields.featureHandle.reset();
    fields.featurePath.clear();
    return;
  }
  StartReader(fields);
  if (fields.featureHandle) return;
  hid::OpenResult opened = backend_.Open(ToUtf8(fields.featurePath));
  if (!opened.device) return;
  // Between probing and opening the node may have gone to another device.
  const hid::HidInterfaceInfo info = opened.device->Info();
  if (info.vendorId == kMouseVendorId && info.productId == fields.productId) {
    fields.featureHandle = std::move(opened.device);
  }
}

void DeviceLink::OnDeviceChange(hid::HidEvent::Kind kind) {
  if (kind == hid::HidEvent::Kind::kArrival) {
    if (receiverPresent != 0 && wiredPresent != 0) return;
    DiscoverDevices();
    pollCounter = 19;
    if (devicePresent != 0 && queryOnConnect != 0) {
      queryOnConnect = 0;
      host_.QueryStatus();
      host_.RefreshWindow();
    }
    host_.RefreshWindow();
    return;
  }
  if (receiverPresent == 0 && wiredPresent == 0) return;
  DiscoverDevices();
  pollCounter = 19;
  if (devicePresent == 0) {
    queryOnConnect = 1;
    host_.LastDeviceRemoved();
  }
}

void DeviceLink::HandleDeviceEvents() {
  for (const hid::HidEvent& event : backend_.TakeEvents()) OnDeviceChange(event.kind);
}

void DeviceLink::ConnectionTick() {
  // A reader that ended on its own is restarted by the discovery two ticks from now, whatever the
  // counter was; the regular status query keeps its 21 s rhythm while the readers run.
  const bool readerMissing = (wiredPresent != 0 && wiredReader_.busy.load() == 0) ||
                             (receiverPresent != 0 && receiverReader_.busy.load() == 0);
  if (readerMissing && pollCounter < 19) pollCounter = 19;

  if (pollCounter < 20) {
    ++pollCounter;
  } else {
    pollCounter = 0;
    if (wiredPresent != 0 && wiredReader_.busy.load() == 0) {
      DiscoverDevices();
      pollCounter = 19;
    }
    if (receiverPresent != 0 && receiverReader_.busy.load() == 0) {
      DiscoverDevices();
      pollCounter = 19;
    }
    host_.QueryStatus();
  }
  host_.ShowBattery();
}

hid::HidDevice* DeviceLink::WriteDevice() const {
  if (wiredFeatureHandle) return wiredFeatureHandle.get();
  return receiverFeatureHandle.get();
}

bool DeviceLink::IsFeatureOpen(DeviceKind device) const {
  return (device == DeviceKind::kWired ? wiredFeatureHandle : receiverFeatureHandle) != nullptr;
}

bool DeviceLink::SetFeatureReport(DeviceKind device, const Report& report) {
  const auto& handle = device == DeviceKind::kWired ? wiredFeatureHandle : receiverFeatureHandle;
  return handle && handle->SendFeatureReport(report);
}

bool DeviceLink::GetFeatureReport(DeviceKind device, Report& report) {
  const auto& handle = device == DeviceKind::kWired ? wiredFeatureHandle : receiverFeatureHandle;
  return handle && handle->GetFeatureReport(report);
}

bool DeviceLink::ReaderBusy(DeviceKind device) const {
  const Reader& reader = device == DeviceKind::kWired ? wiredReader_ : receiverReader_;
  return reader.busy.load() != 0;
}

std::u16string DeviceLink::InputPath(DeviceKind device) const {
  Reader& reader = const_cast<DeviceLink*>(this)->Fields(device).reader;
  std::lock_guard lock(reader.mutex);
  return reader.inputPath;
}

void DeviceLink::StartReader(DeviceFields fields) {
  Reader& reader = fields.reader;
  if (reader.busy.load() != 0) return;
  // busy is cleared as the thread's last act, so this join returns at once.
  if (reader.thread.joinable()) reader.thread.join();
  std::string path;
  {
    std::lock_guard lock(reader.mutex);
    path = ToUtf8(reader.inputPath);
    reader.stop = false;
  }
  reader.busy.store(1);
  reader.thread = std::thread(&DeviceLink::ReaderMain, this, std::ref(reader), fields.device, std::move(path),
                              fields.productId);
}

void DeviceLink::ReaderMain(Reader& reader, DeviceKind device, std::string path, std::uint16_t productId) {
  RaiseThreadPriority();
  std::unique_ptr<hid::HidDevice> handle;
  if (!path.empty()) handle = backend_.Open(path).device;
  const hid::HidInterfaceInfo info = handle ? handle->Info() : hid::HidInterfaceInfo{};
  if (info.vendorId != kMouseVendorId || info.productId != productId) handle.reset();
  if (handle) {
    std::vector<std::uint8_t> buffer(std::max<std::size_t>(info.inputReportLength, kMouseReportLength), 0xFF);
    buffer[0] = kInputReportId;
    bool running = false;
    {
      std::lock_guard lock(reader.mutex);
      running = !reader.stop;
      if (running) reader.handle = handle.get();
    }
    while (running) {
      const hid::ReadResult result = handle->ReadInputReport(buffer);
      if (result.status == hid::ReadStatus::kFailed) break;
      if (result.status == hid::ReadStatus::kWoken) {
        std::lock_guard lock(reader.mutex);
        running = !reader.stop;
        continue;
      }
      if (result.length >= 5 && buffer[0] == kInputReportId && buffer[1] == kChangeReportType) {
        PostChange({device, buffer[3], buffer[4]});
      }
    }
  }
  {
    std::lock_guard lock(reader.mutex);
    reader.handle = nullptr;
    handle.reset();
    // Emptied so that the next discovery records the input interface afresh.
    reader.inputPath.clear();
  }
  reader.busy.store(0);
}

void DeviceLink::PostChange(const InputChange& change) {
  {
    std::lock_guard lock(changesMutex_);
    changes_.push_back(change);
  }
  const std::uint64_t one = 1;
  [[maybe_unused]] auto ignored = write(changeFd_, &one, sizeof one);
}

void DeviceLink::DispatchInputChanges() {
  std::uint64_t count = 0;
  [[maybe_unused]] auto ignored = read(changeFd_, &count, sizeof count);
  std::deque<InputChange> pending;
  {
    std::lock_guard lock(changesMutex_);
    pending.swap(changes_);
  }
  for (const InputChange& change : pending) host_.HandleInputChange(change);
}

void DeviceLink::StopReaders() {
  for (Reader* reader : {&wiredReader_, &receiverReader_}) {
    {
      std::lock_guard lock(reader->mutex);
      reader->stop = true;
      if (reader->handle != nullptr) reader->handle->WakeReader();
    }
    if (reader->thread.joinable()) reader->thread.join();
  }
}

}  // namespace pelrin::device

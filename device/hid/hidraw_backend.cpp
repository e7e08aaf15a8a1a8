// hidraw + libudev implementation of HidBackend.
#include "device/hid/hidraw_backend.h"

#include <fcntl.h>
#include <libudev.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string_view>
#include <utility>

#include "device/hid/report_descriptor.h"

namespace pelrin::hid {
namespace {

// udev objects come with their own reference counts; these keep every early return leak-free.
struct UdevUnref {
  void operator()(udev* u) const { udev_unref(u); }
  void operator()(udev_enumerate* e) const { udev_enumerate_unref(e); }
  void operator()(udev_device* d) const { udev_device_unref(d); }
  void operator()(udev_monitor* m) const { udev_monitor_unref(m); }
};
template <typename T>
using UdevPtr = std::unique_ptr<T, UdevUnref>;

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Fd& operator=(Fd&&) = delete;
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// HID_ID is "bus:vendor:product" in hexadecimal, e.g. "0003:0000248A:00005B2E".
bool ParseHidId(const char* text, std::uint16_t& vendor, std::uint16_t& product) {
  if (text == nullptr) return false;
  std::string_view id(text);
  const auto first = id.find(':');
  const auto second = id.find(':', first == std::string_view::npos ? first : first + 1);
  if (first == std::string_view::npos || second == std::string_view::npos) return false;
  auto parse = [](std::string_view field, std::uint16_t& out) {
    std::uint32_t value = 0;
    auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value, 16);
    if (ec != std::errc{} || end != field.data() + field.size() || value > 0xFFFF) return false;
    out = static_cast<std::uint16_t>(value);
    return true;
  };
  return parse(id.substr(first + 1, second - first - 1), vendor) && parse(id.substr(second + 1), product);
}

std::vector<std::uint8_t> ReadSysfsFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class HidrawDevice final : public HidDevice {
 public:
  HidrawDevice(std::string path, int fd, int wakeFd) : path_(std::move(path)), fd_(fd), wake_(wakeFd) {}

  HidInterfaceInfo Info() override {
    HidInterfaceInfo info;
    info.path = path_;
    hidraw_devinfo raw{};
    if (ioctl(fd_.get(), HIDIOCGRAWINFO, &raw) < 0) return info;
    info.vendorId = static_cast<std::uint16_t>(raw.vendor);
    info.productId = static_cast<std::uint16_t>(raw.product);
    int size = 0;
    if (ioctl(fd_.get(), HIDIOCGRDESCSIZE, &size) < 0 || size < 0 || size > HID_MAX_DESCRIPTOR_SIZE) return info;
    hidraw_report_descriptor descriptor{};
    descriptor.size = static_cast<std::uint32_t>(size);
    if (ioctl(fd_.get(), HIDIOCGRDESC, &descriptor) < 0) return info;
    const ReportLengths lengths = ParseReportLengths({descriptor.value, descriptor.size});
    info.inputReportLength = lengths.input;
    info.featureReportLength = lengths.feature;
    return info;
  }

  bool SendFeatureReport(std::span<const std::uint8_t> report) override {
    if (report.empty()) return false;
    // The ioctl does not modify the buffer, but its prototype takes a writable pointer.
    std::vector<std::uint8_t> copy(report.begin(), report.end());
    return ioctl(fd_.get(), HIDIOCSFEATURE(copy.size()), copy.data()) >= 0;
  }

  bool GetFeatureReport(std::span<std::uint8_t> report) override {
    if (report.empty()) return false;
    return ioctl(fd_.get(), HIDIOCGFEATURE(report.size()), report.data()) >= 0;
  }

  ReadResult ReadInputReport(std::span<std::uint8_t> buffer) override {
    for (;;) {
      pollfd fds[2] = {{fd_.get(), POLLIN, 0}, {wake_.get(), POLLIN, 0}};
      if (poll(fds, 2, -1) < 0) {
        if (errno == EINTR) continue;
        return {};
      }
      if ((fds[1].revents & POLLIN) != 0) {
        std::uint64_t count = 0;
        [[maybe_unused]] auto ignored = read(wake_.get(), &count, sizeof count);
        return {ReadStatus::kWoken, 0};
      }
      if ((fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return {};
      if ((fds[0].revents & POLLIN) == 0) continue;
      const ssize_t n = read(fd_.get(), buffer.data(), buffer.size());
      if (n > 0) return {ReadStatus::kReport, static_cast<std::size_t>(n)};
      if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      return {};
    }
  }

  void WakeReader() override {
    const std::uint64_t one = 1;
    [[maybe_unused]] auto ignored = write(wake_.get(), &one, sizeof one);
  }

 private:
  std::string path_;
  Fd fd_;
  Fd wake_;
};

class HidrawBackend final : public HidBackend {
 public:
  HidrawBackend() : udev_(udev_new()) {
    if (!udev_) return;
    monitor_.reset(udev_monitor_new_from_netlink(udev_.get(), "udev"));
    if (!monitor_) return;
    if (udev_monitor_filter_add_match_subsystem_devtype(monitor_.get(), "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_.get()) < 0) {
      monitor_.reset();
      return;
    }
    // The monitor socket is non-blocking so TakeEvents drains it without waiting.
    const int fd = udev_monitor_get_fd(monitor_.get());
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  }

  std::vector<HidInterfaceInfo> Enumerate() override {
    std::vector<HidInterfaceInfo> result;
    UdevPtr<udev> context(udev_new());
    if (!context) return result;
    UdevPtr<udev_enumerate> enumerate(udev_enumerate_new(context.get()));
    if (!enumerate || udev_enumerate_add_match_subsystem(enumerate.get(), "hidraw") < 0 ||
        udev_enumerate_scan_devices(enumerate.get()) < 0) {
      return result;
    }
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get())) {
      UdevPtr<udev_device> node(udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
      if (!node) continue;
      const char* devnode = udev_device_get_devnode(node.get());
      // The parent belongs to `node` and must not be released separately.
      udev_device* parent = udev_device_get_parent_with_subsystem_devtype(node.get(), "hid", nullptr);
      if (devnode == nullptr || parent == nullptr) continue;
      HidInterfaceInfo info;
      info.path = devnode;
      if (!ParseHidId(udev_device_get_property_value(parent, "HID_ID"), info.vendorId, info.productId)) continue;
      const auto descriptor = ReadSysfsFile(std::string(udev_device_get_syspath(parent)) + "/report_descriptor");
      const ReportLengths lengths = ParseReportLengths(descriptor);
      info.inputReportLength = lengths.input;
      info.featureReportLength = lengths.feature;
      result.push_back(std::move(info));
    }
    return result;
  }

  OpenResult Open(const std::string& path) override {
    const int fd = open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {nullptr, errno};
    const int wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake < 0) {
      const int error = errno;
      close(fd);
      return {nullptr, error};
    }
    return {std::make_unique<HidrawDevice>(path, fd, wake), 0};
  }

  int EventFd() override { return monitor_ ? udev_monitor_get_fd(monitor_.get()) : -1; }

  std::vector<HidEvent> TakeEvents() override {
    std::vector<HidEvent> events;
    std::lock_guard lock(monitorMutex_);
    if (!monitor_) return events;
    while (UdevPtr<udev_device> device{udev_monitor_receive_device(monitor_.get())}) {
      const char* action = udev_device_get_action(device.get());
      const char* devnode = udev_device_get_devnode(device.get());
      if (action == nullptr || devnode == nullptr) continue;
      if (std::strcmp(action, "add") == 0) {
        events.push_back({HidEvent::Kind::kArrival, devnode});
      } else if (std::strcmp(action, "remove") == 0) {
        events.push_back({HidEvent::Kind::kRemoval, devnode});
      }
    }
    return events;
  }

 private:
  UdevPtr<udev> udev_;
  UdevPtr<udev_monitor> monitor_;
  std::mutex monitorMutex_;
};

}  // namespace

std::unique_ptr<HidBackend> MakeHidrawBackend() { return std::make_unique<HidrawBackend>(); }

}  // namespace pelrin::hid

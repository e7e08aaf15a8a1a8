// DeviceLink: finds the wired mouse and the receiver, keeps their handles, runs one reader per device
// and follows plugging and unplugging. Every member is called on the main thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "device/feature_transport.h"
#include "device/hid/hid_backend.h"

namespace pelrin::device {

inline constexpr std::uint16_t kMouseVendorId = 0x248A;
inline constexpr std::uint16_t kWiredProductId = 23342;
inline constexpr std::uint16_t kReceiverProductId = 23343;
// Report 0x0C out and report 5 in are both this long on the wire, id byte included.
inline constexpr std::uint32_t kMouseReportLength = kReportSize;

using pelrin::DeviceKind;

// A change made with the mouse's own buttons, as the reader got it: input report 5 of type 6.
struct InputChange {
  DeviceKind device = DeviceKind::kWired;
  std::uint8_t pollingInterval = 0;  // report byte 3
  std::uint8_t activeStage = 0;      // report byte 4, counted from 1
};

// A mouse interface that is present but could not be opened (typically: no udev rule, EACCES).
struct UnopenableInterface {
  std::string path;
  std::uint16_t productId = 0;
  int error = 0;
};

// What the link needs from its owner (the main window, or pelrinctl). Called on the main thread only.
class DeviceLinkHost {
 public:
  virtual ~DeviceLinkHost() = default;
  // Discovery asks for a synchronisation pass in 20 ms with the key, settings and power groups
  // marked changed and without the progress window afterwards.
  virtual void RequestDiscoverySync() = 0;
  // Start (or restart) the 1000 ms connection timer that calls ConnectionTick.
  virtual void StartConnectionTimer() = 0;
  virtual void QueryStatus() = 0;
  virtual void ShowBattery() = 0;
  virtual void RefreshWindow() = 0;
  // The last device was unplugged: hide the window, close the dialogs, end the program.
  virtual void LastDeviceRemoved() = 0;
  // A type-6 input report, handed over from a reader by DispatchInputChanges.
  virtual void HandleInputChange(const InputChange& change) = 0;
};

class DeviceLink final : public FeatureTransport {
 public:
  DeviceLink(hid::HidBackend& backend, DeviceLinkHost& host);
  // Stops and joins the readers and closes every handle.
  ~DeviceLink() override;
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  // Connection state, as the rest of the device layer reads it.
  std::int32_t devicePresent = 0;
  std::int32_t receiverPresent = 0;
  std::int32_t wiredPresent = 0;
  std::int32_t receiverFeatureIndex = 0;
  std::int32_t wiredFeatureIndex = 0;
  std::int32_t receiverInputIndex = 0;
  std::int32_t wiredInputIndex = 0;
  std::unique_ptr<hid::HidDevice> receiverFeatureHandle;
  std::unique_ptr<hid::HidDevice> wiredFeatureHandle;
  std::u16string wiredFeaturePath;
  std::u16string receiverFeaturePath;
  std::int32_t queryOnConnect = 0;
  std::int32_t pollCounter = 0;

  // Mouse interfaces the last discovery found but could not open.
  const std::vector<UnopenableInterface>& Unopenable() const { return unopenable_; }

  void RegisterForDeviceChanges();
  // Examines entry `index` of the interface list taken at the start of the current discovery.
  void ProbeInterface(int index);
  void DiscoverDevices();
  // Handling of one arrival or removal of any HID interface.
  void OnDeviceChange(hid::HidEvent::Kind kind);
  // Takes the backend's pending events and handles each; call when HidBackend::EventFd polls readable.
  void HandleDeviceEvents();
  // The connection timer's work, once a second.
  void ConnectionTick();

  // The handle configuration goes to: the wired mouse's when open, otherwise the receiver's.
  hid::HidDevice* WriteDevice() const;
  // FeatureTransport over the two feature handles; false when that handle is not open or the
  // transfer failed.
  bool IsFeatureOpen(DeviceKind device) const override;
  bool SetFeatureReport(DeviceKind device, const Report& report) override;
  bool GetFeatureReport(DeviceKind device, Report& report) override;

  // Polls readable while input changes wait; DispatchInputChanges hands them to the host.
  int InputChangeFd() const { return changeFd_; }
  void DispatchInputChanges();

  bool ReaderBusy(DeviceKind device) const;
  std::u16string InputPath(DeviceKind device) const;
  // Wakes every reader, waits for it to end and closes its handle. Discovery starts them again.
  void StopReaders();

 private:
  struct Reader {
    std::thread thread;
    std::atomic<std::int32_t> busy{0};
    std::mutex mutex;  // guards the three below against the reader thread
    std::u16string inputPath;
    hid::HidDevice* handle = nullptr;
    bool stop = false;
  };

  struct DeviceFields {
    std::int32_t& present;
    std::int32_t& featureIndex;
    std::int32_t& inputIndex;
    std::unique_ptr<hid::HidDevice>& featureHandle;
    std::u16string& featurePath;
    Reader& reader;
    std::uint16_t productId;
    DeviceKind device;
  };
  DeviceFields Fields(DeviceKind device);

  void ConnectDevice(DeviceFields fields);
  void StartReader(DeviceFields fields);
  void ReaderMain(Reader& reader, DeviceKind device, std::string path, std::uint16_t productId);
  void PostChange(const InputChange& change);

  hid::HidBackend& backend_;
  DeviceLinkHost& host_;
  std::vector<hid::HidInterfaceInfo> listing_;
  std::vector<UnopenableInterface> unopenable_;
  Reader wiredReader_;
  Reader receiverReader_;
  std::mutex changesMutex_;
  std::deque<InputChange> changes_;
  int changeFd_ = -1;
};

// Raises the calling thread to the highest scheduling priority the system grants without privileges:
// real-time when RLIMIT_RTPRIO allows it, otherwise the lowest nice value RLIMIT_NICE allows.
void RaiseThreadPriority();

}  // namespace pelrin::device

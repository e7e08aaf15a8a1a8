// The seam between the device link and the operating system's HID layer: enumerate, open, transfer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace pelrin::hid {

// One HID interface as the system lists it. The lengths are those of ParseReportLengths: largest
// report of the kind in bytes, report id byte included; 0 when unknown.
struct HidInterfaceInfo {
  std::string path;
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::uint32_t inputReportLength = 0;
  std::uint32_t featureReportLength = 0;
  bool operator==(const HidInterfaceInfo&) const = default;
};

enum class ReadStatus {
  kReport,  // a report arrived; `length` bytes of the buffer hold it
  kWoken,   // WakeReader was called; nothing was read
  kFailed,  // the device is gone or the handle broke; further reads fail too
};

struct ReadResult {
  ReadStatus status = ReadStatus::kFailed;
  std::size_t length = 0;
};

// An open interface. The transfer calls are made by one thread at a time; WakeReader may be called
// from any thread while another blocks in ReadInputReport.
class HidDevice {
 public:
  virtual ~HidDevice() = default;
  // Identity and report lengths as the open handle tells them (re-checked after opening by path).
  virtual HidInterfaceInfo Info() = 0;
  // report[0] is the report id. Return false when the transfer failed.
  virtual bool SendFeatureReport(std::span<const std::uint8_t> report) = 0;
  virtual bool GetFeatureReport(std::span<std::uint8_t> report) = 0;
  // Blocks until an input report arrives, the device fails or WakeReader is called.
  virtual ReadResult ReadInputReport(std::span<std::uint8_t> buffer) = 0;
  // Makes the current (or next) ReadInputReport return kWoken.
  virtual void WakeReader() = 0;
};

struct OpenResult {
  std::unique_ptr<HidDevice> device;  // empty when opening failed
  int error = 0;                      // errno-style reason when it failed (EACCES: no permission)
};

struct HidEvent {
  enum class Kind { kArrival, kRemoval };
  Kind kind = Kind::kArrival;
  std::string path;
};

// All calls may come from any thread.
class HidBackend {
 public:
  virtual ~HidBackend() = default;
  // Every HID interface present now, in a stable order while nothing is plugged or unplugged.
  virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
  // Opens an interface for reading and writing.
  virtual OpenResult Open(const std::string& path) = 0;
  // A descriptor that polls readable while events wait in TakeEvents, or -1 when the backend has
  // none (then TakeEvents is to be called periodically).
  virtual int EventFd() = 0;
  // Arrivals and removals of HID interfaces since the last call, oldest first.
  virtual std::vector<HidEvent> TakeEvents() = 0;
};

}  // namespace pelrin::hid

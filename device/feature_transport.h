// The byte path to the mouse's feature interfaces: all the report protocol needs from a HID backend.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace pelrin {

inline constexpr std::size_t kReportSize = 33;
// One feature or input report as it travels on the wire, report id in byte 0.
using Report = std::array<std::uint8_t, kReportSize>;

// The two ways the mouse reaches the computer; both may be plugged in at once.
enum class DeviceKind { kWired, kReceiver };

// A backend moves bytes only: it never builds, interprets or paces frames. The hidraw backend and the
// simulated mouse both implement it, so everything above it runs unchanged against either.
class FeatureTransport {
 public:
  virtual ~FeatureTransport() = default;
  // Whether the feature interface of `device` is open for writing configuration.
  virtual bool IsFeatureOpen(DeviceKind device) const = 0;
  // Sends `report` (byte 0 = report id) as a feature report; false when the transfer failed.
  virtual bool SetFeatureReport(DeviceKind device, const Report& report) = 0;
  // Reads a feature report into `report`. The caller puts the report id in byte 0 beforehand; false when
  // the transfer failed (the buffer may then hold anything).
  virtual bool GetFeatureReport(DeviceKind device, Report& report) = 0;
};

// The device that carries configuration: the wired mouse when its feature interface is open, otherwise
// the receiver; none when neither is open.
inline std::optional<DeviceKind> WriteHandle(const FeatureTransport& transport) {
  if (transport.IsFeatureOpen(DeviceKind::kWired)) return DeviceKind::kWired;
  if (transport.IsFeatureOpen(DeviceKind::kReceiver)) return DeviceKind::kReceiver;
  return std::nullopt;
}

}  // namespace pelrin

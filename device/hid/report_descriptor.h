// Largest input, output and feature report of a HID interface, read from its report descriptor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pelrin::hid {

// Byte lengths as a HID stack reports them to applications: the largest report of each kind in whole
// bytes plus one byte for the report id (sent as 0 when the interface numbers no reports). A kind the
// interface has no report of gives 0.
struct ReportLengths {
  std::uint32_t input = 0;
  std::uint32_t output = 0;
  std::uint32_t feature = 0;
  bool operator==(const ReportLengths&) const = default;
};

// A descriptor that is cut off in the middle of an item, pops more than it pushed, nests pushes
// beyond reason, uses report id 0 or a report id above 255, or describes a report longer than 65535
// bytes is malformed: a HID stack would refuse the device, so all three lengths are 0.
// Never reads outside `descriptor`.
ReportLengths ParseReportLengths(std::span<const std::uint8_t> descriptor);

}  // namespace pelrin::hid

// libFuzzer target: any byte string as a HID report descriptor.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "device/hid/report_descriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> descriptor(data, size);
  const pelrin::hid::ReportLengths lengths = pelrin::hid::ParseReportLengths(descriptor);
  // A length is a whole report plus its id byte, never more than a HID stack can express.
  for (std::uint32_t length : {lengths.input, lengths.output, lengths.feature}) {
    if (length == 1 || length > 0x10000) std::abort();
  }
  if (!(pelrin::hid::ParseReportLengths(descriptor) == lengths)) std::abort();
  return 0;
}

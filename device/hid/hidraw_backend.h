// HidBackend on Linux: hidraw device nodes, found and watched through libudev.
#pragma once

#include <memory>

#include "device/hid/hid_backend.h"

namespace pelrin::hid {

// Returns a backend over /dev/hidraw*. Enumeration reads the ids from udev and the report
// descriptor from sysfs, so interfaces the user may not open are still listed.
std::unique_ptr<HidBackend> MakeHidrawBackend();

}  // namespace pelrin::hid

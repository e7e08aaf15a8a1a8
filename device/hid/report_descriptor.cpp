// Walks the items of a HID report descriptor and sums the bits of every report.
#include "device/hid/report_descriptor.h"

#include <algorithm>
#include <array>
#include <vector>

namespace pelrin::hid {
namespace {

constexpr std::uint8_t kLongItemPrefix = 0xFE;
constexpr std::size_t kMaxPushDepth = 64;
constexpr std::uint64_t kMaxReportBytes = 0xFFFF;

enum ItemType : std::uint8_t { kMain = 0, kGlobal = 1, kLocal = 2 };
enum MainTag : std::uint8_t { kInput = 0x8, kOutput = 0x9, kFeature = 0xB };
enum GlobalTag : std::uint8_t { kReportSize = 0x7, kReportId = 0x8, kReportCount = 0x9, kPush = 0xA, kPop = 0xB };

// The globals that decide report sizes; the others (usage page, extents, units) never change a length.
struct Globals {
  std::uint32_t reportSize = 0;
  std::uint32_t reportCount = 0;
  std::uint32_t reportId = 0;
};

std::uint32_t LittleEndian(std::span<const std::uint8_t> data) {
  std::uint32_t value = 0;
  for (std::size_t i = data.size(); i-- > 0;) value = (value << 8) | data[i];
  return value;
}

}  // namespace

ReportLengths ParseReportLengths(std::span<const std::uint8_t> descriptor) {
  // Bits per report id (0 when the interface numbers no reports), per kind: input, output, feature.
  std::array<std::array<std::uint64_t, 256>, 3> bits{};
  Globals globals;
  std::vector<Globals> stack;

  std::size_t pos = 0;
  while (pos < descriptor.size()) {
    const std::uint8_t prefix = descriptor[pos];
    if (prefix == kLongItemPrefix) {
      // Long items carry vendor data only: skip prefix, size, tag and the data.
      if (descriptor.size() - pos < 3) return {};
      const std::size_t dataSize = descriptor[pos + 1];
      if (descriptor.size() - pos - 3 < dataSize) return {};
      pos += 3 + dataSize;
      continue;
    }
    static constexpr std::array<std::size_t, 4> kSizes{0, 1, 2, 4};
    const std::size_t size = kSizes[prefix & 0x3];
    if (descriptor.size() - pos - 1 < size) return {};
    const std::uint32_t value = LittleEndian(descriptor.subspan(pos + 1, size));
    const auto type = static_cast<std::uint8_t>((prefix >> 2) & 0x3);
    const auto tag = static_cast<std::uint8_t>(prefix >> 4);
    pos += 1 + size;

    if (type == kGlobal) {
      switch (tag) {
        case kReportSize: globals.reportSize = value; break;
        case kReportCount: globals.reportCount = value; break;
        case kReportId:
          if (value == 0 || value > 255) return {};
          globals.reportId = value;
          break;
        case kPush:
          if (stack.size() == kMaxPushDepth) return {};
          stack.push_back(globals);
          break;
        case kPop:
          if (stack.empty()) return {};
          globals = stack.back();
          stack.pop_back();
          break;
        default: break;
      }
    } else if (type == kMain && (tag == kInput || tag == kOutput || tag == kFeature)) {
      const std::size_t kind = tag == kInput ? 0 : tag == kOutput ? 1 : 2;
      std::uint64_t& total = bits[kind][globals.reportId];
      // Both factors are below 2^32, so the product fits; the running sum is bounded by the check.
      total += std::uint64_t{globals.reportSize} * globals.reportCount;
      if (total > kMaxReportBytes * 8) return {};
    }
  }

  ReportLengths lengths;
  std::array<std::uint32_t*, 3> out{&lengths.input, &lengths.output, &lengths.feature};
  for (std::size_t kind = 0; kind < 3; ++kind) {
    std::uint64_t largest = 0;
    bool any = false;
    for (std::uint64_t reportBits : bits[kind]) {
      if (reportBits == 0) continue;
      any = true;
      largest = std::max(largest, reportBits);
    }
    if (any) *out[kind] = static_cast<std::uint32_t>((largest + 7) / 8 + 1);
  }
  return lengths;
}

}  // namespace pelrin::hid

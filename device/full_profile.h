// Every frame of a whole profile, whatever the mouse is believed to hold: what `pelrinctl apply` writes.
#pragma once

#include <vector>

#include "device/clock.h"
#include "device/encoding.h"
#include "device/feature_transport.h"
#include "macros/macro_library.h"
#include "settings/dpi_table.h"
#include "settings/profile_record.h"

namespace pelrin {

struct FullProfileFrames {
  std::vector<Report> frames;
  std::size_t droppedMacroEvents = 0;
};

// Numbers the macros of `record` against `library` as a synchronisation pass does (buttons whose macro
// is not in the library become disabled), then builds, in order: the six key positions, DPI stages, DPI
// colours, polling rate, lift height, debounce, lighting, power saving, motion wake, and the packets of
// each distinct macro in button order.
FullProfileFrames BuildFullProfileFrames(ProfileRecord& record, const DpiTable& table, const MacroLibrary& library,
                                         SequenceCounter& sequence);

// Sends the frames on the write handle, 60 ms apart; false when no feature interface is open.
bool SendFrames(FeatureTransport& transport, Clock& clock, const std::vector<Report>& frames);

}  // namespace pelrin

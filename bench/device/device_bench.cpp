// Speed of the device layer: a whole profile encoded, the shadows primed, and the time a synchronisation
// pass spends beyond the pauses the mouse demands (the clock here never sleeps, so all that is measured
// is that overhead).
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

#include "device/full_profile.h"
#include "device/sim/simulated_mouse.h"
#include "device/sync.h"
#include "settings/profile_defaults.h"

namespace pelrin {
namespace {

// A profile with three distinct 84-stroke macros (168 events each, the most a macro may hold) on five
// buttons, and lighting mode 6, so that every encoder has real work.
struct BusyProfile final : SyncModel {
  BusyProfile() {
    BuildDpiTable(0x3395, table);
    profile = DefaultProfileRecord(0, 0x3395);
    profile.Lighting1ModeValue[0] = 6;
    for (int m = 0; m < 3; ++m) {
      MacroItem item;
      item.name = u"macro";
      item.macro = std::make_unique<MacroKey>(CreateMacroKey(item.name));
      item.macro->index = static_cast<std::uint32_t>(m + 1);
      for (int i = 0; i < 84; ++i) InsertStroke(*item.macro, item.macro->actionCount, static_cast<std::uint8_t>(0x41 + m));
      library.Store({0, m, 0, 0}, std::move(item));
    }
    const int bound[] = {1, 2, 3, 1, 2};
    for (std::size_t b = 0; b < 5; ++b) {
      KeyAssignment& slot = profile.keyAssignments[b + 1];
      const auto index = static_cast<std::uint32_t>(bound[b]);
      CopyMacroKey(slot.macro, *library.Item(*library.FindMacroByIndex(index)).macro);
      slot.macroIndex = index;
      slot.value = {0x90, 0, 0};
    }
  }
  ProfileRecord& ActiveProfile() override { return profile; }
  const DpiTable& DpiTableInForce() const override { return table; }
  const MacroLibrary& Library() const override { return library; }

  ProfileRecord profile;
  DpiTable table;
  MacroLibrary library;
};

void BM_FullProfileEncode(benchmark::State& state) {
  BusyProfile busy;
  for (auto _ : state) {
    ProfileRecord record = busy.profile;
    SequenceCounter sequence;
    benchmark::DoNotOptimize(BuildFullProfileFrames(record, busy.table, busy.library, sequence));
  }
}
BENCHMARK(BM_FullProfileEncode)->Unit(benchmark::kMicrosecond);

void BM_PrimeShadows(benchmark::State& state) {
  BusyProfile busy;
  ManualClock clock;
  SimulatedMouse mouse(clock);
  SimulatedTransport transport(mouse, false, true);
  ReportChannel channel(transport, clock);
  SettingsSync sync(channel, busy);
  for (auto _ : state) {
    sync.PrimeShadows();
    benchmark::DoNotOptimize(sync.shadows());
  }
}
BENCHMARK(BM_PrimeShadows)->Unit(benchmark::kMicrosecond);

// A pass that writes everything: every group and all three macros differ from their shadows.
void BM_PassOverheadBeyondWaits(benchmark::State& state) {
  BusyProfile busy;
  ManualClock clock;
  SimulatedMouse mouse(clock);
  SimulatedTransport transport(mouse, false, true);
  ReportChannel channel(transport, clock);
  std::optional<SettingsSync> sync;
  std::size_t frames = 0;
  for (auto _ : state) {
    state.PauseTiming();
    sync.emplace(channel, busy);  // zero shadows: the mouse is believed to hold nothing
    mouse.ClearFrames();
    clock.ClearWaits();
    sync->MarkChanged(kKeysChanged | kSettingsChanged | kPowerChanged | kMotionWakeChanged);
    state.ResumeTiming();
    benchmark::DoNotOptimize(sync->SyncSettings());
    frames = mouse.frames().size();
  }
  state.counters["frames"] = static_cast<double>(frames);
  state.counters["demanded_wait_ms"] = static_cast<double>(clock.TotalWaited().count());
}
BENCHMARK(BM_PassOverheadBeyondWaits)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pelrin

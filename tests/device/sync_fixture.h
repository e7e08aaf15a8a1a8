// A pass's world for tests: one active profile, the 0x3325 DPI table, a macro library and the simulated
// mouse on a manual clock.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "device/sim/simulated_mouse.h"
#include "device/sync.h"
#include "settings/profile_defaults.h"

namespace pelrin::testing {

class TestSyncModel : public SyncModel {
 public:
  TestSyncModel() { BuildDpiTable(0x3325, table); }
  ProfileRecord& ActiveProfile() override { return profile; }
  const DpiTable& DpiTableInForce() const override { return table; }
  const MacroLibrary& Library() const override { return library; }

  // Puts a macro with `index` and `events` key strokes into top-level slot `slot`.
  MacroKey& AddMacro(int slot, std::uint32_t index, int strokes, std::uint8_t loopType = 2, std::uint8_t loopCount = 3) {
    MacroItem item;
    item.name = u"macro " + std::u16string(1, static_cast<char16_t>(u'A' + slot));
    item.macro = std::make_unique<MacroKey>();
    MacroKey& macro = *item.macro;
    macro.name = item.name;
    macro.index = index;
    macro.loopType = loopType;
    macro.loopCount = loopCount;
    for (int i = 0; i < strokes; ++i) {
      macro.actions[macro.actionCount++] = MakePress(static_cast<std::uint8_t>(0x41 + i % 26));
      macro.actions[macro.actionCount++] = MakePause(20);
      macro.actions[macro.actionCount++] = MakeRelease(static_cast<std::uint8_t>(0x41 + i % 26));
      macro.commandCount = static_cast<std::uint8_t>(macro.commandCount + 2);
    }
    const MacroItemLocation location{0, slot, 0, 0};
    library.Store(location, std::move(item));
    return *library.MutableItem(location)->macro;
  }

  // Binds button slot `button` to the library macro `index` as the assignment dialog does.
  void Bind(std::size_t button, std::uint32_t index) {
    KeyAssignment& slot = profile.keyAssignments[button];
    const auto location = library.FindMacroByIndex(index);
    ASSERT_TRUE(location);
    CopyMacroKey(slot.macro, *library.Item(*location).macro);
    slot.macroIndex = index;
    slot.value = {0x90, 0x00, 0x00};
  }

  ProfileRecord profile = DefaultProfileRecord(0, 0x3325);
  DpiTable table;
  MacroLibrary library;
};

struct SyncFixture : ::testing::Test {
  ManualClock clock;
  SimulatedMouse mouse{clock};
  SimulatedTransport transport{mouse, false, true};
  ReportChannel channel{transport, clock};
  TestSyncModel model;
  SettingsSync sync{channel, model};

  // The commands of the frames the mouse got since the last call.
  std::vector<Command> TakeCommands() {
    std::vector<Command> commands;
    for (const RecordedFrame& frame : mouse.frames()) commands.push_back(static_cast<Command>(frame.bytes[kCommandByte]));
    mouse.ClearFrames();
    clock.ClearWaits();
    return commands;
  }
};

}  // namespace pelrin::testing

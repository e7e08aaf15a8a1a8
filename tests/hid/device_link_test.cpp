// Discovery, plugging, connection upkeep and readers of the device link against the simulated mouse.
#include "device/link/device_link.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "settings/text.h"
#include "tests/hid/link_fixture.h"

namespace pelrin::device::testing {
namespace {

using hid::SimulatedDevice;
const Report kFrame{0x0C, 0x01, 0x07};

class DeviceLinkTest : public LinkTest {
 protected:
  bool SendOnWriteHandle(const Report& frame) {
    const auto device = WriteHandle(link);
    return device && link.SetFeatureReport(*device, frame);
  }
};

std::vector<SimulatedDevice> Destinations(RecordingFirmware& firmware) {
  std::vector<SimulatedDevice> via;
  for (const Frame& frame : firmware.Frames()) via.push_back(frame.via);
  return via;
}

TEST_F(DeviceLinkTest, BothPluggedConfigurationGoesToTheWiredMouse) {
  link.RegisterForDeviceChanges();
  PlugAndSettle(SimulatedDevice::kReceiver);
  PlugAndSettle(SimulatedDevice::kWired);

  EXPECT_EQ(link.devicePresent, 1);
  EXPECT_EQ(link.wiredPresent, 1);
  EXPECT_EQ(link.receiverPresent, 1);
  EXPECT_NE(link.wiredFeatureHandle, nullptr);
  EXPECT_NE(link.receiverFeatureHandle, nullptr);
  EXPECT_TRUE(link.ReaderBusy(DeviceKind::kWired));
  EXPECT_TRUE(link.ReaderBusy(DeviceKind::kReceiver));
  EXPECT_EQ(link.WriteDevice(), link.wiredFeatureHandle.get());
  EXPECT_EQ(host.lastDeviceRemoved, 0);
  // Discovery itself never writes; it asks for a pass.
  EXPECT_TRUE(firmware.Frames().empty());
  EXPECT_GE(host.syncRequests, 2);
  EXPECT_GE(host.timerStarts, 2);

  ASSERT_TRUE(SendOnWriteHandle(kFrame));
  EXPECT_EQ(Destinations(firmware), std::vector{SimulatedDevice::kWired});
}

TEST_F(DeviceLinkTest, UnpluggingTheWiredMouseMovesConfigurationToTheReceiver) {
  PlugAndSettle(SimulatedDevice::kWired);
  PlugAndSettle(SimulatedDevice::kReceiver);
  Unplug(SimulatedDevice::kWired);

  EXPECT_EQ(link.wiredPresent, 0);
  EXPECT_EQ(link.wiredFeatureHandle, nullptr);
  EXPECT_TRUE(link.wiredFeaturePath.empty());
  EXPECT_EQ(link.devicePresent, 1);
  EXPECT_EQ(host.lastDeviceRemoved, 0);
  ASSERT_TRUE(SendOnWriteHandle(kFrame));
  EXPECT_EQ(Destinations(firmware), std::vector{SimulatedDevice::kReceiver});
  // The wired reader ends with its device and gives up its input path.
  EXPECT_TRUE(WaitUntil([&] { return !link.ReaderBusy(DeviceKind::kWired); }));
  EXPECT_TRUE(link.InputPath(DeviceKind::kWired).empty());
}

TEST_F(DeviceLinkTest, UnpluggingTheLastDeviceEndsTheProgramOnce) {
  link.RegisterForDeviceChanges();
  PlugAndSettle(SimulatedDevice::kReceiver);
  EXPECT_EQ(link.queryOnConnect, 0);
  Unplug(SimulatedDevice::kReceiver);  // four interfaces, four removal events

  EXPECT_EQ(host.lastDeviceRemoved, 1);
  EXPECT_EQ(link.devicePresent, 0);
  EXPECT_EQ(link.queryOnConnect, 1);
  EXPECT_EQ(link.WriteDevice(), nullptr);
  EXPECT_FALSE(SendOnWriteHandle(kFrame));
  EXPECT_TRUE(firmware.Frames().empty());
}

TEST_F(DeviceLinkTest, StatusIsQueriedOnTheFirstConnectionOnly) {
  link.RegisterForDeviceChanges();
  PlugAndSettle(SimulatedDevice::kReceiver);
  EXPECT_EQ(host.statusQueries, 1);
  PlugAndSettle(SimulatedDevice::kWired);
  EXPECT_EQ(host.statusQueries, 1);
}

TEST_F(DeviceLinkTest, AnUnrelatedArrivalRediscoversAndRequestsAPassButWritesNothing) {
  PlugAndSettle(SimulatedDevice::kReceiver);
  const std::u16string path = link.receiverFeaturePath;
  hid::HidDevice* handle = link.receiverFeatureHandle.get();
  const int requests = host.syncRequests;

  PlugAndSettle(SimulatedDevice::kUnrelated);

  EXPECT_EQ(host.syncRequests, requests + 1);
  EXPECT_EQ(link.receiverPresent, 1);
  EXPECT_EQ(link.receiverFeaturePath, path);
  EXPECT_EQ(link.receiverFeatureHandle.get(), handle);  // kept open, not reopened
  EXPECT_EQ(link.pollCounter, 19);
  EXPECT_TRUE(firmware.Frames().empty());
}

TEST_F(DeviceLinkTest, TheInterfaceWithBothLengths33IsOnlyReadFrom) {
  PlugAndSettle(SimulatedDevice::kWired);
  const auto listing = backend.Enumerate();
  ASSERT_EQ(listing.size(), 4u);
  ASSERT_EQ(listing[2].inputReportLength, 33u);
  ASSERT_EQ(listing[2].featureReportLength, 33u);
  EXPECT_EQ(ToUtf8(link.InputPath(DeviceKind::kWired)), listing[2].path);
  EXPECT_EQ(link.wiredInputIndex, 2);
  EXPECT_EQ(ToUtf8(link.wiredFeaturePath), listing[3].path);
  EXPECT_EQ(link.wiredFeatureIndex, 3);
}

TEST_F(DeviceLinkTest, AMouseThatCannotBeOpenedIsAbsentButNamed) {
  backend.DenyOpen(true);
  backend.Plug(SimulatedDevice::kWired);
  link.HandleDeviceEvents();
  EXPECT_EQ(link.devicePresent, 0);
  EXPECT_EQ(host.timerStarts, 0);
  ASSERT_EQ(link.Unopenable().size(), 4u);
  EXPECT_EQ(link.Unopenable()[0].error, EACCES);
  EXPECT_EQ(link.Unopenable()[0].productId, kWiredProductId);
}

TEST_F(DeviceLinkTest, ATypeSixReportReachesTheHostOnTheMainThreadOnly) {
  PlugAndSettle(SimulatedDevice::kReceiver);
  std::vector<std::uint8_t> report(33, 0);
  report[0] = 5;
  report[1] = 7;  // another type: ignored
  backend.SendInputReport(SimulatedDevice::kReceiver, report);
  report[0] = 4;  // another report: ignored
  report[1] = 6;
  backend.SendInputReport(SimulatedDevice::kReceiver, report);
  report[0] = 5;
  report[3] = 2;
  report[4] = 3;
  backend.SendInputReport(SimulatedDevice::kReceiver, report);

  // Nothing reaches the host until the main thread dispatches.
  ASSERT_TRUE(WaitUntil([&] { return backend.BlockedReaders() == 1; }));
  EXPECT_TRUE(host.changes.empty());
  ASSERT_TRUE(DispatchWhenReady());
  ASSERT_EQ(host.changes.size(), 1u);
  EXPECT_EQ(host.changes[0].device, DeviceKind::kReceiver);
  EXPECT_EQ(host.changes[0].pollingInterval, 2);
  EXPECT_EQ(host.changes[0].activeStage, 3);
}

TEST_F(DeviceLinkTest, AFailedReadIsRepairedByTheConnectionTimerWithinTwoTicks) {
  PlugAndSettle(SimulatedDevice::kWired);
  link.pollCounter = 3;  // well before the regular rediscovery
  backend.BreakInputHandles(SimulatedDevice::kWired);
  ASSERT_TRUE(WaitUntil([&] { return !link.ReaderBusy(DeviceKind::kWired); }));
  EXPECT_TRUE(link.InputPath(DeviceKind::kWired).empty());

  const int blocked = backend.BlockedReaders();
  link.ConnectionTick();
  EXPECT_FALSE(link.ReaderBusy(DeviceKind::kWired));
  link.ConnectionTick();
  EXPECT_TRUE(link.ReaderBusy(DeviceKind::kWired));
  EXPECT_FALSE(link.InputPath(DeviceKind::kWired).empty());
  EXPECT_TRUE(WaitUntil([&] { return backend.BlockedReaders() == blocked + 1; }));
}

TEST_F(DeviceLinkTest, WhileReadersRunStatusIsQueriedEveryTwentyOneTicks) {
  PlugAndSettle(SimulatedDevice::kReceiver);  // arrival leaves the counter at 19
  const int queries = host.statusQueries;
  std::vector<int> queryTicks;
  for (int tick = 1; tick <= 44; ++tick) {
    const int before = host.statusQueries;
    link.ConnectionTick();
    if (host.statusQueries != before) queryTicks.push_back(tick);
  }
  EXPECT_EQ(queryTicks, (std::vector<int>{2, 23, 44}));
  EXPECT_EQ(host.statusQueries, queries + 3);
  EXPECT_EQ(host.batteryShows, 44);
}

TEST_F(DeviceLinkTest, DestroyingTheLinkJoinsReadersAndClosesEveryHandle) {
  {
    RecordingHost localHost;
    DeviceLink local(backend, localHost);
    local.RegisterForDeviceChanges();
    backend.Plug(SimulatedDevice::kWired);
    backend.Plug(SimulatedDevice::kReceiver);
    local.HandleDeviceEvents();
    ASSERT_TRUE(WaitUntil([&] { return backend.BlockedReaders() == 2; }));
    EXPECT_EQ(backend.OpenHandles(), 4);  // two feature handles, two readers
  }
  EXPECT_EQ(backend.BlockedReaders(), 0);
  EXPECT_EQ(backend.OpenHandles(), 0);
}

}  // namespace
}  // namespace pelrin::device::testing

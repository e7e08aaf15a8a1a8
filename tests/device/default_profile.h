// A profile record with the factory defaults of a sensor 0x3325 mouse, for tests of the device layer.
#pragma once

#include "settings/profile_record.h"

namespace pelrin::testing {

inline ProfileRecord DefaultProfile() {
  ProfileRecord r;
  const char16_t* keys[] = {u"ProfileName", u"GameFile0", u"GameFile1", u"GameFile2", u"DoubleClickSpeed",
                            u"PointerSpeed", u"AccelerationEnable", u"ScrollWheelSpeed", u"ScrollWheelPageEnable",
                            u"TiltSpeed", u"Sensitivity_X", u"Sensitivity_Y", u"XYSynchronous", u"X_DPI", u"Y_DPI",
                            u"MoveLightingOnOffMode", u"PowerDownTime", u"LiftDetectionHeight", u"KeyDebounce",
                            u"MotionWakeup"};
  const char16_t* values[] = {u"Profile 1", u"", u"", u"", u"6", u"5", u"1", u"2", u"0", u"2",
                              u"4", u"4", u"1", u"1", u"1", u"0", u"6", u"2", u"12", u"1"};
  for (std::size_t i = 0; i < kNamedSettingCount; ++i) r.namedSettings[i] = {keys[i], values[i]};
  const AssignmentValue buttons[] = {{0x10, 0x01, 0x00}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00},
                                     {0x10, 0x10, 0x00}, {0x10, 0x08, 0x00}, {0x40, 0x01, 0x00}};
  for (std::size_t i = 0; i < kButtonCount; ++i) r.keyAssignments[i].value = buttons[i];
  r.PollingRateName = u"1000HZ";
  r.PollingRateValue = {3, 0, 0};
  r.Lighting1OffOn = 1;
  r.Lighting1ModeValue = {1, 0, 0};
  r.Lighting1Speed.fill(1);
  r.Lighting1Brightness.fill(1);
  r.Lighting1Brightness[3] = 3;
  r.Lighting1ColorSelected[2] = {1, 1, 1, 1, 1, 1, 1, 0, 0, 0};
  r.Lighting1ColorSelected[3] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  r.Lighting1ColorSelected[6] = {1, 1, 1, 1, 1, 1, 1, 1, 0, 0};
  r.Lighting1ColorSelected[7] = {1, 1, 0, 0, 0, 0, 0, 0, 0, 0};
  r.Lighting1FixedColor[2] = {MakeColour(0xFF, 0, 0),    MakeColour(0, 0xFF, 0),    MakeColour(0, 0, 0xFF),
                              MakeColour(0, 0xFF, 0xFF), MakeColour(0xFF, 0xFF, 0), MakeColour(0xFF, 0, 0xFF),
                              MakeColour(0xFF, 0xFF, 0xFF), 0, 0, 0};
  r.Lighting1FixedColor[3] = {MakeColour(0xFF, 0, 0xFF), 0, 0, 0, 0, 0, 0, 0, 0, 0};
  r.Lighting1FixedColor[6] = {MakeColour(0xFF, 0, 0), MakeColour(0, 0xFF, 0), MakeColour(0, 0, 0xFF),
                              MakeColour(0xFF, 0xFF, 0), MakeColour(0, 0xFF, 0xFF), MakeColour(0xFA, 0, 0xFA),
                              MakeColour(0xFF, 0xFF, 0xFF), MakeColour(0xFA, 0x46, 0xFF), 0, 0};
  r.Lighting1FixedColor[7] = {MakeColour(0, 0xFF, 0), MakeColour(0xFA, 0, 0x6A), 0, 0, 0, 0, 0, 0, 0, 0};
  r.Lighting1Direction[1] = 1;
  r.Lighting2ModeValue = {1, 0, 0};
  r.DPIOffOnFlagValue = 0x1F;
  r.XYSetting = {6, 14, 22, 34, 48, 58, 58, 50};
  r.CurrentDPILevelValue = 1;
  r.DPILevelIndication = {MakeColour(0xFF, 0, 0),    MakeColour(0, 0xFF, 0),    MakeColour(0, 0, 0xFF),
                          MakeColour(0, 0xFF, 0xFF), MakeColour(0xFF, 0xFF, 0), MakeColour(0xFF, 0, 0xFF),
                          MakeColour(0xFF, 0xFF, 0xFF), MakeColour(0xFF, 0xFF, 0xFF)};
  r.LiftDetectionValue = 2;
  return r;
}

}  // namespace pelrin::testing

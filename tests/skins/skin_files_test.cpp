// The drawn skin files and compiled-in images: names, pixel sizes, states and the palette's picking areas.
//
// The expected sizes below are written from the control rectangles of the windows (right − left,
// bottom − top at scale 1.0), independently of skins/artwork.table, so the two check each other.
#include "skins/font_setup.h"
#include "skins/resource_names.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

struct ExpectedImage {
  std::string path;  // relative to the program folder
  int width;
  int height;
  const char* why;  // the rectangle that fixes the size
};

const std::vector<ExpectedImage>& ExpectedSkinFiles() {
  static const std::vector<ExpectedImage> files = [] {
    std::vector<ExpectedImage> list = {
        {"skins/exit_nr.png", 15, 15, "close button (1092,12)-(1107,27); dialogs (405,4)-(420,19)"},
        {"skins/exit_ov.png", 15, 15, "close button"},
        {"skins/min_nr.png", 15, 15, "minimise button (1072,12)-(1087,27)"},
        {"skins/min_ov.png", 15, 15, "minimise button"},
        {"skins/mouse/mouse_nr.png", 215, 398, "mouse picture (457,171)-(672,569)"},
        {"skins/combo2_nr.png", 162, 21, "button-function combos (82,81)-(244,102)"},
        {"skins/combo2_ov.png", 162, 21, "button-function combos"},
        {"skins/button1_nr.png", 230, 25, "macro manager button (36,320)-(266,345)"},
        {"skins/button1_ov.png", 230, 25, "macro manager button"},
        {"skins/battery_full.png", 30, 61, "battery (80,433)-(110,494)"},
        {"skins/battery_empty.png", 30, 61, "battery"},
        {"skins/battery_charging.png", 30, 61, "battery"},
        {"skins/battery_lighting.png", 30, 61, "battery"},
        {"skins/battery_green.png", 8, 8, "legend dot (165,441)-(173,449)"},
        {"skins/battery_orange.png", 8, 8, "legend dot"},
        {"skins/battery_red.png", 8, 8, "legend dot"},
        {"skins/check_nr.png", 15, 15, "check box (50,658)-(65,673)"},
        {"skins/check_ov.png", 15, 15, "check box"},
        {"skins/check_dn.png", 15, 15, "check box"},
        {"skins/profile_slot_nr.png", 162, 21, "profile tab (300,480)-(462,501)"},
        {"skins/profile_slot_ov.png", 162, 21, "profile tab"},
        {"skins/profile_slot_nr2.png", 162, 21, "profile tab"},
        {"skins/profile_slot_ov2.png", 162, 21, "profile tab"},
        {"skins/add_nr.png", 46, 20, "add profile (300,y)-(346,y+20)"},
        {"skins/add_ov.png", 46, 20, "add profile"},
        {"skins/header2_nr.png", 230, 25, "left headers (36,37)-(266,62); profile list rows 230 x 25"},
        {"skins/header2_ov.png", 230, 25, "left headers"},
        {"skins/header_nr.png", 262, 25, "right headers (846,37)-(1108,62)"},
        {"skins/header_ov.png", 262, 25, "right headers"},
        {"skins/button2_nr.png", 69, 20, "reset button (1040,700)-(1109,720); dialog OK (260,110)-(329,130)"},
        {"skins/button2_ov.png", 69, 20, "reset button"},
        {"skins/check_button_dpi_nr.png", 11, 11, "DPI stage check (898,226)-(909,237)"},
        {"skins/check_button_dpi_ov.png", 11, 11, "DPI stage check"},
        {"skins/check_button_dpi_dn.png", 11, 11, "DPI stage check"},
        {"skins/mouse/dpi_bar_1.png", 7, 132, "DPI value bar (900,75)-(907,207)"},
        {"skins/mouse/dpi_bar_2.png", 7, 132, "DPI value bar"},
        {"skins/dpi_value.png", 26, 11, "DPI stage button (891,212)-(917,223)"},
        {"skins/combo3_nr.png", 189, 25, "lighting mode combo (40,11)-(229,36)"},
        {"skins/combo3_ov.png", 189, 25, "lighting mode combo"},
        {"skins/Slider_bar.png", 145, 3, "slider track (42,72)-(187,75)"},
        {"skins/Slider_Circle.png", 13, 13, "slider knob: height (42,67)-(187,80), width = margins 6 + 7"},
        {"skins/Slider_bar2.png", 185, 3, "pointer slider track (20,36)-(205,39)"},
        {"skins/color_select_nr.png", 21, 20, "colour swatch (42,134)-(63,154)"},
        {"skins/color_select_check.png", 21, 20, "colour swatch"},
        {"skins/up_nr.png", 29, 18, "direction (42,134)-(71,152)"},
        {"skins/up_ov.png", 29, 18, "direction"},
        {"skins/up_check.png", 29, 18, "direction"},
        {"skins/down_nr.png", 29, 18, "direction (81,134)-(110,152)"},
        {"skins/down_ov.png", 29, 18, "direction"},
        {"skins/down_check.png", 29, 18, "direction"},
        {"skins/button4_nr.png", 215, 45, "mouse settings button (20,30)-(235,75)"},
        {"skins/radio_nr.png", 15, 15, "radio (18,121)-(33,136)"},
        {"skins/radio_ov.png", 15, 15, "radio"},
        {"skins/radio_dn.png", 15, 15, "radio"},
        {"skins/125hz_nr.png", 72, 72, "polling 125 (59,20)-(131,92)"},
        {"skins/125hz_dn.png", 72, 72, "polling 125"},
        {"skins/250hz_nr.png", 72, 72, "polling 250 (59,92)-(131,164)"},
        {"skins/250hz_dn.png", 72, 72, "polling 250"},
        {"skins/500hz_nr.png", 72, 72, "polling 500 (131,92)-(203,164)"},
        {"skins/500hz_dn.png", 72, 72, "polling 500"},
        {"skins/1000hz_nr.png", 72, 72, "polling 1000 (131,20)-(203,92)"},
        {"skins/1000hz_dn.png", 72, 72, "polling 1000"},
        {"skins/menu_nr.png", 190, 22, "menu rows: source (0,0) 190 x 22"},
        {"skins/menu_ov.png", 190, 22, "menu rows"},
        {"skins/menusub_nr.png", 190, 22, "menu rows"},
        {"skins/menusub_ov.png", 190, 22, "menu rows"},
        {"skins/Frame_Lighting_Setting.bmp", 230, 82, "panel tile: its 230 x 82 top-left area"},
        {"skins/Frame_common.bmp", 429, 140, "common dialogs 429 x 140"},
        {"skins/Frame_DPI.bmp", 429, 140, "DPI value dialog 429 x 140"},
        {"skins/Frame_warning.bmp", 319, 102, "warning dialogs 319 x 102"},
        {"skins/Frame_progress_nr.bmp", 429, 140, "progress dialog 429 x 140"},
        {"skins/Frame_progress_ov.bmp", 429, 140, "progress bar strip (0,66) up to 429 x 12"},
        {"skins/Frame_Macro_Manager.bmp", 528, 365, "macro manager 528 x 365"},
        // Not fixed by a rectangle; sized to their rows (20 high; the action icon sits 15 px left of the text).
        {"skins/foldr_open.png", 16, 16, "tree row icon"},
        {"skins/foldr_close.png", 16, 16, "tree row icon"},
        {"skins/macro_time.png", 14, 14, "action row icon"},
        {"skins/macro_up.png", 14, 14, "action row icon"},
        {"skins/macro_down.png", 14, 14, "action row icon"},
        {"skins/macro_record_nr.png", 130, 25, "record button, wide enough for its longer caption"},
        {"skins/macro_record_dn.png", 130, 25, "record button"},
    };
    for (int n = 1; n <= 9; ++n) {
      list.push_back({"skins/mouse/serial_number" + std::to_string(n) + ".png", 21, 19, "button numbers (52,82)-(73,101)"});
      list.push_back({"skins/mouse/number" + std::to_string(n) + ".png", 21, 19, "callout numbers, as the button numbers"});
    }
    for (int minutes = 3; minutes <= 10; ++minutes) {
      list.push_back({"skins/power_manage_" + std::to_string(minutes) + "min.png", 140, 84, "sleep dial (81,550)-(221,634)"});
    }
    return list;
  }();
  return files;
}

std::filesystem::path Program() { return pelrin::skins::ProgramFolder(); }

QImage Load(const std::string& relative) {
  return QImage(QString::fromStdString((Program() / relative).string()));
}

QImage LoadResource(const char* name) { return QImage(QString::fromLatin1(name)); }

const QColor kDialogGround(0x0F, 0x0F, 0x0F);  // the palette dialog ignores clicks on this colour

TEST(SkinFiles, EveryFileExistsWithTheSizeOfItsRectangle) {
  for (const ExpectedImage& expected : ExpectedSkinFiles()) {
    SCOPED_TRACE(expected.path + " - " + expected.why);
    const QImage image = Load(expected.path);
    ASSERT_FALSE(image.isNull()) << "missing or unreadable";
    EXPECT_EQ(image.width(), expected.width);
    EXPECT_EQ(image.height(), expected.height);
  }
}

TEST(SkinFiles, NamesAreExactAndFormatsMatchTheirExtensions) {
  // The program looks files up by exact name: a near miss ("slider_circle.png") is a missing image.
  std::set<std::string> expected;
  for (const ExpectedImage& image : ExpectedSkinFiles()) expected.insert(image.path);
  for (const auto& file : std::filesystem::recursive_directory_iterator(Program() / "skins")) {
    if (!file.is_regular_file()) continue;
    const std::string relative = std::filesystem::relative(file.path(), Program()).generic_string();
    EXPECT_TRUE(expected.count(relative)) << relative << " is not a file the windows load";
    QImageReader reader(QString::fromStdString(file.path().string()));
    const std::string extension = file.path().extension().string();
    EXPECT_EQ(reader.format().toStdString(), extension.substr(1)) << relative;
  }
}

// Images of one control: each look must be visibly different, or a state change shows nothing.
TEST(SkinFiles, StatesOfOneControlLookDifferent) {
  const std::vector<std::vector<std::string>> families = {
      {"exit_nr", "exit_ov"},
      {"min_nr", "min_ov"},
      {"combo2_nr", "combo2_ov"},
      {"combo3_nr", "combo3_ov"},
      {"button1_nr", "button1_ov"},
      {"button2_nr", "button2_ov"},
      {"add_nr", "add_ov"},
      {"header_nr", "header_ov"},
      {"header2_nr", "header2_ov"},
      {"profile_slot_nr", "profile_slot_ov", "profile_slot_nr2", "profile_slot_ov2"},
      {"check_nr", "check_ov", "check_dn"},
      {"check_button_dpi_nr", "check_button_dpi_ov", "check_button_dpi_dn"},
      {"radio_nr", "radio_ov", "radio_dn"},
      {"up_nr", "up_ov", "up_check"},
      {"down_nr", "down_ov", "down_check"},
      {"color_select_nr", "color_select_check"},
      {"125hz_nr", "125hz_dn"},
      {"250hz_nr", "250hz_dn"},
      {"500hz_nr", "500hz_dn"},
      {"1000hz_nr", "1000hz_dn"},
      {"menu_nr", "menu_ov", "menusub_nr", "menusub_ov"},
      {"macro_record_nr", "macro_record_dn"},
      {"foldr_open", "foldr_close"},
      {"macro_time", "macro_up", "macro_down"},
      {"battery_full", "battery_empty", "battery_charging", "battery_lighting"},
      {"power_manage_3min", "power_manage_4min", "power_manage_5min", "power_manage_6min", "power_manage_7min",
       "power_manage_8min", "power_manage_9min", "power_manage_10min"},
  };
  for (const auto& family : families) {
    for (std::size_t a = 0; a < family.size(); ++a) {
      for (std::size_t b = a + 1; b < family.size(); ++b) {
        EXPECT_NE(Load("skins/" + family[a] + ".png"), Load("skins/" + family[b] + ".png"))
            << family[a] << " and " << family[b] << " are identical";
      }
    }
  }
  EXPECT_NE(Load("skins/Frame_progress_nr.bmp"), Load("skins/Frame_progress_ov.bmp"));
  EXPECT_NE(Load("skins/mouse/dpi_bar_1.png"), Load("skins/mouse/dpi_bar_2.png"));
}

TEST(SkinFiles, BatteryFullDiffersFromEmptyOnlyInTheRowsTheControlReveals) {
  // The battery control draws the empty image, then rows 7 .. 56 of the full one from the bottom
  // up; anything of the full image outside those rows would never be seen or would tear.
  const QImage empty = Load("skins/battery_empty.png");
  const QImage full = Load("skins/battery_full.png");
  ASSERT_EQ(empty.size(), full.size());
  bool filled = false;
  for (int y = 0; y < full.height(); ++y) {
    for (int x = 0; x < full.width(); ++x) {
      const bool differs = empty.pixel(x, y) != full.pixel(x, y);
      if (y < 7 || y > 56) {
        EXPECT_FALSE(differs) << "pixel " << x << "," << y;
      } else {
        filled = filled || differs;
      }
    }
  }
  EXPECT_TRUE(filled);
}

TEST(SkinFiles, FramesAreOpaque) {
  for (const char* frame : {"skins/Frame_Lighting_Setting.bmp", "skins/Frame_common.bmp", "skins/Frame_DPI.bmp",
                            "skins/Frame_warning.bmp", "skins/Frame_progress_nr.bmp", "skins/Frame_progress_ov.bmp",
                            "skins/Frame_Macro_Manager.bmp"}) {
    EXPECT_FALSE(Load(frame).hasAlphaChannel()) << frame;
  }
}

TEST(SkinResources, MainFrameAndIconAreCompiledIn) {
  const QImage frame = LoadResource(pelrin::skins::kMainFrame);
  ASSERT_FALSE(frame.isNull());
  EXPECT_EQ(frame.size(), QSize(1127, 740));
  EXPECT_FALSE(frame.hasAlphaChannel());

  const QImage icon = LoadResource(pelrin::skins::kProgramIcon);
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.width(), icon.height());
  EXPECT_GE(icon.width(), 64);
}

TEST(SkinResources, ScrollArrowsAreStripsOfThreeDistinctSquareStates) {
  for (const char* name : {pelrin::skins::kScrollDownArrowStrip, pelrin::skins::kScrollUpArrowStrip}) {
    SCOPED_TRACE(name);
    const QImage strip = LoadResource(name);
    ASSERT_FALSE(strip.isNull());
    ASSERT_EQ(strip.width() % 3, 0) << "the loader takes width / 3 per state";
    const int frame = strip.width() / 3;
    EXPECT_EQ(frame, strip.height());
    const QImage normal = strip.copy(0, 0, frame, strip.height());
    const QImage hover = strip.copy(frame, 0, frame, strip.height());
    const QImage pressed = strip.copy(2 * frame, 0, frame, strip.height());
    EXPECT_NE(normal, hover);
    EXPECT_NE(hover, pressed);
    EXPECT_NE(normal, pressed);
  }
  EXPECT_EQ(LoadResource(pelrin::skins::kScrollDownArrowStrip).size(),
            LoadResource(pelrin::skins::kScrollUpArrowStrip).size());
  EXPECT_NE(LoadResource(pelrin::skins::kScrollDownArrowStrip), LoadResource(pelrin::skins::kScrollUpArrowStrip));
}

// The palette dialog takes the colour under the pointer inside (18,26)-(222,270) and
// (244,26)-(473,190), except its own ground colour.
class PaletteAreas : public ::testing::Test {
 protected:
  void SetUp() override {
    palette = LoadResource(pelrin::skins::kPaletteFrame);
    ASSERT_EQ(palette.size(), QSize(500, 291));
  }
  QColor At(int x, int y) const { return palette.pixelColor(x, y); }
  static bool Colourful(const QColor& c) { return c.hsvSaturation() > 60 && c.value() > 60; }
  QImage palette;
};

TEST_F(PaletteAreas, HueFieldFillsItsWholeAreaWithPickableColours) {
  std::set<int> hues;
  for (int y = 26; y < 270; ++y) {
    for (int x = 18; x < 222; ++x) {
      ASSERT_NE(At(x, y), kDialogGround) << "unpickable pixel " << x << "," << y;
      if (Colourful(At(x, y))) hues.insert(At(x, y).hsvHue() / 10);
    }
  }
  EXPECT_EQ(hues.size(), 36U) << "every hue should be on offer";
  // black and white are reachable too
  EXPECT_EQ(At(120, 269).value(), 0);
  EXPECT_GT(At(18, 26).lightness(), 240);
}

TEST_F(PaletteAreas, SwatchGridLiesInsideItsAreaWithOnlyGroundBetween) {
  std::set<QRgb> colours;
  int pickable = 0;
  for (int y = 26; y < 190; ++y) {
    for (int x = 244; x < 473; ++x) {
      if (At(x, y) != kDialogGround) {
        ++pickable;
        colours.insert(At(x, y).rgb());
      }
    }
  }
  EXPECT_GE(colours.size(), 40U);
  EXPECT_GT(pickable, 229 * 164 * 3 / 4);
  // the four corners of the area are swatches
  for (auto [x, y] : {std::pair{244, 26}, std::pair{472, 26}, std::pair{244, 189}, std::pair{472, 189}}) {
    EXPECT_NE(At(x, y), kDialogGround) << x << "," << y;
  }
}

TEST_F(PaletteAreas, ColoursStopAtTheEdgesOfTheAreas) {
  // A colourful pixel just outside an area would look pickable and not be: check a 2 px ring.
  struct Area {
    int left, top, right, bottom;
  };
  for (const Area& area : {Area{18, 26, 222, 270}, Area{244, 26, 473, 190}}) {
    for (int d = 1; d <= 2; ++d) {
      for (int x = area.left - d; x < area.right + d; ++x) {
        EXPECT_FALSE(Colourful(At(x, area.top - d))) << x << "," << area.top - d;
        EXPECT_FALSE(Colourful(At(x, area.bottom - 1 + d))) << x << "," << area.bottom - 1 + d;
      }
      for (int y = area.top - d; y < area.bottom + d; ++y) {
        EXPECT_FALSE(Colourful(At(area.left - d, y))) << area.left - d << "," << y;
        EXPECT_FALSE(Colourful(At(area.right - 1 + d, y))) << area.right - 1 + d << "," << y;
      }
    }
  }
}

}  // namespace

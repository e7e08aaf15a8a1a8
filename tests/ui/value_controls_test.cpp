// Sliders, value bars, scroll bar, battery and lists: their arithmetic, driven by real mouse input.
#include "tests/ui/ui_test_support.h"
#include "ui/list_controls.h"
#include "ui/value_controls.h"

namespace pelrin::test {
namespace {

class ValueControlTest : public QtFixture {
 protected:
  SkinFolder skins;
  TestHost host;
};

// Margins 6 and 7 around a usable width of 100: steps at 0, 33, 66 and 100 past the left margin.
constexpr Rect kSliderRect{10, 20, 10 + 6 + 100 + 7, 33};

TEST_F(ValueControlTest, SliderPlacesItsStepsAndTakesTheUpperStepAtAnExactMidpoint) {
  auto control = std::make_unique<CSliderControl>(&host, 3200, kSliderRect, 4, 6, 7, QString(), true, true, false);
  CSliderControl* slider = host.AddControl(1, std::move(control));
  EXPECT_EQ(slider->StepPositions(), (std::vector<int>{16, 49, 82, 116}));
  slider->SetValue(3);  // the knob is away from where the clicks land
  host.Open();
  struct Case { int x; int step; };
  // Midpoints are 32, 65 and 99.
  for (const Case& c : {Case{10, 0}, Case{31, 0}, Case{32, 1}, Case{64, 1}, Case{65, 2}, Case{98, 2}, Case{99, 3}}) {
    slider->SetValue(c.x < 80 ? 3 : 0);
    Click(&host, c.x, 25);
    EXPECT_EQ(slider->GetValue(), c.step) << "x " << c.x;
  }
  EXPECT_EQ(host.CodesOf(3200).back(), kNotifyClicked);
}

TEST_F(ValueControlTest, SliderDraggedOutsideReportsClampedStepsAndKeepsThemWithoutAClick) {
  auto control = std::make_unique<CSliderControl>(&host, 3200, kSliderRect, 4, 6, 7, QString(), true, true, false);
  CSliderControl* slider = host.AddControl(1, std::move(control));
  host.Open();
  MoveTo(&host, 12, 25);
  Press(&host, 12, 25);  // on the knob of step 0
  EXPECT_TRUE(slider->dragging);
  MoveTo(&host, 60, 80);
  MoveTo(&host, 300, 80);
  Release(&host, 300, 80);
  EXPECT_EQ(host.reports, (std::vector<Report>{{3200, 0, 1}, {3200, 1, 3}, {3200, 3, 3}}));
  EXPECT_EQ(slider->GetValue(), 3);
  EXPECT_FALSE(slider->dragging);
  // The knob's hit area followed the kept value: a new drag starts from it.
  MoveTo(&host, kSliderRect.right - 3, 25);
  Press(&host, kSliderRect.right - 3, 25);
  EXPECT_TRUE(slider->dragging);
  Release(&host, kSliderRect.right - 3, 25);
}

TEST_F(ValueControlTest, VerticalSliderValueRunsFromTheBottomUp) {
  auto control = std::make_unique<CVerticalSliderControl>(&host, 3280, Rect{20, 0, 27, 100}, 40, 0, 0, QString(),
                                                          true, true, false);
  CVerticalSliderControl* bar = host.AddControl(1, std::move(control));
  struct Case { int y; int value; };
  for (const Case& c : {Case{0, 39}, Case{50, 19}, Case{99, 0}, Case{100, 0}, Case{-20, 39}, Case{250, 0}}) {
    EXPECT_EQ(bar->ValueAt(c.y), c.value) << "y " << c.y;
  }
  host.Open();
  MoveTo(&host, 23, 90);
  Press(&host, 23, 90);
  MoveTo(&host, 23, 50);
  MoveTo(&host, 23, -30);
  Release(&host, 23, -30);
  EXPECT_EQ(host.reports, (std::vector<Report>{{3280, 0, 1}, {3280, 19, 3}, {3280, 39, 3}}));
}

class ScrollBarTest : public ValueControlTest {
 protected:
  void SetUp() override {
    // Strips of 3 frames, 6 wide and 6 high, with 2 columns to spare that are never drawn.
    QImage strip(20, 6, QImage::Format_ARGB32);
    strip.fill(Qt::gray);
    auto control = std::make_unique<CVScrollBar>(&host, 2016, Rect{10, 0, 22, 112}, QString(), true, true, false);
    bar = host.AddControl(1, std::move(control));
    ASSERT_TRUE(bar->SetArrowImages(strip, strip));
  }
  CVScrollBar* bar = nullptr;
};

TEST_F(ScrollBarTest, StripFramesAreAThirdOfTheWidthRoundedDown) {
  EXPECT_EQ(bar->frameWidth, 6);
  EXPECT_EQ(bar->frameHeight, 6);
}

TEST_F(ScrollBarTest, ThumbFollowsPositionPageAndRangeAndFillsTheTrackForRangeZero) {
  EXPECT_EQ(bar->TrackTop(), 6);
  EXPECT_EQ(bar->TrackBottom(), 105);  // a 100-row track
  struct Case { int position, page, range; int top, bottom; };
  for (const Case& c : {Case{0, 10, 0, 6, 105}, Case{7, 3, 0, 6, 105}, Case{10, 25, 100, 16, 40},
                        Case{0, 200, 100, 6, 105}, Case{90, 25, 100, 96, 105}, Case{1, 1, 3, 39, 71},
                        Case{-5, 10, 100, 6, 15}, Case{3, 10, -1, 6, 105}}) {
    bar->SetScrollInfo(c.position, c.page, c.range);
    EXPECT_EQ(bar->ThumbTop(), c.top) << c.position << "/" << c.page << "/" << c.range;
    EXPECT_EQ(bar->ThumbBottom(), c.bottom) << c.position << "/" << c.page << "/" << c.range;
  }
}

TEST_F(ScrollBarTest, PressReportsThePartAndAThumbDragReportsPositions) {
  bar->SetScrollInfo(10, 25, 100);
  host.Open();
  struct Case { int y; int part; };
  for (const Case& c : {Case{2, CVScrollBar::kUpArrow}, Case{110, CVScrollBar::kDownArrow},
                        Case{10, CVScrollBar::kAboveThumb}, Case{80, CVScrollBar::kBelowThumb},
                        Case{20, CVScrollBar::kThumb}}) {
    host.reports.clear();
    MoveTo(&host, 15, c.y);
    Press(&host, 15, c.y);
    EXPECT_EQ(host.reports.front(), (Report{2016, static_cast<WPARAM>(c.part), kNotifyPressed})) << "y " << c.y;
    if (c.part != CVScrollBar::kThumb) Release(&host, 15, c.y);
  }
  // Still holding the thumb at y 20: drag it 20 rows down, then past the end of the track.
  host.reports.clear();
  MoveTo(&host, 15, 40);
  EXPECT_EQ(bar->GetScrollPos(), 30);
  MoveTo(&host, 200, 400);
  EXPECT_EQ(bar->ThumbBottom(), bar->TrackBottom());
  Release(&host, 200, 400);
  EXPECT_EQ(host.reports, (std::vector<Report>{{2016, 0, 3}, {2016, 0, 3}, {2016, 0, 2}}));
  EXPECT_EQ(bar->GetScrollPos(), 75);  // the 25-row thumb stops at row 81
  EXPECT_EQ(bar->ThumbTop(), 81);
}

TEST_F(ValueControlTest, BatteryFillsFromTheBottomWithAtLeastOneUnit) {
  // Design image 10 x 64: fill rows 7 to 56; full is red, empty is blue.
  const QString full = skins.Add(QStringLiteral("full.png"), 10, 64, Qt::red);
  const QString empty = skins.Add(QStringLiteral("empty.png"), 10, 64, Qt::blue);
  const QString charging = skins.Add(QStringLiteral("charging.png"), 10, 64, Qt::green);
  const QString overlay = skins.Add(QStringLiteral("overlay.png"), 10, 64, QColor(0, 0, 0, 0));
  struct Case { float scale; int level; int firstFilledRow; };
  for (const Case& c : {Case{1.0F, 0, 56}, Case{1.0F, 1, 56}, Case{1.0F, 50, 32}, Case{1.0F, 100, 7},
                        Case{2.0F, 0, 112}, Case{2.0F, 100, 14}, Case{1.5F, 0, 84},
                        Case{1.0F, 255, 7}}) {
    SCOPED_TRACE(testing::Message() << "scale " << c.scale << " level " << c.level);
    ScaleGuard scale(c.scale);
    TestHost window(100, 200);
    auto control = std::make_unique<CBattery>(&window, Rect{0, 0, Scaled(10), Scaled(64)}, QString(), true, true);
    ASSERT_TRUE(control->SetImages(full, empty, charging, overlay));
    control->batteryLevel = static_cast<std::uint8_t>(c.level);
    window.AddControl(1, std::move(control));
    const QImage image = window.RenderToImage();
    EXPECT_EQ(PixelAt(image, 2, c.firstFilledRow), QColor(Qt::red));
    EXPECT_EQ(PixelAt(image, 2, c.firstFilledRow - 1), QColor(Qt::blue));
    EXPECT_EQ(PixelAt(image, 2, Scaled(64) - 1), QColor(Qt::red));
  }
}

TEST_F(ValueControlTest, BatteryChargingAndFullModes) {
  const QString full = skins.Add(QStringLiteral("full.png"), 10, 64, Qt::red);
  const QString empty = skins.Add(QStringLiteral("empty.png"), 10, 64, Qt::blue);
  const QString charging = skins.Add(QStringLiteral("charging.png"), 10, 64, Qt::green);
  QImage overlayImage(10, 64, QImage::Format_ARGB32);
  overlayImage.fill(Qt::transparent);
  overlayImage.setPixel(5, 0, qRgb(255, 255, 255));
  const QString overlay = skins.Add(QStringLiteral("overlay.png"), overlayImage);
  auto control = std::make_unique<CBattery>(&host, Rect{0, 0, 10, 64}, QString(), true, true);
  control->SetImages(full, empty, charging, overlay);
  CBattery* battery = host.AddControl(1, std::move(control));
  battery->batteryMode = CBattery::kCharging;  // charging level 25: 12 units, from row 45
  QImage image = host.RenderToImage();
  EXPECT_EQ(PixelAt(image, 2, 45), QColor(Qt::green));
  EXPECT_EQ(PixelAt(image, 2, 44), QColor(host.fillColor & 0xFF, (host.fillColor >> 8) & 0xFF, host.fillColor >> 16));
  EXPECT_EQ(PixelAt(image, 5, 0), QColor(Qt::white));
  battery->batteryMode = CBattery::kFull;
  image = host.RenderToImage();
  EXPECT_EQ(PixelAt(image, 2, 2), QColor(Qt::red));
  EXPECT_EQ(PixelAt(image, 5, 0), QColor(Qt::white));
}

TEST_F(ValueControlTest, ValueBarWithoutARangeDrawsItsBackgroundOnly) {
  const QString fill = skins.Add(QStringLiteral("fill.png"), 7, 132, Qt::red);
  const QString back = skins.Add(QStringLiteral("back.png"), 7, 132, Qt::blue);
  auto control = std::make_unique<CDPIValueShowControl>(&host, 3300, Rect{0, 0, 7, 132}, 0, 0, 0, QString(), true,
                                                        true, false);
  control->SetFillImage(fill);
  control->SetBackgroundImage(back);
  CDPIValueShowControl* bar = host.AddControl(1, std::move(control));
  EXPECT_EQ(PixelAt(host.RenderToImage(), 3, 131), QColor(Qt::blue));
  bar->maxValue = 4;
  bar->SetValue(1);  // (132 * 2 / 4) = 66 rows filled
  const QImage image = host.RenderToImage();
  EXPECT_EQ(PixelAt(image, 3, 66), QColor(Qt::red));
  EXPECT_EQ(PixelAt(image, 3, 65), QColor(Qt::blue));
  // Out of range: a full bar at most, nothing drawn above the control.
  bar->SetControlRect({0, 20, 7, 152});
  bar->SetValue(9);
  const QImage over = host.RenderToImage();
  EXPECT_EQ(PixelAt(over, 3, 20), QColor(Qt::red));
  EXPECT_NE(PixelAt(over, 3, 10), QColor(Qt::red));
}

// A flat tree: rows are root nodes; node 1 has children (hidden unless expanded).
class FlatTree : public ITreeListModel {
 public:
  int VisibleRowCount() const override { return expanded ? 4 : 3; }
  TreeAddress RowAddress(int row) const override {
    TreeAddress a;
    if (expanded && row == 2) {
      a.level = 1;
      a.index[0] = 1;
      a.index[1] = 0;
      return a;
    }
    a.level = 0;
    a.index[0] = expanded && row == 3 ? 2 : row;
    return a;
  }
  TreeNodeView Node(const TreeAddress& a) const override {
    return {QStringLiteral("node"), a.level == 0 && a.index[0] == 1, expanded};
  }
  void SetExpanded(const TreeAddress&, bool on) override { expanded = on; }
  void Select(const TreeAddress& a) override { selected = a; }
  bool expanded = false;
  TreeAddress selected;
};

TEST_F(ValueControlTest, TreeListSelectsTheRowUnderAPressClearsBelowTheLastAndOpensFolders) {
  const QString icon = skins.Add(QStringLiteral("folder.png"), 12, 12, Qt::yellow);
  FlatTree tree;
  auto control = std::make_unique<CEditShowList>(&host, Rect{10, 10, 170, 170}, QString(), true, true, false);
  control->SetFolderIcons(icon, icon);
  control->SetModel(&tree);
  CEditShowList* list = host.AddControl(1, std::move(control));
  host.Open();
  Click(&host, 100, 15);
  EXPECT_EQ(list->selectedRow, 0);
  EXPECT_EQ(tree.selected.level, 0);
  Click(&host, 100, 150);  // below the last row
  EXPECT_EQ(list->selectedRow, -1);
  EXPECT_EQ(tree.selected.level, -1);
  Click(&host, 15, 35);  // on the folder icon of row 1
  EXPECT_TRUE(tree.expanded);
  EXPECT_EQ(list->selectedRow, 1);
  EXPECT_EQ(host.CodesOf(CEditShowList::kId), (std::vector<LPARAM>{2, 2, 2})) << "a press alone reports nothing";
}

TEST(ListRows, VisibleRowsCountAHalfRowAsARow) {
  struct Case { float scale; int height; int rows; };
  for (const Case& c : {Case{1.0F, 160, 8}, Case{1.0F, 150, 8}, Case{1.0F, 149, 7}, Case{2.0F, 300, 8}}) {
    ScaleGuard scale(c.scale);
    EXPECT_EQ(VisibleListRows(c.height), c.rows) << c.scale << " " << c.height;
  }
}

class KeyNames : public IActionListModel {
 public:
  int ActionCount() const override { return 0; }
  std::uint32_t Action(int) const override { return 0; }
  QString KeyName(int code) const override { return QStringLiteral("key%1").arg(code); }
};

TEST(ActionText, PausesMovesWheelAndKeys) {
  struct Case { std::uint32_t word; const char* text; };
  // Words are b0 (code) in the low byte, then b1, b2, b3.
  for (const Case& c : {Case{0x64000003, "100ms"}, Case{0x01000000 | 0x00FF0003, "65281ms"}, Case{0x05000006, "5ms"},
                        Case{0x050000E5, "Move Right 5"}, Case{0xFB0000E5, "Move Left 5"},
                        Case{0xFB0000E6, "Move Up 5"}, Case{0x7F0000E6, "Move Down 127"},
                        Case{0x800000E7, "Wheel Up 128"}, Case{0x010000E7, "Wheel Down 1"},
                        Case{0x00008041, "key65"}, Case{0x000000E0, "key224"}}) {
    EXPECT_EQ(ActionText(c.word, KeyNames()), QString::fromLatin1(c.text)) << std::hex << c.word;
  }
}

}  // namespace
}  // namespace pelrin::test

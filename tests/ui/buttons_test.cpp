// The button family under real mouse input: the shared state machine and what each button adds.
#include "tests/ui/ui_test_support.h"
#include "ui/buttons.h"
#include "ui/value_controls.h"

namespace pelrin::test {
namespace {

class ButtonTest : public QtFixture {
 protected:
  void SetUp() override {
    normal = skins.Add(QStringLiteral("n.png"), 10, 10, Qt::darkGray);
    hover = skins.Add(QStringLiteral("o.png"), 10, 10, Qt::white);
    down = skins.Add(QStringLiteral("d.png"), 10, 10, Qt::yellow);
    RadioSelectionMask() = kInitialRadioSelectionMask;
    DpiStageMask() = kInitialDpiStageMask;
  }
  template <class T>
  T* WithImages(std::unique_ptr<T> button) {
    button->SetNormalImage(normal);
    button->SetHoverImage(hover);
    if constexpr (requires { button->SetDownImage(down); }) button->SetDownImage(down);
    return host.AddControl(1, std::move(button));
  }
  QColor Look(const CControlBase* c) { return PixelAt(host.RenderToImage(), c->rect.left + 2, c->rect.top + 2); }

  SkinFolder skins;
  QString normal, hover, down;
  TestHost host;
};

TEST_F(ButtonTest, CheckTogglesOnlyOnReleaseInside) {
  struct Case { int releaseX; bool checked; std::vector<LPARAM> codes; };
  for (const Case& c : {Case{30, true, {kNotifyPressed, kNotifyClicked}}, Case{90, false, {kNotifyPressed}}}) {
    SCOPED_TRACE(c.releaseX);
    TestHost window;
    auto box = std::make_unique<CCheckButton>(&window, 3501, Rect{20, 20, 60, 60}, QString(), 0, true, true, false);
    box->SetNormalImage(normal);
    CCheckButton* check = window.AddControl(1, std::move(box));
    window.Open();
    MoveTo(&window, 30, 30);
    Press(&window, 30, 30);
    MoveTo(&window, c.releaseX, 30);
    EXPECT_EQ(check->state, kStatePressed) << "a held button ignores moves";
    Release(&window, c.releaseX, 30);
    EXPECT_EQ(check->checked, c.checked);
    EXPECT_EQ(window.CodesOf(3501), c.codes);
  }
}

TEST_F(ButtonTest, CheckedLookAndTextFollowTheFlag) {
  auto box = std::make_unique<CCheckButton>(&host, 3001, Rect{20, 20, 200, 45}, QString(), 0, true, true, false);
  box->SetLookTexts(QStringLiteral("closed"), QStringLiteral("open"));
  CCheckButton* header = WithImages(std::move(box));
  host.Open();
  EXPECT_EQ(Look(header), QColor(Qt::darkGray));
  EXPECT_EQ(header->text, QStringLiteral("closed"));
  Click(&host, 30, 30);
  MoveTo(&host, 300, 200);
  EXPECT_EQ(Look(header), QColor(Qt::yellow));
  EXPECT_EQ(header->text, QStringLiteral("open"));
}

TEST_F(ButtonTest, RadioSelectsItselfAndClearsOnlyItsOwnGroup) {
  const unsigned ids[] = {3030, 3031, 3032, 3033, 2009, 2010, 3034};
  std::map<unsigned, CRadioButton*> radios;
  int x = 10;
  for (unsigned id : ids) {
    radios[id] = WithImages(std::make_unique<CRadioButton>(&host, id, Rect{x, 20, x + 20, 40}, QString(), true, true, false));
    x += 30;
  }
  host.Open();
  struct Case { unsigned click; std::uint32_t mask; };
  // From 0x00280282: polling 3033, sleep-check 3501, DPI-tab 2080, lift 2009 and motion 3511 selected.
  for (const Case& c : {Case{3031, 0x00220282}, Case{2010, 0x00220302}, Case{3031, 0x00220302},
                        Case{3034, 0x00220302}}) {
    SCOPED_TRACE(c.click);
    const Rect r = radios[c.click]->rect;
    host.reports.clear();
    Click(&host, r.left + 5, r.top + 5);
    EXPECT_EQ(RadioSelectionMask(), c.mask);
    EXPECT_EQ(host.CodesOf(c.click).back(), kNotifyClicked);
  }
  MoveTo(&host, 390, 290);
  EXPECT_EQ(Look(radios[3031]), QColor(Qt::yellow));
  EXPECT_EQ(Look(radios[3033]), QColor(Qt::darkGray));
  EXPECT_EQ(Look(radios[2010]), QColor(Qt::yellow));
  EXPECT_EQ(Look(radios[2009]), QColor(Qt::darkGray));
}

TEST_F(ButtonTest, DpiStageSelectsStagesUpToItselfAndKeepsHighBits) {
  std::vector<CDPIRadioButton*> stages;
  for (unsigned k = 0; k < 8; ++k) {
    const int x = 10 + 38 * static_cast<int>(k);
    stages.push_back(WithImages(std::make_unique<CDPIRadioButton>(&host, 3290 + k, Rect{x, 20, x + 26, 31}, QString(),
                                                                  true, true, false)));
  }
  DpiStageMask() = 0x1F02;
  host.Open();
  Click(&host, stages[2]->rect.left + 3, 25);
  EXPECT_EQ(DpiStageMask(), 0x1F07U);
  MoveTo(&host, 390, 290);
  for (std::size_t k = 0; k < 8; ++k) {
    EXPECT_EQ(Look(stages[k]), k < 3 ? QColor(Qt::yellow) : QColor(Qt::darkGray)) << "stage " << k + 1;
  }
}

TEST_F(ButtonTest, ComboCountsItsEntryReportsAndHoldsItsLookWhileItsPopupIsOpen) {
  CComboButton* combo = WithImages(std::make_unique<CComboButton>(&host, 2013, Rect{20, 20, 182, 41}, 1028,
                                                                  QStringLiteral("Disable"), QString(), 0, true, true,
                                                                  false));
  host.Open();
  for (int x = 30; x < 100; x += 10) MoveTo(&host, x, 30);  // seven moves inside
  MoveTo(&host, 300, 200);
  MoveTo(&host, 310, 200);
  EXPECT_EQ(host.reports, (std::vector<Report>{{1028, 2013, 4}, {1028, 2013, 4}, {1028, 2013, 4}, {1028, 2013, 4},
                                               {1028, 2013, 4}, {1028, 2013, 5}}));

  host.reports.clear();
  Click(&host, 30, 30);
  EXPECT_EQ(host.reports, (std::vector<Report>{{1028, 2013, 4}, {2013, 0, 1}, {1028, 2013, 2}}));

  combo->holdHover = true;
  host.reports.clear();
  MoveTo(&host, 300, 200);
  EXPECT_EQ(host.CodesOf(1028), std::vector<LPARAM>{}) << "no leave report while held";
  EXPECT_EQ(combo->state, kStateNormal);
  EXPECT_EQ(Look(combo), QColor(Qt::white));
  combo->holdHover = false;
  EXPECT_EQ(Look(combo), QColor(Qt::darkGray));
}

TEST_F(ButtonTest, ImageButtonClickCarriesItsIdAndOnlyTheProfileListButtonReportsEveryMove) {
  WithImages(std::make_unique<CImageButton>(&host, 3502, Rect{20, 20, 89, 40}, QString(), 0, true, true, false));
  WithImages(std::make_unique<CImageButton>(&host, 2062, Rect{120, 20, 189, 40}, QString(), 0, true, true, false));
  host.Open();
  for (int x : {25, 30, 35}) MoveTo(&host, x, 30);
  for (int x : {125, 130, 135}) MoveTo(&host, x, 30);
  Press(&host, 135, 30);
  Release(&host, 135, 30);
  EXPECT_EQ(host.reports, (std::vector<Report>{{3502, 0, 12}, {3502, 0, 12}, {3502, 0, 12}, {2062, 0, 1},
                                               {2062, 2062, 2}}));
}

TEST_F(ButtonTest, TabClickMakesItsProfileCurrentAndDrawsSelected) {
  int current = 0;
  BindCurrentTabIndex(&current);
  std::vector<CTabControl*> tabs;
  for (unsigned k = 0; k < 3; ++k) {
    const int y = 20 + 25 * static_cast<int>(k);
    auto tab = std::make_unique<CTabControl>(&host, 2049 + k, Rect{20, y, 182, y + 21}, QString(), 0, true, true, false);
    tab->SetNormalImage(normal);
    tab->SetHoverImage(hover);
    tab->SetSelectedImage(down);
    tab->SetSelectedHoverImage(skins.Add(QStringLiteral("sel_ov.png"), 10, 10, Qt::cyan));
    tabs.push_back(host.AddControl(1, std::move(tab)));
  }
  host.Open();
  Click(&host, 30, 72);
  EXPECT_EQ(current, 2);
  EXPECT_EQ(Look(tabs[2]), QColor(Qt::cyan)) << "selected and under the pointer";
  MoveTo(&host, 300, 200);
  EXPECT_EQ(Look(tabs[2]), QColor(Qt::yellow));
  EXPECT_EQ(Look(tabs[0]), QColor(Qt::darkGray));
  QTest::mouseClick(&host, Qt::RightButton, {}, QPoint(300, 200));
  MoveTo(&host, 30, 47);
  QTest::mouseClick(&host, Qt::RightButton, {}, QPoint(30, 47));
  EXPECT_EQ(host.reports.back(), (Report{2050, 2050, kNotifyRightClicked}));
  EXPECT_EQ(current, 2) << "a right click selects nothing";
  BindCurrentTabIndex(nullptr);
}

TEST_F(ButtonTest, LinkReportsEachEntryAndLeaveOnce) {
  host.AddControl(1, std::make_unique<CLinkButton>(&host, Rect{20, 20, 220, 38}, QStringLiteral("https://x/"), 0, true,
                                                   true, false));
  host.Open();
  for (int x : {30, 40, 300, 310, 50, 60, 300}) MoveTo(&host, x, 25);
  EXPECT_EQ(host.CodesOf(CLinkButton::kId), (std::vector<LPARAM>{4, 5, 4, 5}));
}

TEST_F(ButtonTest, SetTextRepaintsOnlyWhenTheTextChanges) {
  CImageButton* button = WithImages(std::make_unique<CImageButton>(&host, 2062, Rect{20, 20, 89, 40}, QStringLiteral("A"),
                                                                   0, true, true, false));
  host.Open();
  QCoreApplication::processEvents();
  host.painted.clear();
  button->SetText(QStringLiteral("A"));
  QCoreApplication::processEvents();
  EXPECT_TRUE(host.painted.empty());
  button->SetText(QStringLiteral("a"));
  QCoreApplication::processEvents();
  EXPECT_EQ(host.painted, std::vector<QRect>{button->rect.ToQRect()});
}

TEST_F(ButtonTest, DoubleClickReachesTheSwatchUnderThePointerOnly) {
  CColorSelectCheckButton* swatch = WithImages(std::make_unique<CColorSelectCheckButton>(
      &host, 3180, Rect{20, 20, 41, 40}, QString(), true, true, false));
  host.Open();
  MoveTo(&host, 25, 25);
  QTest::mouseDClick(&host, Qt::LeftButton, {}, QPoint(25, 25));
  const std::vector<LPARAM> codes = host.CodesOf(3180);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), kNotifyDoubleClicked), 1);
  EXPECT_EQ(codes.back(), kNotifyClicked);
  EXPECT_FALSE(swatch->selected) << "the owner marks the selection, not the swatch";
  host.reports.clear();
  MoveTo(&host, 200, 200);
  QTest::mouseDClick(&host, Qt::LeftButton, {}, QPoint(200, 200));
  EXPECT_TRUE(host.reports.empty());
}

TEST_F(ButtonTest, SleepDialPicksTheWedgeUnderTheReleaseAndTheLowerOneOnASharedEdge) {
  auto dial = std::make_unique<CPowerManageButton>(&host, Rect{10, 10, 150, 94}, QString(), true, true, false);
  CPowerManageButton* power = host.AddControl(1, std::move(dial));
  host.Open();
  struct Case { int dx, dy; int value; bool reported; };
  // Points relative to the dial; (80, 52) lies on the edge shared by the 7- and 8-minute wedges.
  for (const Case& c : {Case{20, 65, 3, true}, Case{120, 66, 10, true}, Case{80, 52, 7, true},
                        Case{70, 30, 6, true}, Case{5, 10, 6, false}}) {
    SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
    power->value = 6;
    host.reports.clear();
    Click(&host, 10 + c.dx, 10 + c.dy);
    EXPECT_EQ(power->value, c.value);
    EXPECT_EQ(host.CodesOf(3500).back() == kNotifyClicked, c.reported);
  }
}

}  // namespace
}  // namespace pelrin::test

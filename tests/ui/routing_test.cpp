// The host's routing of real mouse input to its controls, its painting, and its messages and timers.
#include <QElapsedTimer>

#include "tests/ui/ui_test_support.h"
#include "ui/buttons.h"
#include "ui/value_controls.h"

namespace pelrin::test {
namespace {

class RoutingTest : public QtFixture {
 protected:
  void SetUp() override {
    red = skins.Add(QStringLiteral("red.png"), 10, 10, Qt::red);
    blue = skins.Add(QStringLiteral("blue.png"), 10, 10, Qt::blue);
  }
  // An image button drawn in `colour` in both looks.
  CImageButton* AddButton(int list, unsigned id, Rect rect, const QString& image) {
    auto button = std::make_unique<CImageButton>(&host, id, rect, QString(), 0, true, true, false);
    button->SetNormalImage(image);
    button->SetHoverImage(image);
    return host.AddControl(list, std::move(button));
  }

  SkinFolder skins;
  QString red, blue;
  TestHost host;
};

TEST_F(RoutingTest, HiddenControlIsNeitherDrawnNorHitAndTheOneBelowTakesThePointer) {
  CImageButton* below = AddButton(1, 2100, {20, 20, 120, 120}, blue);
  CImageButton* above = AddButton(2, 2101, {40, 40, 100, 100}, red);
  host.Open();

  QImage shown = host.RenderToImage();
  EXPECT_EQ(PixelAt(shown, 50, 50), QColor(Qt::red));
  MoveTo(&host, 50, 50);
  EXPECT_EQ(host.HoverControl(), above);

  for (bool useShown : {false, true}) {
    SCOPED_TRACE(useShown ? "SetShown(false)" : "SetVisible(false)");
    if (useShown) above->SetShown(false); else above->SetVisible(false);
    EXPECT_EQ(PixelAt(host.RenderToImage(), 50, 50), QColor(Qt::blue));
    MoveTo(&host, 51, 51);
    EXPECT_EQ(host.HoverControl(), below);
    Click(&host, 52, 52);
    EXPECT_EQ(host.CodesOf(2101), std::vector<LPARAM>{});
    EXPECT_EQ(host.CodesOf(2100).back(), kNotifyClicked);
    above->SetVisible(true);
    above->SetShown(true);
  }
}

TEST_F(RoutingTest, LaterOfTwoOverlappingControlsWinsAcrossAndWithinLists) {
  CImageButton* first = AddButton(1, 2100, {20, 20, 120, 120}, blue);
  CImageButton* sameList = AddButton(1, 2101, {60, 60, 160, 160}, red);
  CImageButton* laterList = AddButton(3, 2102, {100, 100, 200, 200}, blue);
  host.Open();
  struct Case { int x, y; CControlBase* expected; };
  for (const Case& c : {Case{30, 30, first}, Case{70, 70, sameList}, Case{110, 110, laterList},
                        Case{150, 150, laterList}, Case{300, 250, nullptr}}) {
    MoveTo(&host, 300, 280);  // come in from the background each time
    MoveTo(&host, c.x, c.y);
    EXPECT_EQ(host.HoverControl(), c.expected) << c.x << "," << c.y;
  }
  // Only the control on top hears the click.
  MoveTo(&host, 300, 280);
  Click(&host, 70, 70);
  EXPECT_EQ(host.CodesOf(2100), std::vector<LPARAM>{});
  EXPECT_EQ(host.CodesOf(2101), (std::vector<LPARAM>{kNotifyPressed, kNotifyClicked}));
}

TEST_F(RoutingTest, PressOnBackgroundDragsTheWindow) {
  AddButton(1, 2100, {20, 20, 60, 60}, red);
  host.Open();
  const QPoint start = host.pos();
  MoveTo(&host, 200, 200);
  Press(&host, 200, 200);
  EXPECT_TRUE(host.IsDraggingWindow());
  EXPECT_EQ(host.PressedControl(), nullptr);
  // The pointer moves on screen; the window follows, so the pointer stays at the same window point.
  MoveTo(&host, 230, 215);
  Release(&host, 200, 200);
  EXPECT_EQ(host.pos(), start + QPoint(30, 15));
  EXPECT_FALSE(host.IsDraggingWindow());
  EXPECT_TRUE(host.reports.empty());
}

TEST_F(RoutingTest, PressOnControlCapturesUntilReleaseAndFreezesHover) {
  CImageButton* pressed = AddButton(1, 2100, {20, 20, 60, 60}, red);
  CImageButton* other = AddButton(1, 2101, {100, 20, 140, 60}, blue);
  host.Open();
  MoveTo(&host, 30, 30);
  Press(&host, 30, 30);
  EXPECT_TRUE(host.HasCapture());
  EXPECT_FALSE(host.IsDraggingWindow());
  EXPECT_EQ(host.PressedControl(), pressed);
  EXPECT_EQ(pressed->state, kStatePressed);

  // Held and moved over another control and beyond the window: nothing else lights up.
  MoveTo(&host, 110, 30);
  MoveTo(&host, 500, 400);
  EXPECT_EQ(host.HoverControl(), pressed);
  EXPECT_EQ(other->state, kStateNormal);
  EXPECT_EQ(pressed->state, kStatePressed);

  // The release outside the window still reaches the pressed control, which does not click.
  Release(&host, 500, 400);
  EXPECT_FALSE(host.HasCapture());
  EXPECT_EQ(pressed->state, kStateNormal);
  EXPECT_EQ(host.HoverControl(), nullptr);
  EXPECT_EQ(host.CodesOf(2100), std::vector<LPARAM>{kNotifyPressed});
}

TEST_F(RoutingTest, AControlHiddenUnderThePointerTakesNoPress) {
  CImageButton* below = AddButton(1, 2100, {20, 20, 120, 120}, blue);
  CImageButton* above = AddButton(1, 2101, {40, 40, 100, 100}, red);
  host.Open();
  MoveTo(&host, 50, 50);
  ASSERT_EQ(host.HoverControl(), above);
  above->SetShown(false);  // a handler hid it while the pointer rests on it
  Press(&host, 50, 50);
  Release(&host, 50, 50);
  EXPECT_EQ(host.CodesOf(2101), std::vector<LPARAM>{});
  MoveTo(&host, 51, 51);
  EXPECT_EQ(host.HoverControl(), below);
}

TEST_F(RoutingTest, TheWindowShowsWhatItsOffScreenRenderingHolds) {
  AddButton(1, 2100, {20, 20, 120, 120}, blue);
  AddButton(3, 2101, {40, 40, 100, 100}, red);
  host.Open();
  const QImage onScreen = host.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(onScreen, host.RenderToImage());
}

TEST_F(RoutingTest, ImageSizeIsTheLastLoadedAndReleasedImagesDrawNothing) {
  const QString wide = skins.Add(QStringLiteral("wide.png"), 20, 5, Qt::red);
  auto control = std::make_unique<CImageButton>(&host, 2100, Rect{0, 0, 40, 40}, QString(), 0, true, true, false);
  EXPECT_TRUE(control->SetNormalImage(red));
  EXPECT_TRUE(control->SetHoverImage(wide));
  EXPECT_EQ(std::make_pair(control->imageWidth, control->imageHeight), std::make_pair(20, 5));
  EXPECT_FALSE(control->SetHoverImage(QStringLiteral("skins/none.png")));
  EXPECT_EQ(std::make_pair(control->imageWidth, control->imageHeight), std::make_pair(20, 5));
  EXPECT_TRUE(MissingSkinFiles().contains(QStringLiteral("skins/none.png")));
  host.AddControl(1, std::move(control));
  EXPECT_EQ(PixelAt(host.RenderToImage(), 5, 5), QColor(Qt::red));
  host.ReleaseControlImages();
  EXPECT_EQ(PixelAt(host.RenderToImage(), 5, 5), ToQColor(host.fillColor));
}

TEST_F(RoutingTest, LeavingTheWindowDropsTheHoverLook) {
  CImageButton* button = AddButton(1, 2100, {20, 20, 60, 60}, red);
  host.Open();
  MoveTo(&host, 30, 30);
  EXPECT_EQ(button->state, kStateHover);
  Leave(&host);
  EXPECT_EQ(button->state, kStateNormal);
  EXPECT_EQ(host.HoverControl(), nullptr);
}

TEST_F(RoutingTest, RightClickReachesOnlyListOne) {
  auto inList = [&](int list, unsigned id, Rect rect) {
    auto tab = std::make_unique<CTabControl>(&host, id, rect, QString(), 0, true, true, false);
    return host.AddControl(list, std::move(tab));
  };
  inList(1, 2049, {20, 20, 100, 40});
  inList(2, 2050, {20, 60, 100, 80});
  host.Open();
  for (int y : {30, 70}) {
    MoveTo(&host, 50, y);
    QTest::mouseClick(&host, Qt::RightButton, {}, QPoint(50, y));
  }
  EXPECT_EQ(host.reports, (std::vector<Report>{{2049, 2049, kNotifyRightClicked}}));
}

TEST_F(RoutingTest, GetControlFindsTheFirstInListOrder) {
  CImageButton* early = AddButton(2, 3400, {0, 0, 10, 10}, red);
  AddButton(2, 3400, {20, 0, 30, 10}, red);
  AddButton(5, 3400, {40, 0, 50, 10}, red);
  CImageButton* listOne = AddButton(1, 3401, {60, 0, 70, 10}, red);
  EXPECT_EQ(host.GetControl(3400), early);
  EXPECT_EQ(host.GetControl(3401), listOne);
  EXPECT_EQ(host.GetControl(9999), nullptr);
}

TEST_F(RoutingTest, DisabledControlIgnoresTheMouseAndReportsNothing) {
  CImageButton* button = AddButton(1, 2100, {20, 20, 60, 60}, red);
  button->disabled = true;
  host.Open();
  Click(&host, 30, 30);
  EXPECT_EQ(button->state, kStateNormal);
  EXPECT_TRUE(host.reports.empty());
}

TEST_F(RoutingTest, ReleaseOfALayoutControlRepaintsTheWholeWindowOthersOnlyThemselves) {
  // A header click re-flows the window: its handler may move anything before the repaint.
  struct Case { unsigned id; bool whole; };
  for (const Case& c : {Case{3001, true}, Case{3009, true}, Case{2049, true}, Case{3010, false}, Case{2100, false}}) {
    SCOPED_TRACE(c.id);
    TestHost window;
    auto check = std::make_unique<CCheckButton>(&window, c.id, Rect{20, 20, 200, 45}, QString(), 0, true, true, false);
    check->SetNormalImage(red);
    CCheckButton* button = window.AddControl(1, std::move(check));
    window.Open();
    QCoreApplication::processEvents();
    MoveTo(&window, 30, 30);
    Press(&window, 30, 30);
    QCoreApplication::processEvents();
    window.painted.clear();
    Release(&window, 30, 30);
    QCoreApplication::processEvents();
    EXPECT_TRUE(button->checked);
    ASSERT_FALSE(window.painted.empty());
    const QRect expected = c.whole ? window.rect() : button->rect.ToQRect();
    EXPECT_EQ(window.painted.back(), expected);
  }
}

TEST_F(RoutingTest, PostedMessagesArriveLaterInOrderAndTimersRestart) {
  host.Open();
  host.PostMessage(1067, 1, 0);
  host.PostMessage(2999, 0, 0);
  EXPECT_TRUE(host.reports.empty());
  QCoreApplication::processEvents();
  EXPECT_EQ(host.reports, (std::vector<Report>{{1067, 1, 0}, {2999, 0, 0}}));

  int fired = 0;
  host.OnTimerFired(30, [&] {
    ++fired;
    host.KillTimer(30);
  });
  QElapsedTimer clock;
  clock.start();
  host.SetTimer(30, 40);
  QTest::qWait(25);
  host.SetTimer(30, 40);  // restarting pushes the deadline out
  EXPECT_EQ(fired, 0);
  QTRY_COMPARE_WITH_TIMEOUT(fired, 1, 2000);
  EXPECT_GE(clock.elapsed(), 60);
  EXPECT_FALSE(host.IsTimerRunning(30));
}

}  // namespace
}  // namespace pelrin::test

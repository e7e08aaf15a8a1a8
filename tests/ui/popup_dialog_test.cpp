// List popups and the dialog base: items, highlight, results, focus loss, closing; frames, modal runs.
#include <QPointer>
#include <QTimer>

#include "tests/ui/ui_test_support.h"
#include "ui/attention_dlg.h"
#include "ui/popup.h"

namespace pelrin::test {
namespace {

constexpr unsigned kResult = 1030;
constexpr WPARAM kOwnerValue = 2013;

class PopupTest : public QtFixture {
 protected:
  void SetUp() override {
    host.Open();
    // The choice is read while the report is being sent: the record lives only for that call.
    host.OnMessage(kResult, [this](WPARAM w, LPARAM l) -> LRESULT {
      chosen.push_back({w, reinterpret_cast<const PopupResult*>(l)->text});
      return 0;
    });
  }
  // Items: "one" (1), "two" (2), a separator, "three" (3), 117 design pixels wide.
  CListPopup* OpenMenu(int kind = 14, int slot = 0) {
    auto* menu = new CListPopup(kind, 117, QRect(30, 0, 116, 22));
    menu->AddItem(QStringLiteral("one"), 1);
    menu->AddItem(QStringLiteral("two"), 2);
    menu->AddSeparator();
    menu->AddItem(QStringLiteral("three"), 3);
    host.OpenPopup(slot, menu, {10, 10, 130, 110}, kResult, kOwnerValue);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(menu));
    QTest::mouseMove(menu, QPoint(-5, -5));
    return menu;
  }

  SkinFolder skins;
  TestHost host;
  std::vector<std::pair<WPARAM, QString>> chosen;
};

TEST_F(PopupTest, ItemsAndSeparatorsAreLaidOutAtTheItemWidth) {
  for (float scale : {1.0F, 2.0F}) {
    ScaleGuard guard(scale);
    CListPopup* menu = OpenMenu();
    const int s = static_cast<int>(scale);
    ASSERT_EQ(menu->Items().size(), 4U);
    EXPECT_EQ(menu->Items()[0].rect, (Rect{s, s, 117 * s, 23 * s}));
    EXPECT_EQ(menu->Items()[1].rect, (Rect{s, 23 * s, 117 * s, 45 * s}));
    EXPECT_EQ(menu->Items()[2].rect, (Rect{s, 47 * s, 117 * s, 48 * s}));
    EXPECT_EQ(menu->Items()[3].rect, (Rect{s, 49 * s, 117 * s, 71 * s}));
    EXPECT_EQ(menu->size(), QSize(118 * s, 72 * s));
    EXPECT_EQ(menu->pos(), host.mapToGlobal(QPoint(10, 10)));
    host.ClosePopup(0);
    QCoreApplication::processEvents();
  }
}

TEST_F(PopupTest, HighlightFollowsThePointerButNeverASeparator) {
  CListPopup* menu = OpenMenu();
  struct Case { int y; int highlighted; };
  for (const Case& c : {Case{5, 0}, Case{10, 0}, Case{30, 1}, Case{47, -1}, Case{48, -1}, Case{60, 3}, Case{200, -1}}) {
    QTest::mouseMove(menu, QPoint(50, c.y));
    EXPECT_EQ(menu->hoverIndex, c.highlighted) << "y " << c.y;
  }
  // Drawn: the highlighted item white on its image, a separator in the highlight colour.
  const QImage image = menu->RenderToImage();
  EXPECT_EQ(PixelAt(image, 50, 47), QColor(53, 160, 222));
  EXPECT_EQ(PixelAt(image, 0, 0), QColor(Qt::black));
}

TEST_F(PopupTest, ReleaseOnTheHighlightedItemReportsItAndTheMenuStaysOpen) {
  CListPopup* menu = OpenMenu();
  QTest::mouseMove(menu, QPoint(50, 30));
  QTest::mousePress(menu, Qt::LeftButton, {}, QPoint(50, 30));
  QTest::mouseRelease(menu, Qt::LeftButton, {}, QPoint(50, 30));
  ASSERT_EQ(chosen.size(), 1U);
  EXPECT_EQ(chosen[0], (std::pair<WPARAM, QString>{kOwnerValue, QStringLiteral("two")}));
  EXPECT_EQ(menu->result.code[0], 2);
  EXPECT_EQ(host.Popup(0), menu);
}

TEST_F(PopupTest, ReleaseOutsideTheHighlightedItemClearsItAndReportsNothing) {
  CListPopup* menu = OpenMenu();
  QTest::mouseMove(menu, QPoint(50, 30));
  QTest::mousePress(menu, Qt::LeftButton, {}, QPoint(50, 30));
  QTest::mouseMove(menu, QPoint(50, 60));
  EXPECT_EQ(menu->hoverIndex, 1) << "the highlight stays while the button is held";
  QTest::mouseRelease(menu, Qt::LeftButton, {}, QPoint(300, 300));
  EXPECT_EQ(menu->hoverIndex, -1);
  EXPECT_TRUE(chosen.empty());
}

TEST_F(PopupTest, LosingActivationSendsTheMessageOfItsKind) {
  struct Case { int kind; std::vector<Report> expected; };
  for (const Case& c : {Case{7, {{1126, kOwnerValue, 7}}}, Case{0, {{1029, kOwnerValue, 0}}},
                        Case{15, {{1170, kOwnerValue, 15}}}, Case{1, {}}}) {
    SCOPED_TRACE(c.kind);
    CListPopup* menu = OpenMenu(c.kind);
    menu->activateWindow();
    QTRY_VERIFY(menu->isActiveWindow());
    host.reports.clear();
    host.activateWindow();  // a click elsewhere activates another window
    QTRY_VERIFY(!menu->isActiveWindow());
    EXPECT_EQ(host.reports, c.expected);
    EXPECT_TRUE(menu->isVisible()) << "the owner decides when to close it";
    host.ClosePopup(0);
    QCoreApplication::processEvents();
  }
}

TEST_F(PopupTest, ClosingTellsTheOwnerAndTheMenuDeletesItself) {
  QPointer<CListPopup> first = OpenMenu();
  host.reports.clear();
  QPointer<CListPopup> second = OpenMenu();  // same slot: the first one closes
  EXPECT_EQ(host.Popup(0), second.data());
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());
  EXPECT_EQ(host.CodesOf(kPopupClosedMessage).size(), 1U);
  host.ClosePopup(0);
  EXPECT_EQ(host.Popup(0), nullptr);
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(second.isNull());
  EXPECT_EQ(host.CodesOf(kPopupClosedMessage).size(), 2U);
}

TEST_F(PopupTest, AnOwnerDestroyedWithItsMenuOpenHearsNothingFromIt) {
  auto owner = std::make_unique<TestHost>();
  owner->Open();
  auto* menu = new CListPopup(7, 117, QRect(30, 0, 116, 22));
  menu->AddItem(QStringLiteral("one"), 1);
  owner->OpenPopup(0, menu, {10, 10, 130, 110}, kResult, kOwnerValue);
  QPointer<CListPopup> watch = menu;
  menu->activateWindow();
  QTRY_VERIFY(menu->isActiveWindow());
  owner.reset();
  EXPECT_TRUE(watch.isNull());
  QCoreApplication::processEvents();
}

class DialogTest : public QtFixture {
 protected:
  SkinFolder skins;
};

TEST_F(DialogTest, FrameBitmapSetsTheFillToItsAverageColourAndAMissingOneChangesNothing) {
  QImage frame(4, 2, QImage::Format_ARGB32);
  frame.fill(QColor(200, 100, 0));
  for (int x = 0; x < 4; ++x) frame.setPixel(x, 1, qRgb(100, 0, 51));
  const QString name = skins.Add(QStringLiteral("Frame_test.bmp"), frame);
  TestHost dialog;
  const ColorRef before = dialog.fillColor;
  EXPECT_FALSE(dialog.SetFrameBitmapFile(QStringLiteral("skins/missing.bmp")));
  EXPECT_EQ(dialog.fillColor, before);
  EXPECT_EQ(dialog.frameSize, QSize(100, 100));
  ASSERT_TRUE(dialog.SetFrameBitmapFile(name));
  EXPECT_EQ(dialog.fillColor, Rgb(150, 50, 25));
  EXPECT_EQ(dialog.frameSize, QSize(4, 2));
}

TEST_F(DialogTest, WindowPaintsFillThenScaledFrameThenControls) {
  ScaleGuard scale(2.0F);
  QImage halves(10, 10, QImage::Format_RGB32);
  halves.fill(Qt::red);
  for (int y = 0; y < 10; ++y) {
    for (int x = 5; x < 10; ++x) halves.setPixel(x, y, qRgb(0, 0, 255));
  }
  const QString frame = skins.Add(QStringLiteral("frame.bmp"), halves);
  const QString green = skins.Add(QStringLiteral("green.png"), 4, 4, Qt::green);
  TestHost dialog;
  dialog.SetDesignSize(10, 10);
  dialog.setFixedSize(60, 40);
  ASSERT_TRUE(dialog.SetFrameBitmapFile(frame));
  auto button = std::make_unique<CImageButton>(&dialog, 2100, Rect{8, 0, 12, 4}, QString(), 0, true, true, false);
  button->SetNormalImage(green);
  dialog.AddControl(1, std::move(button));
  const QImage image = dialog.RenderToImage();
  EXPECT_EQ(dialog.windowWidth, 20);
  EXPECT_EQ(PixelAt(image, 9, 19), QColor(Qt::red)) << "the 10-pixel frame covers 20 pixels";
  EXPECT_EQ(PixelAt(image, 19, 19), QColor(Qt::blue));
  EXPECT_EQ(PixelAt(image, 30, 5), QColor(127, 0, 127)) << "outside the frame: its average colour";
  EXPECT_EQ(PixelAt(image, 10, 2), QColor(Qt::green)) << "controls over the frame";
}

TEST(DialogSize, DesignSizesScaleByTruncation) {
  struct Case { float scale; int w, h; int scaledW, scaledH; };
  for (const Case& c : {Case{1.5F, 429, 140, 643, 210}, Case{1.5F, 319, 102, 478, 153}, Case{2.0F, 1127, 740, 2254, 1480},
                        Case{1.5F, 42, 471, 63, 706}}) {
    EXPECT_EQ(Scaled(c.w, c.scale), c.scaledW);
    EXPECT_EQ(Scaled(c.h, c.scale), c.scaledH);
  }
}

TEST(UiFontChoice, ChineseLanguageUsesSongTiOthersTahoma) {
  const UiFontSpec chinese = ChooseUiFont(u"中文", 1.5F);
  EXPECT_EQ(chinese.face, QStringView(u"宋体").toString());
  EXPECT_EQ(chinese.height, 18);
  EXPECT_EQ(chinese.charset, 134);
  const UiFontSpec english = ChooseUiFont(u"English", 1.5F);
  EXPECT_EQ(english.face, QStringLiteral("Tahoma"));
  EXPECT_EQ(english.height, 24);
  EXPECT_EQ(english.charset, 1);
  EXPECT_EQ(ChooseUiFont(u"", 1.0F).height, 16);
}

TEST_F(DialogTest, AttentionBoxRunsModallyAndEndsWithOkFromItsButton) {
  skins.Add(QStringLiteral("button2_nr.png"), 69, 20, Qt::darkGray);
  skins.Add(QStringLiteral("button2_ov.png"), 69, 20, Qt::gray);
  std::vector<CDlgBase*> opened, closed;
  CDlgBase::SetDialogTableHooks([&](CDlgBase* d) { opened.push_back(d); }, [&](CDlgBase* d) { closed.push_back(d); });
  {
    CAttentionDlg box(QStringLiteral("Warning"), QStringLiteral("Nothing selected."));
    EXPECT_EQ(box.windowWidth, 319);
    QTimer::singleShot(0, &box, [&] {
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
      const Rect ok = box.GetControl(CAttentionDlg::kOkButtonId)->rect;
      QTest::mouseMove(&box, QPoint(-5, -5));
      Click(&box, ok.left + 5, ok.top + 5);
    });
    EXPECT_EQ(box.DoModal(), kIdOk);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(opened, std::vector<CDlgBase*>{&box});
    EXPECT_TRUE(closed.empty());
    CAttentionDlg second(QStringLiteral("Warning"), QStringLiteral("Closed by the system."));
    QTimer::singleShot(0, &second, [&] { second.close(); });
    EXPECT_EQ(second.DoModal(), kIdCancel);
  }
  EXPECT_EQ(closed.size(), 2U);
  CDlgBase::SetDialogTableHooks(nullptr, nullptr);
}

}  // namespace
}  // namespace pelrin::test

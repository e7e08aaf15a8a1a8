// The gallery rendered with the real skins at two scales: every control paints its rectangle and every
// skin file loads. Needs the generated skins beside the programs; skipped while they are not built.
#include <QDir>
#include <QProcess>

#include "tests/ui/ui_test_support.h"
#include "ui/buttons.h"
#include "ui/gallery/gallery_dialog.h"
#include "ui/popup.h"

namespace pelrin::test {
namespace {

QString SkinRoot() {
  const QString overridden = qEnvironmentVariable("PELRIN_SKINS_ROOT");
  return overridden.isEmpty() ? QStringLiteral(PELRIN_BIN_DIR) : overridden;
}

class GalleryScreenshotTest : public QtFixture, public ::testing::WithParamInterface<float> {
 protected:
  void SetUp() override {
    if (!QDir(SkinRoot() + QStringLiteral("/skins")).exists()) {
      GTEST_SKIP() << "no skins/ in " << SkinRoot().toStdString() << " (build the skin artwork first)";
    }
    SetAppFolder(SkinRoot());
    ClearMissingSkinFiles();
  }
  void TearDown() override { SetAppFolder(QString()); }
  QTemporaryDir out;
};

TEST_P(GalleryScreenshotTest, EveryControlPaintsItsRectangleAndEverySkinLoads) {
  ScaleGuard scale(GetParam());
  CGalleryDlg gallery;
  const QImage shot = gallery.RenderShowcase();
  EXPECT_TRUE(MissingSkinFiles().isEmpty()) << "missing: " << MissingSkinFiles().join(QStringLiteral(", ")).toStdString();
  const QString file = out.filePath(QStringLiteral("gallery.png"));
  ASSERT_TRUE(shot.save(file, "PNG"));
  if (const QString keep = qEnvironmentVariable("PELRIN_SCREENSHOT_DIR"); !keep.isEmpty()) {
    shot.save(QStringLiteral("%1/gallery_%2.png").arg(keep).arg(GetParam()), "PNG");
  }
  const QImage saved(file);
  ASSERT_EQ(saved.size(), QSize(Scaled(CGalleryDlg::kDesignWidth), Scaled(CGalleryDlg::kDesignHeight)));

  // A control counts as painted when taking it away changes its rectangle.
  int checked = 0;
  for (int list = 1; list <= CDlgBase::kControlListCount; ++list) {
    for (const auto& control : gallery.Controls(list)) {
      if (!control->IsDisplayed()) continue;
      control->SetShown(false);
      const QImage without = gallery.RenderShowcase();
      control->SetShown(true);
      const QRect area = control->rect.ToQRect().intersected(saved.rect());
      bool differs = false;
      for (int y = area.top(); y <= area.bottom() && !differs; ++y) {
        for (int x = area.left(); x <= area.right() && !differs; ++x) differs = saved.pixel(x, y) != without.pixel(x, y);
      }
      EXPECT_TRUE(differs) << "control " << control->id << " paints nothing at scale " << GetParam();
      ++checked;
    }
  }
  EXPECT_GE(checked, 40);
}

INSTANTIATE_TEST_SUITE_P(Scales, GalleryScreenshotTest, ::testing::Values(1.0F, 2.0F));

TEST(EmbeddedImages, MainFrameAndScrollArrowStripsLoadByIdentifier) {
  App();
  if (LoadEmbeddedImage(364).isNull()) GTEST_SKIP() << "the program's embedded images are not built";
  struct Frame : CDlgBase {
    void CreateControls(int, int, int, int) override {}
  } dialog;
  const ColorRef before = dialog.fillColor;
  ASSERT_TRUE(dialog.SetFrameBitmap(364));
  EXPECT_EQ(dialog.frameSize, QSize(1127, 740));
  EXPECT_NE(dialog.fillColor, before);
  EXPECT_FALSE(dialog.SetFrameBitmap(9999));
  for (int id : {187, 188}) {
    SkinImage strip;
    int width = 0, height = 0;
    ASSERT_TRUE(LoadStripImage(strip, id, width, height)) << id;
    EXPECT_EQ(width, strip.Width() / 3);
    EXPECT_EQ(height, strip.Height());
  }
}

TEST(GalleryMenu, ComboOpensItsMenuAChoiceFillsItAndTheMenuCloses) {
  App();
  CGalleryDlg gallery;
  gallery.ShowModeless();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&gallery));
  QTest::mouseMove(&gallery, QPoint(-5, -5));
  auto* combo = dynamic_cast<CComboButton*>(gallery.GetControl(CGalleryDlg::kComboId));
  ASSERT_NE(combo, nullptr);
  Click(&gallery, combo->rect.left + 5, combo->rect.top + 5);
  QPointer<CWndPopup> menu = gallery.Popup(0);
  ASSERT_FALSE(menu.isNull());
  EXPECT_TRUE(combo->holdHover);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(menu.data()));
  auto* list = static_cast<CListPopup*>(menu.data());
  const Rect second = list->Items()[1].rect;
  QTest::mouseMove(menu.data(), QPoint(-5, -5));
  Click(menu.data(), second.left + 5, second.top + 5);
  EXPECT_EQ(combo->GetComboText(), QStringLiteral("Right Button"));
  QTRY_VERIFY(menu.isNull());
  EXPECT_FALSE(combo->holdHover);
  EXPECT_EQ(gallery.Popup(0), nullptr);
}

TEST(GalleryProgram, ScreenshotOptionWritesAScaledPngAndExits) {
  QTemporaryDir out;
  const QString file = out.filePath(QStringLiteral("shot.png"));
  QProcess gallery;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  gallery.setProcessEnvironment(env);
  gallery.start(QStringLiteral(PELRIN_GALLERY_PROGRAM),
                {QStringLiteral("--scale"), QStringLiteral("2.0"), QStringLiteral("--screenshot"), file});
  ASSERT_TRUE(gallery.waitForFinished(30000));
  EXPECT_EQ(gallery.exitCode(), 0) << gallery.readAllStandardError().toStdString();
  EXPECT_EQ(QImage(file).size(), QSize(1320, 880));

  gallery.start(QStringLiteral(PELRIN_GALLERY_PROGRAM), {QStringLiteral("--scale"), QStringLiteral("zero")});
  ASSERT_TRUE(gallery.waitForFinished(30000));
  EXPECT_NE(gallery.exitCode(), 0);
}

}  // namespace
}  // namespace pelrin::test

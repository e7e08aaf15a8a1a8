// Shared by the toolkit tests: a Qt application on the offscreen platform, a skin folder of solid images
// in a temporary directory, a host dialog that records what its controls report, and real mouse input.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTemporaryDir>
// Mouse input goes through the window system layer, as a real pointer's does (press grabs, moves carry buttons).
#define QTEST_QPA_MOUSE_HANDLING
#include <QTest>
#include <vector>

#include "ui/dlg_base.h"
#include "ui/skin.h"
#include "ui/ui_scale.h"

namespace pelrin::test {

inline QApplication& App() {
  static int argc = 1;
  static char name[] = "pelrin_ui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    return new QApplication(argc, argv);
  }();
  return *app;
}

// Base of fixtures that hold widgets: the application exists before any member is built.
class QtFixture : public ::testing::Test {
 protected:
  QtFixture() { App(); }
};

// A skins/ folder of solid-colour images, removed with the object; the toolkit reads from it.
class SkinFolder {
 public:
  SkinFolder() {
    EXPECT_TRUE(dir_.isValid());
    SetAppFolder(dir_.path());
    QDir(dir_.path()).mkpath(QStringLiteral("skins/mouse"));
  }
  ~SkinFolder() { SetAppFolder(QString()); }
  SkinFolder(const SkinFolder&) = delete;
  SkinFolder& operator=(const SkinFolder&) = delete;

  // Writes skins/<name> of the given size and colour and returns the relative name.
  QString Add(const QString& name, int width, int height, QColor colour) const {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    const QString relative = QStringLiteral("skins/") + name;
    EXPECT_TRUE(image.save(dir_.filePath(relative)));
    return relative;
  }
  QString Add(const QString& name, const QImage& image) const {
    const QString relative = QStringLiteral("skins/") + name;
    EXPECT_TRUE(image.save(dir_.filePath(relative)));
    return relative;
  }
  QString Path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
};

struct Report {
  unsigned message;
  WPARAM wparam;
  LPARAM lparam;
  friend bool operator==(const Report&, const Report&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Report& r) {
  return out << "{" << r.message << ", " << r.wparam << ", " << r.lparam << "}";
}

// A dialog whose messages without a handler are recorded in order.
class TestHost : public CDlgBase {
 public:
  explicit TestHost(int width = 400, int height = 300) {
    windowWidth = width;
    windowHeight = height;
    joinsDialogTable = false;
  }
  // Shows the window and waits until it can take input.
  void Open() {
    ShowModeless();
    move(100, 100);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(this));
    // Qt drops a move to where the pointer already is; start every window's pointer off the window.
    QTest::mouseMove(this, QPoint(-5, -5));
  }
  std::vector<Report> reports;
  std::vector<LPARAM> CodesOf(unsigned message) const {
    std::vector<LPARAM> codes;
    for (const Report& r : reports) {
      if (r.message == message) codes.push_back(r.lparam);
    }
    return codes;
  }
  using CDlgBase::DrawWindow;
  // Areas the window system was asked to repaint, in order.
  std::vector<QRect> painted;

 protected:
  void paintEvent(QPaintEvent* event) override {
    painted.push_back(event->rect());
    CDlgBase::paintEvent(event);
  }
  LRESULT WindowProc(unsigned message, WPARAM wparam, LPARAM lparam) override {
    reports.push_back({message, wparam, lparam});
    return 0;
  }
  void CreateControls(int, int, int, int) override {}
};

// Real mouse input through the window system layer.
inline void MoveTo(QWidget* w, int x, int y) { QTest::mouseMove(w, QPoint(x, y)); }
inline void Press(QWidget* w, int x, int y) { QTest::mousePress(w, Qt::LeftButton, {}, QPoint(x, y)); }
inline void Release(QWidget* w, int x, int y) { QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(x, y)); }
inline void Leave(QWidget* w) {
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(w, &leave);
}
inline void Click(QWidget* w, int x, int y) {
  MoveTo(w, x, y);
  Press(w, x, y);
  Release(w, x, y);
}

// Sets UiScale for one test and puts 1.0 back afterwards.
class ScaleGuard {
 public:
  explicit ScaleGuard(float scale) { SetUiScale(scale); }
  ~ScaleGuard() { SetUiScale(1.0F); }
  ScaleGuard(const ScaleGuard&) = delete;
  ScaleGuard& operator=(const ScaleGuard&) = delete;
};

inline QColor PixelAt(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }

}  // namespace pelrin::test

// Full repaint of a host the size of the main window (1127 x 740 design pixels) with about 150 image
// controls, as every WM_PAINT does it: fill, scaled frame, every control, into one off-screen buffer.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "ui/buttons.h"
#include "ui/dlg_base.h"
#include "ui/skin.h"
#include "ui/ui_scale.h"
#include "ui/value_controls.h"

namespace {

using namespace pelrin;

QApplication& App() {
  static int argc = 1;
  static char name[] = "ui_repaint_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

class MainSizedHost : public CDlgBase {
 public:
  MainSizedHost() { SetDesignSize(1127, 740); }
  void Build(const QString& folder) {
    const auto image = [&](const char* name, int w, int h, QColor colour) {
      QImage picture(w, h, QImage::Format_ARGB32);
      picture.fill(colour);
      for (int x = 0; x < w; x += 3) picture.setPixel(x, h / 2, qRgba(255, 255, 255, 128));
      picture.save(folder + QStringLiteral("/skins/") + QLatin1String(name));
      return QStringLiteral("skins/") + QLatin1String(name);
    };
    QImage frame(1127, 740, QImage::Format_RGB32);
    frame.fill(QColor(20, 22, 28));
    frame.save(folder + QStringLiteral("/skins/frame.bmp"));
    SetFrameBitmapFile(QStringLiteral("skins/frame.bmp"));
    const QString buttonNormal = image("button_nr.png", 69, 20, QColor(40, 40, 48));
    const QString buttonHover = image("button_ov.png", 69, 20, QColor(60, 60, 70));
    const QString comboNormal = image("combo_nr.png", 162, 21, QColor(30, 32, 40));
    const QString comboHover = image("combo_ov.png", 162, 21, QColor(50, 52, 60));
    const QString radio = image("radio.png", 72, 72, QColor(40, 90, 140, 200));
    const QString check = image("check.png", 15, 15, QColor(90, 90, 90));
    const QString dot = image("dot.png", 8, 8, QColor(0, 200, 0));
    const QString header = image("header.png", 262, 25, QColor(35, 35, 45));
    unsigned id = 2100;
    // 60 text buttons, 40 combos, 20 radios, 10 headers, 10 check boxes, 10 images: 150 image controls.
    for (int k = 0; k < 60; ++k) {
      const int x = 20 + (k % 12) * 90, y = 40 + (k / 12) * 30;
      auto b = std::make_unique<CImageButton>(this, id++, Rect{Scaled(x), Scaled(y), Scaled(x + 69), Scaled(y + 20)},
                                              QStringLiteral("Button %1").arg(k), kDtCenter, true, true, false);
      b->SetNormalImage(buttonNormal);
      b->SetHoverImage(buttonHover);
      AddControl(1, std::move(b));
    }
    for (int k = 0; k < 40; ++k) {
      const int x = 20 + (k % 5) * 180, y = 200 + (k / 5) * 28;
      auto c = std::make_unique<CComboButton>(this, id++, Rect{Scaled(x), Scaled(y), Scaled(x + 162), Scaled(y + 21)},
                                              1028, QStringLiteral("Disable"), QString(), kDtCenter, true, true, false);
      c->SetNormalImage(comboNormal);
      c->SetHoverImage(comboHover);
      AddControl(2, std::move(c));
    }
    for (int k = 0; k < 20; ++k) {
      const int x = 20 + (k % 10) * 76, y = 440 + (k / 10) * 76;
      auto r = std::make_unique<CRadioButton>(this, 3030 + static_cast<unsigned>(k % 4),
                                              Rect{Scaled(x), Scaled(y), Scaled(x + 72), Scaled(y + 72)}, QString(),
                                              true, true, false);
      r->SetNormalImage(radio);
      r->SetHoverImage(radio);
      r->SetDownImage(radio);
      AddControl(5, std::move(r));
    }
    for (int k = 0; k < 10; ++k) {
      const int y = 37 + k * 30;
      auto h = std::make_unique<CCheckButton>(this, id++, Rect{Scaled(846), Scaled(y), Scaled(1108), Scaled(y + 25)},
                                              QStringLiteral("Header %1").arg(k), kDtLeft, true, true, false);
      h->SetNormalImage(header);
      h->SetHoverImage(header);
      h->SetDownImage(header);
      AddControl(1, std::move(h));
      auto c = std::make_unique<CCheckButton>(this, id++, Rect{Scaled(820), Scaled(y + 5), Scaled(835), Scaled(y + 20)},
                                              QString(), 0, true, true, false);
      c->SetNormalImage(check);
      AddControl(1, std::move(c));
      auto d = std::make_unique<CStaticImage>(this, 3401, Rect{Scaled(800), Scaled(y + 8), Scaled(808), Scaled(y + 16)},
                                              QString(), true, true);
      d->SetImage(dot);
      AddControl(1, std::move(d));
    }
  }

 protected:
  void CreateControls(int, int, int, int) override {}
};

void FullRepaint(benchmark::State& state, float scale) {
  App();
  SetUiScale(scale);
  QTemporaryDir folder;
  QDir(folder.path()).mkpath(QStringLiteral("skins"));
  SetAppFolder(folder.path());
  MainSizedHost host;
  host.setFixedSize(host.windowWidth, host.windowHeight);
  host.Build(folder.path());
  QImage buffer;
  host.RenderInto(buffer);  // the first paint scales every image once
  for (auto _ : state) {
    host.RenderInto(buffer);
    benchmark::DoNotOptimize(buffer.constBits());
  }
  state.counters["controls"] = 150;
  state.counters["pixels"] = static_cast<double>(buffer.width()) * buffer.height();
  SetUiScale(1.0F);
  SetAppFolder(QString());
}

void BM_FullRepaintScale2(benchmark::State& state) { FullRepaint(state, 2.0F); }
void BM_FullRepaintScale1(benchmark::State& state) { FullRepaint(state, 1.0F); }
BENCHMARK(BM_FullRepaintScale2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaintScale1)->Unit(benchmark::kMillisecond);

}  // namespace

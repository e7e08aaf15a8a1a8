// pelrin-gallery: one of every skinned control, to look at, click and screenshot.
#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

#include "settings/language.h"
#include "ui/gallery/gallery_dialog.h"
#include "ui/skin.h"
#include "ui/ui_scale.h"
#ifdef PELRIN_HAVE_FONT_SETUP
#include "skins/font_setup.h"
#endif

int main(int argc, char** argv) {
#ifdef PELRIN_HAVE_FONT_SETUP
  pelrin::skins::UseBundledFontConfig();
#endif
  // The toolkit scales by UiScale itself; Qt must not scale again.
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  QApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Shows every control of the pelrin skinned toolkit."));
  parser.addHelpOption();
  QCommandLineOption scale(QStringLiteral("scale"), QStringLiteral("UI scale: 1.0, 1.5 or 2.0."),
                           QStringLiteral("factor"), QStringLiteral("1.0"));
  QCommandLineOption screenshot(QStringLiteral("screenshot"), QStringLiteral("Render to a PNG file and exit."),
                                QStringLiteral("file"));
  QCommandLineOption skins(QStringLiteral("skins"), QStringLiteral("Folder holding skins/ (default: beside the program)."),
                           QStringLiteral("folder"));
  parser.addOptions({scale, screenshot, skins});
  parser.process(app);

  bool ok = false;
  const float factor = parser.value(scale).toFloat(&ok);
  if (!ok || factor <= 0.0F || factor > 4.0F) {
    QTextStream(stderr) << "pelrin-gallery: --scale wants a number between 0 and 4\n";
    return 2;
  }
  pelrin::SetUiScale(factor);
  pelrin::Language().Set(0, u"English");
  pelrin::RefreshUiFont();
  if (parser.isSet(skins)) pelrin::SetAppFolder(parser.value(skins));

  pelrin::CGalleryDlg gallery;
  if (parser.isSet(screenshot)) {
    const QImage image = gallery.RenderShowcase();
    for (const QString& missing : pelrin::MissingSkinFiles()) {
      QTextStream(stderr) << "pelrin-gallery: missing skin " << missing << '\n';
    }
    if (!image.save(parser.value(screenshot), "PNG")) {
      QTextStream(stderr) << "pelrin-gallery: cannot write " << parser.value(screenshot) << '\n';
      return 1;
    }
    return 0;
  }
  gallery.DoModal();
  return 0;
}

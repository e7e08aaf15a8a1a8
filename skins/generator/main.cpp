// pelrin_skin_generator: draws every image of the artwork table.
//
//   pelrin_skin_generator <artwork.table> <folder for skins/...> <folder for res/...>
//
// Runs without a display (offscreen platform). Fails, naming the line, on any fault in the table.
#include "skins/generator/artwork_table.h"
#include "skins/generator/painters.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

std::string ReadWholeFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw pelrin::skins::ArtworkError(std::string("cannot read ") + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

QString OutputPath(const std::string& tablePath, const QString& skinsRoot, const QString& resRoot) {
  const QString path = QString::fromStdString(tablePath);
  if (path.startsWith(QStringLiteral("res/"))) return QDir(resRoot).filePath(path.mid(4));
  return QDir(skinsRoot).filePath(path);
}

// Qt's offscreen platform asks for a runtime folder it never uses; keep the build log to real news.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.startsWith(QStringLiteral("QStandardPaths:"))) return;
  std::cerr << (type == QtDebugMsg ? "" : "pelrin_skin_generator: ") << message.toStdString() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: pelrin_skin_generator <artwork.table> <skins root> <resource folder>\n";
    return 2;
  }
  // The build machine may have no display; images need none.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(QuietMessages);
  QGuiApplication app(argc, argv);

  try {
    const pelrin::skins::ArtworkTable table = pelrin::skins::ParseArtworkTable(ReadWholeFile(argv[1]));
    // Baked-in texts use DejaVu Sans; drawing them with some other face would go unnoticed.
    QFont probe(QStringLiteral("DejaVu Sans"));
    if (!QFontInfo(probe).family().startsWith(QStringLiteral("DejaVu Sans"))) {
      std::cerr << "pelrin_skin_generator: the font DejaVu Sans is missing (Debian package fonts-dejavu-core)\n";
      return 1;
    }
    const QString skinsRoot = QString::fromLocal8Bit(argv[2]);
    const QString resRoot = QString::fromLocal8Bit(argv[3]);
    for (const auto& entry : table.entries) {
      const QImage image = pelrin::skins::PaintEntry(entry, table.theme);
      const QString out = OutputPath(entry.path, skinsRoot, resRoot);
      if (!QDir().mkpath(QFileInfo(out).absolutePath()) || !image.save(out)) {
        std::cerr << "pelrin_skin_generator: cannot write " << out.toStdString() << "\n";
        return 1;
      }
    }
    std::cout << "pelrin_skin_generator: " << table.entries.size() << " images\n";
  } catch (const std::exception& error) {
    std::cerr << "pelrin_skin_generator: " << error.what() << "\n";
    return 1;
  }
  return 0;
}

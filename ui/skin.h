// Skin images and fonts: where images come from, how they are loaded, cached and drawn, and the shared fonts.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "ui/window_types.h"

namespace pelrin {

// Folder of the executable with a trailing slash; every skin path is relative to it.
QString AppFolder();
void SetAppFolder(const QString& folder);  // tests and tools point it elsewhere
// AppFolder() + a relative skin name; backslashes in the name are taken as separators.
QString SkinPath(const QString& relativeName);

// One loaded image and the scaled copies drawn from it. Drawing the same part at the same size again
// reuses the copy, so a repaint does not rescale anything.
class SkinImage {
 public:
  bool LoadFile(const QString& path);
  void SetImage(QImage image);
  void Reset();
  bool IsNull() const { return image_.isNull(); }
  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  const QImage& Image() const { return image_; }
  // The part `source` stretched to `size` with nearest-neighbour sampling.
  const QImage& Scaled(const QRect& source, const QSize& size) const;

 private:
  struct CachedCopy {
    QRect source;
    QSize size;
    QImage image;
  };
  static constexpr std::size_t kCacheSlots = 4;
  QImage image_;
  mutable std::vector<CachedCopy> cache_;
  mutable std::size_t nextSlot_ = 0;
};

// Loads a skin file into `slot`. On success records the image size in width/height and returns true;
// on failure the slot is left empty and the sizes unchanged.
bool LoadSkinImage(SkinImage& slot, const QString& relativeName, int& width, int& height);

// Skin files and embedded images that failed to load since the list was last cleared, in order.
QStringList MissingSkinFiles();
void ClearMissingSkinFiles();

// The executable's embedded image `id` (":/pelrin/res/<id>.png", else ".bmp"); null when missing.
QImage LoadEmbeddedImage(int id);
// A three-state strip from embedded image `id`: per-state width = image width / 3 (rounded down).
bool LoadStripImage(SkinImage& slot, int id, int& frameWidth, int& frameHeight);
// Splits a loaded strip image; false for a null image.
bool SetStripImage(SkinImage& slot, QImage image, int& frameWidth, int& frameHeight);

// Frame bitmaps are opaque: transparent pixels become black.
QImage ToFrameBitmap(const QImage& image);
bool LoadFrameBitmapFile(SkinImage& frame, const QString& relativeName, QSize& size);
bool LoadFrameBitmapResource(SkinImage& frame, int id, QSize& size);
// Integer mean of red, green and blue over every pixel; false for an empty image.
bool AverageColour(const QImage& image, ColorRef& colour);

// Draws `source` of the image stretched to `dest` (nearest neighbour); a null image draws nothing.
void DrawImage(QPainter& painter, const SkinImage& image, const Rect& dest, const QRect& source);
inline void DrawWholeImage(QPainter& painter, const SkinImage& image, const Rect& dest) {
  DrawImage(painter, image, dest, QRect(0, 0, image.Width(), image.Height()));
}
void FillRect(QPainter& painter, const Rect& rect, ColorRef colour);
// Draws text in `rect` with the given layout flags (kDt...), in the painter's font and pen.
void DrawTextFlags(QPainter& painter, const Rect& rect, const QString& text, unsigned format);

// The default control font.
struct UiFontSpec {
  QString face;
  int height = 0;
  int charset = 0;
};
const UiFontSpec& UiFont();
void SetUiFont(UiFontSpec font);
// The font for a language whose entry 0 is `languageName`, at `scale`.
UiFontSpec ChooseUiFont(const std::u16string& languageName, float scale);
// Recomputes UiFont from language entry 0 and UiScale; the app calls it after loading the language.
void RefreshUiFont();

// A font whose line (cell) height is `height` pixels, in `face`; a negative height is the em size.
QFont MakeFont(int height, const QString& face, int weight = 400);
// The caption font of a dialog: UiFont's face, 10 points at the given vertical dots per inch, weight 600.
QFont MakeCaptionFont(int logicalDpiY);
// The font of embedded edit boxes: 0.1 points times UiScale * 100 / DpiRatio, "Tahoma".
QFont MakePointFont();

}  // namespace pelrin

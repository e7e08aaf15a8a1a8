// Skin images, drawing helpers and the shared fonts.
#include "ui/skin.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <map>
#include <tuple>

#include "settings/language.h"
#include "ui/ui_scale.h"

namespace pelrin {
namespace {

QString& AppFolderOverride() {
  static QString folder;
  return folder;
}

QStringList& Missing() {
  static QStringList missing;
  return missing;
}

UiFontSpec& CurrentUiFont() {
  static UiFontSpec font{QStringView(u"宋体").toString(), 12, 134};
  return font;
}

}  // namespace

QString AppFolder() {
  if (!AppFolderOverride().isEmpty()) return AppFolderOverride();
  return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

void SetAppFolder(const QString& folder) {
  AppFolderOverride() = folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString SkinPath(const QString& relativeName) {
  QString name = relativeName;
  name.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return AppFolder() + name;
}

bool SkinImage::LoadFile(const QString& path) {
  QImage loaded(path);
  SetImage(std::move(loaded));
  return !image_.isNull();
}

void SkinImage::SetImage(QImage image) {
  image_ = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  cache_.clear();
  nextSlot_ = 0;
}

void SkinImage::Reset() { SetImage(QImage()); }

const QImage& SkinImage::Scaled(const QRect& source, const QSize& size) const {
  for (const CachedCopy& copy : cache_) {
    if (copy.source == source && copy.size == size) return copy.image;
  }
  QImage part = source == image_.rect() ? image_ : image_.copy(source);
  CachedCopy copy{source, size, part.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)};
  if (cache_.size() < kCacheSlots) {
    cache_.push_back(std::move(copy));
    return cache_.back().image;
  }
  // Values that move (a battery level, a slider fill) rotate through the slots instead of growing them.
  std::size_t slot = nextSlot_;
  nextSlot_ = (nextSlot_ + 1) % kCacheSlots;
  cache_[slot] = std::move(copy);
  return cache_[slot].image;
}

QStringList MissingSkinFiles() { return Missing(); }
void ClearMissingSkinFiles() { Missing().clear(); }

bool LoadSkinImage(SkinImage& slot, const QString& relativeName, int& width, int& height) {
  if (!slot.LoadFile(SkinPath(relativeName))) {
    Missing().append(relativeName);
    return false;
  }
  width = slot.Width();
  height = slot.Height();
  return true;
}

QImage LoadEmbeddedImage(int id) {
  for (const char* suffix : {".png", ".bmp"}) {
    const QString path = QStringLiteral(":/pelrin/res/%1%2").arg(id).arg(QLatin1String(suffix));
    if (QFile::exists(path)) {
      QImage image(path);
      if (!image.isNull()) return image;
    }
  }
  Missing().append(QStringLiteral(":/pelrin/res/%1").arg(id));
  return {};
}

bool SetStripImage(SkinImage& slot, QImage image, int& frameWidth, int& frameHeight) {
  slot.SetImage(std::move(image));
  if (slot.IsNull()) return false;
  frameWidth = slot.Width() / 3;
  frameHeight = slot.Height();
  return true;
}

bool LoadStripImage(SkinImage& slot, int id, int& frameWidth, int& frameHeight) {
  return SetStripImage(slot, LoadEmbeddedImage(id), frameWidth, frameHeight);
}

QImage ToFrameBitmap(const QImage& image) {
  if (image.isNull()) return {};
  QImage opaque(image.size(), QImage::Format_RGB32);
  opaque.fill(Qt::black);
  QPainter painter(&opaque);
  painter.drawImage(0, 0, image);
  return opaque;
}

namespace {
bool SetFrame(SkinImage& frame, const QImage& loaded, QSize& size) {
  if (loaded.isNull()) return false;
  frame.SetImage(ToFrameBitmap(loaded));
  size = frame.Image().size();
  return true;
}
}  // namespace

bool LoadFrameBitmapFile(SkinImage& frame, const QString& relativeName, QSize& size) {
  if (SetFrame(frame, QImage(SkinPath(relativeName)), size)) return true;
  Missing().append(relativeName);
  return false;
}

bool LoadFrameBitmapResource(SkinImage& frame, int id, QSize& size) {
  return SetFrame(frame, LoadEmbeddedImage(id), size);
}

bool AverageColour(const QImage& image, ColorRef& colour) {
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) return false;
  const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
  std::uint64_t red = 0;
  std::uint64_t green = 0;
  std::uint64_t blue = 0;
  for (int y = 0; y < pixels.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    for (int x = 0; x < pixels.width(); ++x) {
      red += static_cast<std::uint64_t>(qRed(row[x]));
      green += static_cast<std::uint64_t>(qGreen(row[x]));
      blue += static_cast<std::uint64_t>(qBlue(row[x]));
    }
  }
  const auto count = static_cast<std::uint64_t>(pixels.width()) * static_cast<std::uint64_t>(pixels.height());
  colour = Rgb(static_cast<int>(red / count), static_cast<int>(green / count), static_cast<int>(blue / count));
  return true;
}

void DrawImage(QPainter& painter, const SkinImage& image, const Rect& dest, const QRect& source) {
  if (image.IsNull() || dest.IsEmpty() || source.width() <= 0 || source.height() <= 0) return;
  const QSize size(dest.Width(), dest.Height());
  if (source.size() == size) {
    painter.drawImage(QPoint(dest.left, dest.top), image.Image(), source);
  } else {
    painter.drawImage(QPoint(dest.left, dest.top), image.Scaled(source, size));
  }
}

void FillRect(QPainter& painter, const Rect& rect, ColorRef colour) {
  if (!rect.IsEmpty()) painter.fillRect(rect.ToQRect(), ToQColor(colour));
}

void DrawTextFlags(QPainter& painter, const Rect& rect, const QString& text, unsigned format) {
  if (text.isEmpty() || rect.IsEmpty()) return;
  int align = Qt::AlignLeft;
  if (format & kDtCenter) align = Qt::AlignHCenter;
  if (format & kDtRight) align = Qt::AlignRight;
  const bool singleLine = (format & kDtSingleLine) != 0;
  if (singleLine && (format & kDtVCenter)) {
    align |= Qt::AlignVCenter;
  } else if (singleLine && (format & kDtBottom)) {
    align |= Qt::AlignBottom;
  } else {
    align |= Qt::AlignTop;
  }
  QString shown = text;
  if (singleLine) {
    shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
    shown.remove(QLatin1Char('\r'));
  }
  if (format & (kDtWordEllipsis | kDtEndEllipsis)) {
    shown = painter.fontMetrics().elidedText(shown, Qt::ElideRight, rect.Width());
  }
  if (!singleLine) align |= Qt::TextWordWrap;
  painter.drawText(rect.ToQRect(), align, shown);
}

const UiFontSpec& UiFont() { return CurrentUiFont(); }
void SetUiFont(UiFontSpec font) { CurrentUiFont() = std::move(font); }

UiFontSpec ChooseUiFont(const std::u16string& languageName, float scale) {
  if (languageName == u"中文") return {QStringView(u"宋体").toString(), Scaled(12.0, scale), 134};
  return {QStringLiteral("Tahoma"), Scaled(16.0, scale), 1};
}

void RefreshUiFont() { SetUiFont(ChooseUiFont(LanguageEntry(0), UiScale())); }

QFont MakeFont(int height, const QString& face, int weight) {
  // Controls are created in the hundreds with a handful of fonts; measuring each face once is enough.
  // Never destroyed: fonts must not outlive the application object at exit.
  static auto& made = *new std::map<std::tuple<int, QString, int>, QFont>;
  const auto key = std::make_tuple(height, face, weight);
  if (auto found = made.find(key); found != made.end()) return found->second;
  QFont font(face);
  font.setFamilies({face});
  font.setStyleHint(QFont::SansSerif);
  font.setWeight(static_cast<QFont::Weight>(weight));
  if (height < 0) {
    font.setPixelSize(-height);
  } else if (height > 0) {
    // A positive height is the whole line; shrink the em until a line fits in it.
    font.setPixelSize(height);
    const int line = QFontMetrics(font).height();
    if (line > height) font.setPixelSize(std::max(1, height * height / line));
  }
  made.emplace(key, font);
  return font;
}

QFont MakeCaptionFont(int logicalDpiY) { return MakeFont(-(10 * logicalDpiY / 72), UiFont().face, 600); }

QFont MakePointFont() {
  const int tenths = static_cast<int>(UiScale() * 100.0F / DpiRatio());
  QFont font(QStringLiteral("Tahoma"));
  font.setPointSizeF(tenths / 10.0);
  return font;
}

}  // namespace pelrin

#include "toolkit/qt/QtFont.h"

#include <QFontDatabase>
#include <algorithm>
#include <map>

namespace {

// "MS Sans Serif", "Tahoma" and "Verdana" are Windows faces; DejaVu Sans is the
// sans-serif face that Debian installs with every desktop.
const char* const FallbackFamily = "DejaVu Sans";

QString InstalledFamily(const std::string& Name) {
  // Looking a family up in the font database is slow, and fonts are made on every paint.
  static std::map<std::string, QString> Cache;
  auto It = Cache.find(Name);
  if (It != Cache.end()) return It->second;
  QString Family = QString::fromStdString(Name);
  if (!QFontDatabase::hasFamily(Family)) {
    Family = QString::fromLatin1(FallbackFamily);
    if (!QFontDatabase::hasFamily(Family)) Family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
  }
  return Cache.emplace(Name, Family).first->second;
}

}  // namespace

QFont ToQFont(const TFont& Font) {
  QFont Result(InstalledFamily(Font.Name));
  Result.setPixelSize(std::max(1, Font.PixelHeight()));
  Result.setBold((Font.Style & fsBold) != 0);
  Result.setItalic((Font.Style & fsItalic) != 0);
  Result.setUnderline((Font.Style & fsUnderline) != 0);
  Result.setStyleStrategy(QFont::NoAntialias);
  // Full hinting is chosen explicitly: the default follows the desktop's settings,
  // which would make glyph shapes and advances differ between machines.
  Result.setHintingPreference(QFont::PreferFullHinting);
  return Result;
}

QColor ToQColor(TColor Color) {
  if (Color == clNone) return QColor(Qt::transparent);
  return QColor(ToQRgb(Color));
}

TColor FromQRgb(QRgb Rgb) { return RGB(qRed(Rgb), qGreen(Rgb), qBlue(Rgb)); }

#include "toolkit/qt/QtFont.h"

#include <QFontDatabase>
#include <algorithm>
#include <map>

namespace {

// "MS Sans Serif", "Tahoma" and "Verdana" are Windows faces; DejaVu Sans is the
// sans-serif face that Debian installs with every desktop. The Windows faces the
// program names always become DejaVu Sans, so that text looks the same on every
// machine, and without asking the font database: each question walks fontconfig's
// whole rule set, which costs more than a millisecond at start-up.
const char* const FallbackFamily = "DejaVu Sans";
const char* const WindowsFaces[] = {"MS Sans Serif", "Tahoma", "Verdana", "Arial"};

QString InstalledFamily(const std::string& Name) {
  // Fonts are made on every paint; each name is looked up once.
  static std::map<std::string, QString> Cache;
  auto It = Cache.find(Name);
  if (It != Cache.end()) return It->second;
  QString Family = QString::fromStdString(Name);
  const bool windowsFace = std::any_of(std::begin(WindowsFaces), std::end(WindowsFaces),
                                       [&Name](const char* Face) { return Name == Face; });
  if (windowsFace || !QFontDatabase::hasFamily(Family)) Family = QString::fromLatin1(FallbackFamily);
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

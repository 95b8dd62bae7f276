// RTF document model to QTextDocument.
#include "RtfToQt.h"

#include <QColor>
#include <QFontDatabase>
#include <QHash>
#include <QStringList>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace {

enum class Kind { Sans, Serif, Mono };

Kind KindOf(const QString& face, RtfFontFamily family) {
  switch (family) {
    case RtfFontFamily::Roman:
      return Kind::Serif;
    case RtfFontFamily::Modern:
      return Kind::Mono;
    case RtfFontFamily::Swiss:
      return Kind::Sans;
    default:
      break;
  }
  const QString f = face.toLower();
  for (const char* m : {"courier", "consol", "mono", "lucida console", "fixedsys", "terminal"})
    if (f.contains(QLatin1String(m))) return Kind::Mono;
  if (f.contains(QLatin1String("sans"))) return Kind::Sans;
  for (const char* s : {"times", "georgia", "roman", "garamond", "cambria", "serif", "book antiqua", "palatino"})
    if (f.contains(QLatin1String(s))) return Kind::Serif;
  return Kind::Sans;
}

QString FirstInstalled(std::initializer_list<const char*> names) {
  for (const char* n : names) {
    const QString name = QString::fromLatin1(n);
    if (QFontDatabase::hasFamily(name)) return name;
  }
  return QString();
}

QString QtText(const std::string& utf8) {
  QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  for (QChar& c : s) {
    const char16_t u = c.unicode();
    // A newline or paragraph separator would start a block; frame and object
    // markers mean structure to QTextDocument.
    if (u == u'\n' || u == u'\r' || u == QChar::ParagraphSeparator)
      c = QChar::LineSeparator;
    else if (u == 0xFDD0 || u == 0xFDD1 || u == QChar::ObjectReplacementCharacter || u == QChar::Null)
      c = QChar::ReplacementCharacter;
  }
  return s;
}

QString FindFamily(const QString& face, RtfFontFamily Family, const QFont& Fallback) {
  if (QFontDatabase::hasFamily(face)) return face;
  QString found;
  switch (KindOf(face, Family)) {
    case Kind::Sans:
      found = FirstInstalled({"DejaVu Sans", "Liberation Sans", "Noto Sans", "FreeSans"});
      break;
    case Kind::Serif:
      found = FirstInstalled({"DejaVu Serif", "Liberation Serif", "Noto Serif", "FreeSerif"});
      break;
    case Kind::Mono:
      found = FirstInstalled({"DejaVu Sans Mono", "Liberation Mono", "Noto Sans Mono", "FreeMono"});
      if (found.isEmpty()) found = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
      break;
  }
  return found.isEmpty() ? Fallback.family() : found;
}

}  // namespace

QString RtfFontFamilyFor(const std::string& FontName, RtfFontFamily Family, const QFont& Fallback) {
  const QString face = QString::fromStdString(FontName).trimmed();
  if (face.isEmpty()) return Fallback.family();
  // Looking families up in the font database is slow; every run asks.
  static std::map<std::tuple<QString, int, QString>, QString> cache;
  const auto key = std::make_tuple(face, static_cast<int>(Family), Fallback.family());
  const auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  return cache.emplace(key, FindFamily(face, Family, Fallback)).first->second;
}

QTextCharFormat RtfCharFormat(const RtfRun& Run, const QFont& Fallback) {
  const double pt = Run.pointSize > 0 ? Run.pointSize : 12.0;
  QTextCharFormat format;
  format.setFontPointSize(pt);
  // The pixel size is set after the point size so that it is what QTextCharFormat::font()
  // and layout use: 96 dpi whatever the screen.
  QFont font(RtfFontFamilyFor(Run.fontName, Run.fontFamily, Fallback));
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pt * 96.0 / 72.0))));
  font.setWeight(Run.bold ? QFont::Bold : QFont::Normal);
  font.setItalic(Run.italic);
  font.setUnderline(Run.underline);
  // As the toolkit's other text (ToQFont): no antialiasing and full hinting, so that
  // glyph pixels do not vary with the desktop's settings.
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  format.setFont(font, QTextCharFormat::FontPropertiesSpecifiedOnly);
  format.setFontWeight(Run.bold ? QFont::Bold : QFont::Normal);
  if (!Run.defaultColour)
    format.setForeground(QColor(RtfRed(Run.colour), RtfGreen(Run.colour), RtfBlue(Run.colour)));
  return format;
}

void RtfToTextDocument(const RtfDocument& Doc, QTextDocument& Target, const QFont& Fallback) {
  Target.clear();
  QTextCursor cursor(&Target);
  cursor.beginEditBlock();
  bool first = true;
  for (const RtfParagraph& p : Doc.paragraphs) {
    const QTextCharFormat mark = RtfCharFormat(p.mark, Fallback);
    if (first) {
      cursor.setBlockCharFormat(mark);
      first = false;
    } else {
      cursor.insertBlock(QTextBlockFormat(), mark);
    }
    for (const RtfRun& r : p.runs) cursor.insertText(QtText(r.text), RtfCharFormat(r, Fallback));
  }
  cursor.endEditBlock();
}

// Translation of the toolkit's fonts and colours to Qt's, for the toolkit's own sources.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

#include "toolkit/Font.h"

// The Qt font for a toolkit font: a face that is not installed becomes the installed
// sans-serif face, the size is PixelHeight() in pixels (so the display resolution never
// matters), and glyphs are drawn without antialiasing so that text pixels are exact.
QFont ToQFont(const TFont& Font);
// System colours resolved; clNone becomes transparent.
QColor ToQColor(TColor Color);
TColor FromQRgb(QRgb Rgb);
// The opaque Qt pixel value of a colour, system colours resolved.
inline QRgb ToQRgb(TColor Color) {
  TColor C = ColorToRGB(Color);
  return qRgb(GetRValue(C), GetGValue(C), GetBValue(C));
}
// Sets one colour of a widget's palette, system colours resolved.
inline void SetPaletteColor(QWidget& Widget, QPalette::ColorRole Role, TColor Color) {
  QPalette palette = Widget.palette();
  palette.setColor(Role, ToQColor(Color));
  Widget.setPalette(palette);
}

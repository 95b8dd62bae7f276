// Direct pixel access to the QImage surfaces that canvases draw on. Qt's painter is
// not used for these because it cannot promise exact pixels, and copies on the paint
// path must be plain row copies.
#pragma once

#include <QImage>
#include <QRect>

namespace surface {

// Surfaces are 32-bit (Format_RGB32, or the ARGB32 formats kept opaque) or 24-bit
// (Format_BGR888). Other formats are accepted as copy sources only.
bool IsSupported(QImage::Format Format);

// The colour at (X, Y) of a supported image; (X, Y) must lie on it. The fourth byte is ignored.
QRgb Read(const QImage& Image, int X, int Y);
// Sets pixels X0 to X1 - 1 of row Y of a supported image to an opaque colour; the caller clips.
void FillSpan(QImage& Image, int Y, int X0, int X1, QRgb Color);

// Copies SourceRect of Source into DestRect of Dest, nearest-neighbour scaled when the
// sizes differ. Only destination pixels inside Clip and mapped from a source pixel on
// the source image are written. Source and Dest may be the same image. Between two
// Format_RGB32 images the fourth byte is copied as it is.
void Copy(QImage& Dest, const QRect& DestRect, const QImage& Source, const QRect& SourceRect, const QRect& Clip);

}  // namespace surface

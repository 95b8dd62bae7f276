#include "toolkit/qt/SurfacePixels.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace surface {
namespace {

enum class Layout { Free32, Opaque32, Bgr24, Other };

// Free32 keeps whatever the fourth byte holds; Opaque32 needs it at 0xFF because Qt
// reads it as alpha.
Layout LayoutOf(QImage::Format Format) {
  switch (Format) {
    case QImage::Format_RGB32:
      return Layout::Free32;
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
      return Layout::Opaque32;
    case QImage::Format_BGR888:
      return Layout::Bgr24;
    default:
      return Layout::Other;
  }
}

inline QRgb Get(const uchar* Row, Layout L, int X) {
  if (L == Layout::Bgr24) {
    const uchar* P = Row + 3 * X;
    return qRgb(P[2], P[1], P[0]);
  }
  return reinterpret_cast<const QRgb*>(Row)[X];
}

inline void Put(uchar* Row, Layout L, int X, QRgb C) {
  switch (L) {
    case Layout::Bgr24: {
      uchar* P = Row + 3 * X;
      P[0] = static_cast<uchar>(qBlue(C));
      P[1] = static_cast<uchar>(qGreen(C));
      P[2] = static_cast<uchar>(qRed(C));
      break;
    }
    case Layout::Opaque32:
      reinterpret_cast<QRgb*>(Row)[X] = C | 0xFF000000u;
      break;
    default:
      reinterpret_cast<QRgb*>(Row)[X] = C;
      break;
  }
}

// 32-bit pixels to 24-bit ones. The low three bytes of a 32-bit pixel hold its blue,
// green and red in memory order, so four pixels fit three words; the card picture is
// converted this way when it is loaded.
void Row32To24(uchar* Dest, const uchar* Source, int Count) {
  int X = 0;
  if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
    for (; X + 4 <= Count; X += 4) {
      std::uint32_t P[4];
      std::memcpy(P, Source + 4 * X, sizeof P);
      const std::uint32_t W[3] = {(P[0] & 0xFFFFFFu) | (P[1] << 24), ((P[1] >> 8) & 0xFFFFu) | (P[2] << 16),
                                  ((P[2] >> 16) & 0xFFu) | (P[3] << 8)};
      std::memcpy(Dest + 3 * X, W, sizeof W);
    }
  }
  for (; X < Count; ++X) Put(Dest, Layout::Bgr24, X, Get(Source, Layout::Free32, X));
}

// One row of an unscaled copy. The card picture is drawn this way on every paint, so
// each pair of layouts gets a loop of its own in which the layouts are constants.
void CopyRow(uchar* Dest, Layout DL, const uchar* Source, Layout SL, int Count) {
  if (DL == SL && DL != Layout::Opaque32) {
    std::memcpy(Dest, Source, static_cast<size_t>(Count) * (DL == Layout::Bgr24 ? 3 : 4));
  } else if (SL != Layout::Bgr24 && DL == Layout::Free32) {
    std::memcpy(Dest, Source, static_cast<size_t>(Count) * 4);
  } else if (SL == Layout::Bgr24) {
    for (int X = 0; X < Count; ++X) Put(Dest, Layout::Free32, X, Get(Source, Layout::Bgr24, X));
  } else if (DL == Layout::Bgr24) {
    Row32To24(Dest, Source, Count);
  } else {
    for (int X = 0; X < Count; ++X) Put(Dest, Layout::Opaque32, X, Get(Source, Layout::Free32, X));
  }
}

// Source columns (or rows) for Count destination pixels starting at offset First within a
// destination span of DestSize: the source pixel under each destination pixel's centre,
// or -1 when it falls off the source image.
std::vector<int> NearestMap(int First, int Count, int DestSize, int SourceStart, int SourceSize, int SourceLimit) {
  std::vector<int> Map(static_cast<size_t>(Count));
  for (int I = 0; I < Count; ++I) {
    long long Offset = (2LL * (First + I) + 1) * SourceSize / (2LL * DestSize);
    int S = SourceStart + static_cast<int>(Offset);
    Map[static_cast<size_t>(I)] = (S >= 0 && S < SourceLimit) ? S : -1;
  }
  return Map;
}

}  // namespace

bool IsSupported(QImage::Format Format) { return LayoutOf(Format) != Layout::Other; }

QRgb Read(const QImage& Image, int X, int Y) {
  return Get(Image.constScanLine(Y), LayoutOf(Image.format()), X) | 0xFF000000u;
}

void FillSpan(QImage& Image, int Y, int X0, int X1, QRgb Color) {
  if (X1 <= X0) return;
  const Layout L = LayoutOf(Image.format());
  uchar* Row = Image.scanLine(Y);
  if (L == Layout::Bgr24) {
    for (int X = X0; X < X1; ++X) Put(Row, L, X, Color);
  } else {
    QRgb* P = reinterpret_cast<QRgb*>(Row);
    std::fill(P + X0, P + X1, Color | 0xFF000000u);
  }
}

void Copy(QImage& Dest, const QRect& DestRect, const QImage& Source, const QRect& SourceRect, const QRect& Clip) {
  if (DestRect.isEmpty() || SourceRect.isEmpty() || Dest.isNull() || Source.isNull()) return;
  const QRect Readable = SourceRect & Source.rect();
  if (Readable.isEmpty()) return;
  if (&Source == &Dest || LayoutOf(Source.format()) == Layout::Other) {
    // Overlapping copies and foreign formats go through a private copy of the readable part.
    QImage Temp = Source.copy(Readable);
    if (LayoutOf(Temp.format()) == Layout::Other) Temp = Temp.convertToFormat(QImage::Format_RGB32);
    Copy(Dest, DestRect, Temp, SourceRect.translated(-Readable.topLeft()), Clip);
    return;
  }
  const Layout SL = LayoutOf(Source.format());
  const Layout DL = LayoutOf(Dest.format());
  const QRect Target = DestRect & Clip & Dest.rect();
  if (Target.isEmpty()) return;

  if (DestRect.size() == SourceRect.size()) {
    const QPoint Shift = SourceRect.topLeft() - DestRect.topLeft();
    const QRect Area = Target & Readable.translated(-Shift);
    for (int Y = Area.top(); Y <= Area.bottom(); ++Y) {
      const uchar* From = Source.constScanLine(Y + Shift.y()) + (Area.left() + Shift.x()) * (SL == Layout::Bgr24 ? 3 : 4);
      uchar* To = Dest.scanLine(Y) + Area.left() * (DL == Layout::Bgr24 ? 3 : 4);
      CopyRow(To, DL, From, SL, Area.width());
    }
    return;
  }

  const std::vector<int> Columns = NearestMap(Target.left() - DestRect.left(), Target.width(), DestRect.width(),
                                              SourceRect.left(), SourceRect.width(), Source.width());
  const std::vector<int> Rows = NearestMap(Target.top() - DestRect.top(), Target.height(), DestRect.height(),
                                           SourceRect.top(), SourceRect.height(), Source.height());
  for (int I = 0; I < Target.height(); ++I) {
    const int SY = Rows[static_cast<size_t>(I)];
    if (SY < 0) continue;
    const uchar* From = Source.constScanLine(SY);
    uchar* To = Dest.scanLine(Target.top() + I);
    for (int J = 0; J < Target.width(); ++J) {
      const int SX = Columns[static_cast<size_t>(J)];
      if (SX >= 0) Put(To, DL, Target.left() + J, Get(From, SL, SX));
    }
  }
}

}  // namespace surface

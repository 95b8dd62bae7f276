#include "Canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "Bitmap.h"
#include "toolkit/qt/QtFont.h"
#include "toolkit/qt/SurfacePixels.h"

namespace {

QRect ToQRect(const TRect& R) { return QRect(R.Left, R.Top, R.Width(), R.Height()); }

TRect Offset(const TRect& R, TPoint By) { return TRect{R.Left + By.x, R.Top + By.y, R.Right + By.x, R.Bottom + By.y}; }

struct Span {
  int Left = 0;
  int Right = 0;  // exclusive
};

// The row spans of the rectangle (Left, Top)-(Right, Bottom) whose corners are cut by
// quarter ellipses CW wide and CH high: a pixel belongs to the shape when its centre
// lies strictly inside. The test runs in doubled integer coordinates, so it is exact
// and the shape comes out symmetric. CW and CH equal to the size give the inscribed
// ellipse, zero gives the plain rectangle.
std::vector<Span> ShapeSpans(int Left, int Top, int Right, int Bottom, int CW, int CH) {
  const int W = Right - Left;
  const int H = Bottom - Top;
  CW = std::min(CW, W);
  CH = std::min(CH, H);
  std::vector<Span> Rows(static_cast<size_t>(H), Span{Left, Right});
  if (CW <= 0 || CH <= 0) return Rows;
  const long long RX2 = static_cast<long long>(CW) * CW;
  const long long RY2 = static_cast<long long>(CH) * CH;
  // Each row's span is worked out for the top half and mirrored to the bottom half.
  for (int I = 0; I < (H + 1) / 2; ++I) {
    const long long DY = CH - (2LL * I + 1);  // doubled distance from the corner centre's row
    int X = 0;
    if (DY > 0) {
      while (2 * X + 1 < CW) {
        const long long DX = CW - (2LL * X + 1);
        if (DX * DX * RY2 + DY * DY * RX2 < RX2 * RY2) break;
        ++X;
      }
    }
    const Span S{Left + X, Right - X};
    Rows[static_cast<size_t>(I)] = S;
    Rows[static_cast<size_t>(H - 1 - I)] = S;
  }
  return Rows;
}

// Fills row Y, columns X0 to X1 - 1 (canvas coordinates), within the clip rectangle.
void FillRow(QImage* Surface, const TRect& Clip, TPoint Origin, int Y, int X0, int X1, QRgb Color) {
  Y += Origin.y;
  if (Y < Clip.Top || Y >= Clip.Bottom) return;
  surface::FillSpan(*Surface, Y, std::max(X0 + Origin.x, Clip.Left), std::min(X1 + Origin.x, Clip.Right), Color);
}

// Paints shape rows starting at Top: the pixels with a 4-neighbour outside the shape in
// the pen colour, the others in the brush colour; a clear pen leaves the whole shape to
// the brush, a clear brush leaves the inside untouched.
void PaintSpans(const TCanvas& C, QImage* Surface, const TRect& Clip, const std::vector<Span>& Rows, int Top) {
  const bool HasPen = C.Pen.Style != psClear;
  const bool HasBrush = C.Brush.Style != bsClear;
  if (!HasPen && !HasBrush) return;
  const QRgb PenColor = ToQRgb(C.Pen.Color);
  const QRgb BrushColor = ToQRgb(C.Brush.Color);
  const TPoint Origin = C.Origin();
  const int N = static_cast<int>(Rows.size());
  for (int I = 0; I < N; ++I) {
    const Span& S = Rows[static_cast<size_t>(I)];
    const int Y = Top + I;
    if (!HasPen) {
      FillRow(Surface, Clip, Origin, Y, S.Left, S.Right, BrushColor);
      continue;
    }
    // The inside of this row: not at the span's ends, and covered by the rows above and below.
    int InLeft = S.Left + 1;
    int InRight = S.Right - 1;
    if (I == 0 || I == N - 1) {
      InRight = InLeft;
    } else {
      const Span& Up = Rows[static_cast<size_t>(I - 1)];
      const Span& Down = Rows[static_cast<size_t>(I + 1)];
      InLeft = std::max({InLeft, Up.Left, Down.Left});
      InRight = std::min({InRight, Up.Right, Down.Right});
    }
    if (InRight <= InLeft) {
      FillRow(Surface, Clip, Origin, Y, S.Left, S.Right, PenColor);
      continue;
    }
    FillRow(Surface, Clip, Origin, Y, S.Left, InLeft, PenColor);
    if (HasBrush) FillRow(Surface, Clip, Origin, Y, InLeft, InRight, BrushColor);
    FillRow(Surface, Clip, Origin, Y, InRight, S.Right, PenColor);
  }
}

}  // namespace

void TCanvas::Attach(QImage* Surface, TPoint Origin, TRect Clip) {
  if (Surface && !Surface->isNull() && !surface::IsSupported(Surface->format()))
    throw std::invalid_argument("TCanvas: surfaces must be 32-bit RGB or 24-bit BGR images");
  FSurface = Surface;
  FOrigin = Origin;
  FClip = Surface ? IntersectRect(Clip, TRect{0, 0, Surface->width(), Surface->height()}) : TRect{};
}

TRect TCanvas::ClipRect() const { return Offset(FClip, TPoint{-FOrigin.x, -FOrigin.y}); }

void TCanvas::Rectangle(int Left, int Top, int Right, int Bottom) {
  if (!FSurface || Right <= Left || Bottom <= Top) return;
  if (Pen.Style != psDash) {
    PaintSpans(*this, FSurface, FClip, ShapeSpans(Left, Top, Right, Bottom, 0, 0), Top);
    return;
  }
  // A dashed outline, three pixels on and three off, walked clockwise from the top-left corner.
  if (Brush.Style != bsClear) FillRect(TRect{Left + 1, Top + 1, Right - 1, Bottom - 1});
  const QRgb PenColor = ToQRgb(Pen.Color);
  int Step = 0;
  auto Dot = [&](int X, int Y) {
    if (Step++ % 6 < 3) FillRow(FSurface, FClip, FOrigin, Y, X, X + 1, PenColor);
  };
  for (int X = Left; X < Right; ++X) Dot(X, Top);
  for (int Y = Top + 1; Y < Bottom; ++Y) Dot(Right - 1, Y);
  if (Bottom - 1 > Top) {
    for (int X = Right - 2; X >= Left; --X) Dot(X, Bottom - 1);
  }
  if (Right - 1 > Left) {
    for (int Y = Bottom - 2; Y > Top; --Y) Dot(Left, Y);
  }
}

void TCanvas::FillRect(const TRect& R) {
  if (!FSurface || Brush.Style == bsClear) return;
  const QRgb Color = ToQRgb(Brush.Color);
  for (int Y = R.Top; Y < R.Bottom; ++Y) FillRow(FSurface, FClip, FOrigin, Y, R.Left, R.Right, Color);
}

void TCanvas::RoundRect(int Left, int Top, int Right, int Bottom, int CornerWidth, int CornerHeight) {
  if (!FSurface || Right <= Left || Bottom <= Top) return;
  PaintSpans(*this, FSurface, FClip, ShapeSpans(Left, Top, Right, Bottom, CornerWidth, CornerHeight), Top);
}

void TCanvas::Ellipse(int Left, int Top, int Right, int Bottom) {
  RoundRect(Left, Top, Right, Bottom, Right - Left, Bottom - Top);
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  if (!FSurface || Text.empty()) return;
  const QFont QtFont = ToQFont(Font);
  const QFontMetrics Metrics(QtFont);
  const QString S = QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
  if (Brush.Style != bsClear) FillRect(Bounds(X, Y, Metrics.horizontalAdvance(S), Metrics.height()));
  if (FClip.IsEmpty()) return;
  QPainter Painter(FSurface);
  Painter.setRenderHint(QPainter::TextAntialiasing, false);
  Painter.setClipRect(ToQRect(FClip));
  Painter.setFont(QtFont);
  Painter.setPen(ToQColor(Font.Color));
  Painter.drawText(QPoint(X + FOrigin.x, Y + FOrigin.y + Metrics.ascent()), S);
}

int TCanvas::TextWidth(const std::string& Text) const {
  return QFontMetrics(ToQFont(Font)).horizontalAdvance(QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())));
}

int TCanvas::TextHeight(const std::string&) const { return QFontMetrics(ToQFont(Font)).height(); }

TColor TCanvas::Pixel(int X, int Y) const {
  if (!FSurface) return clNone;
  X += FOrigin.x;
  Y += FOrigin.y;
  if (X < 0 || Y < 0 || X >= FSurface->width() || Y >= FSurface->height()) return clNone;
  return FromQRgb(surface::Read(*FSurface, X, Y));
}

void TCanvas::SetPixel(int X, int Y, TColor Color) {
  if (FSurface) FillRow(FSurface, FClip, FOrigin, Y, X, X + 1, ToQRgb(Color));
}

void TCanvas::CopyRect(const TRect& Dest, const TCanvas& Source, const TRect& SourceRect) {
  if (!FSurface || !Source.FSurface) return;
  surface::Copy(*FSurface, ToQRect(Offset(Dest, FOrigin)), *Source.FSurface, ToQRect(Offset(SourceRect, Source.FOrigin)),
                ToQRect(FClip));
}

void TCanvas::Draw(int X, int Y, const TGraphic* Graphic) {
  if (Graphic) StretchDraw(Bounds(X, Y, Graphic->Width(), Graphic->Height()), Graphic);
}

void TCanvas::StretchDraw(const TRect& Dest, const TGraphic* Graphic) {
  if (!FSurface || !Graphic || Graphic->Empty() || !Graphic->DrawingImage()) return;
  const QImage& Image = *Graphic->DrawingImage();
  surface::Copy(*FSurface, ToQRect(Offset(Dest, FOrigin)), Image, Image.rect(), ToQRect(FClip));
}

void BitBlt(TCanvas& Dest, int X, int Y, int Width, int Height, const TCanvas& Source, int SX, int SY) {
  Dest.CopyRect(Bounds(X, Y, Width, Height), Source, Bounds(SX, SY, Width, Height));
}

// A canvas draws onto a 32-bit surface (or a 24-bit bitmap's) with exact pixels:
// right and bottom edges exclusive, one-pixel outlines inside the edge, no antialiasing.
#pragma once

#include <string>

#include "Font.h"
#include "Types.h"

class QImage;
class TGraphic;

class TCanvas {
 public:
  TCanvas() = default;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // Attaches the canvas to a surface of format RGB32, ARGB32(_Premultiplied) or BGR888
  // (another format throws std::invalid_argument). Canvas coordinates are offset by
  // Origin; drawing is clipped to Clip, given in surface coordinates.
  void Attach(QImage* Surface, TPoint Origin, TRect Clip);
  void Detach() { FSurface = nullptr; }
  bool HasSurface() const { return FSurface != nullptr; }
  QImage* Surface() const { return FSurface; }
  TPoint Origin() const { return FOrigin; }
  // The clipping rectangle in canvas coordinates.
  TRect ClipRect() const;

  TPen Pen;
  TBrush Brush;
  TFont Font;

  // Outline in the pen colour along the inside of the edge, inside filled with the brush.
  // A dashed pen (three pixels on, three off) is drawn by Rectangle only; the other
  // shapes draw it solid. Pen widths other than 1 are drawn as 1.
  void Rectangle(int Left, int Top, int Right, int Bottom);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  // Fills with the brush, no outline.
  void FillRect(const TRect& R);
  // A rectangle whose corners are quarter ellipses CornerWidth wide and CornerHeight high.
  void RoundRect(int Left, int Top, int Right, int Bottom, int CornerWidth, int CornerHeight);
  // The ellipse inscribed in the rectangle: a pixel belongs to it when its centre lies inside;
  // the outline is its pixels that have a 4-neighbour outside it.
  void Ellipse(int Left, int Top, int Right, int Bottom);

  // Text with its top-left corner at (X, Y); the background is filled with the brush
  // unless the brush is clear.
  void TextOut(int X, int Y, const std::string& Text);
  int TextWidth(const std::string& Text) const;
  int TextHeight(const std::string& Text) const;

  TColor Pixel(int X, int Y) const;  // clNone outside the surface
  void SetPixel(int X, int Y, TColor Color);

  // Copies Source's SourceRect into Dest, scaling (nearest pixel) when the sizes differ.
  // Destination pixels whose source lies off Source's surface keep their colour.
  // Draw and StretchDraw copy the graphic's pixels opaquely; Transparent is not honoured.
  void CopyRect(const TRect& Dest, const TCanvas& Source, const TRect& SourceRect);
  void Draw(int X, int Y, const TGraphic* Graphic);
  void StretchDraw(const TRect& Dest, const TGraphic* Graphic);

 private:
  QImage* FSurface = nullptr;
  TPoint FOrigin;
  TRect FClip;
};

// Copies a Width x Height block from Source at (SX, SY) to Dest at (X, Y), replacing the pixels.
void BitBlt(TCanvas& Dest, int X, int Y, int Width, int Height, const TCanvas& Source, int SX, int SY);

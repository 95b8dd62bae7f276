#include "setupctrls/OrientedDrawing.h"

#include <cstring>
#include <vector>

namespace {

constexpr int BytesPerPixel = 4;

std::uint32_t ReadPixel(const std::uint8_t* Row, int X) {
  std::uint32_t P;
  std::memcpy(&P, Row + static_cast<size_t>(X) * BytesPerPixel, sizeof P);
  return P;
}

void WritePixel(std::uint8_t* Row, int X, std::uint32_t P) {
  std::memcpy(Row + static_cast<size_t>(X) * BytesPerPixel, &P, sizeof P);
}

}  // namespace

void TurnPicture(const TBitmap& Work, TBitmap& Oriented, TOrientationType Orientation) {
  const int W = Work.Width();
  const int H = Work.Height();
  if (IsSideways(Orientation))
    Oriented.SetSize(H, W);
  else
    Oriented.SetSize(W, H);
  // An empty picture has no rows to read.
  if (W <= 0 || H <= 0) return;

  if (Orientation == otUp) {
    for (int Y = 0; Y < H; ++Y)
      std::memcpy(Oriented.ScanLine(Y), Work.ScanLine(Y), static_cast<size_t>(W) * BytesPerPixel);
    return;
  }
  std::vector<std::uint8_t*> Rows(static_cast<size_t>(Oriented.Height()));
  for (int Y = 0; Y < Oriented.Height(); ++Y) Rows[static_cast<size_t>(Y)] = Oriented.ScanLine(Y);
  auto Row = [&Rows](int Y) { return Rows[static_cast<size_t>(Y)]; };
  // Every work pixel (X, Y) is moved on its own to its place in the turned picture.
  for (int Y = 0; Y < H; ++Y) {
    const std::uint8_t* Source = Work.ScanLine(Y);
    for (int X = 0; X < W; ++X) {
      const std::uint32_t P = ReadPixel(Source, X);
      switch (Orientation) {
        case otDown: WritePixel(Row(H - 1 - Y), W - 1 - X, P); break;
        case otLeft: WritePixel(Row(W - 1 - X), Y, P); break;
        case otRight: WritePixel(Row(X), H - 1 - Y, P); break;
        case otUp: break;
      }
    }
  }
}

TOrientedGraphic::TOrientedGraphic(TComponent* AOwner)
    : TGraphicControl(AOwner), FOrientedBitmap(std::make_unique<TBitmap>()), FWorkBitmap(std::make_unique<TBitmap>()) {
  FOrientedBitmap->SetPixelFormat(pf32bit);
  FWorkBitmap->SetPixelFormat(pf32bit);
}

TOrientedGraphic::~TOrientedGraphic() = default;

void TOrientedGraphic::SetOrientation(TOrientationType Value) {
  if (Value == FOrientation) return;
  // The flag records whether the pair differs from the one of the last paint, so
  // a move to the other pair and back before a paint leaves the size alone.
  if (IsSideways(Value) != IsSideways(FOrientation)) FSwapPending = !FSwapPending;
  FOrientation = Value;
  Invalidate();
}

void TOrientedGraphic::Paint() {
  const bool Sideways = IsSideways(FOrientation);
  const int W = Sideways ? Height() : Width();
  const int H = Sideways ? Width() : Height();
  FWorkBitmap->SetSize(W, H);
  if (W > 0 && H > 0) ComposeUpright(*FWorkBitmap, W, H);
  TurnPicture(*FWorkBitmap, *FOrientedBitmap, FOrientation);

  if (FSwapPending) {
    FSwapPending = false;
    // A control read with a sideways orientation already has its sideways size;
    // only a control that has been on screen before changes its shape.
    if (FPaintedOnce) SetBounds(Left(), Top(), Height(), Width());
  }
  BitBlt(Canvas(), 0, 0, Width(), Height(), FOrientedBitmap->Canvas(), 0, 0);
  FPaintedOnce = true;
}

// The orientation of the card drawings and the windowless control that turns an
// upright drawing to it. The switch bank and the jumper compose their picture
// upright and leave the turning, the size swap and the screen copy to this class.
#pragma once

#include <cstdint>
#include <memory>

#include "toolkit/Bitmap.h"
#include "toolkit/GraphicControl.h"

// The side toward which the top edge of the upright drawing faces.
enum TOrientationType : std::uint8_t { otUp, otDown, otLeft, otRight };

// otLeft and otRight show the drawing on its side, with width and height swapped.
constexpr bool IsSideways(TOrientationType O) { return O == otLeft || O == otRight; }

// Builds Oriented from the upright picture Work (W x H): a copy for otUp, a half
// turn for otDown, a quarter turn counter-clockwise for otLeft and clockwise for
// otRight. Both pictures must be 32-bit.
void TurnPicture(const TBitmap& Work, TBitmap& Oriented, TOrientationType Orientation);

class TOrientedGraphic : public TGraphicControl {
  TK_CLASS_NAME(TOrientedGraphic)
 public:
  explicit TOrientedGraphic(TComponent* AOwner);
  ~TOrientedGraphic() override;

  TOrientationType Orientation() const { return FOrientation; }
  void SetOrientation(TOrientationType Value);

  // Composes the upright picture, turns it, swaps the control's size when the
  // orientation moved to the other pair since the last paint, and copies the
  // picture to the screen in one block.
  void Paint() final;

  // The pictures of the last paint, for callers that want to look at them.
  const TBitmap& WorkBitmap() const { return *FWorkBitmap; }
  const TBitmap& OrientedBitmap() const { return *FOrientedBitmap; }

 protected:
  // Draws the upright picture into Work, which has already been sized to W x H.
  virtual void ComposeUpright(TBitmap& Work, int W, int H) = 0;

 private:
  TOrientationType FOrientation = otUp;
  std::unique_ptr<TBitmap> FOrientedBitmap;
  std::unique_ptr<TBitmap> FWorkBitmap;
  bool FSwapPending = false;
  bool FPaintedOnce = false;
};

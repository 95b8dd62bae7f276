#include "setupctrls/TwoJumper.h"

#include <algorithm>
#include <cmath>

#include "setupctrls/RadioPanel.h"

namespace {

// Rounds to the nearest integer, halves to the even neighbour (4.5 gives 4, 5.5 gives 6),
// whatever rounding mode the floating-point unit has been left in.
int RoundHalfEven(double V) {
  double Lower = std::floor(V);
  const double Fraction = V - Lower;
  if (Fraction > 0.5 || (Fraction == 0.5 && std::fmod(Lower, 2.0) != 0.0)) Lower += 1.0;
  return static_cast<int>(Lower);
}

// The settings panel that parents the jumper, when the parent is exactly one.
TRadioPanel* RadioParent(const TControl& Jumper) {
  TWinControl* P = Jumper.Parent();
  return IsExactly<TRadioPanel>(P) ? static_cast<TRadioPanel*>(P) : nullptr;
}

}  // namespace

TTwoJumper::TTwoJumper(TComponent* AOwner) : TOrientedGraphic(AOwner) { SetBounds(Left(), Top(), 34, 18); }

void TTwoJumper::SetClosed(bool Value) {
  if (Value == FClosed) return;
  FClosed = Value;
  Invalidate();
}

void TTwoJumper::SetColorField(TColor& Field, TColor Value) {
  if (Value == Field) return;
  Field = Value;
  Invalidate();
}

void TTwoJumper::SetBaseColor(TColor Value) { SetColorField(FBaseColor, Value); }

void TTwoJumper::SetJumperColor(TColor Value) { SetColorField(FJumperColor, Value); }

void TTwoJumper::SetPinColor(TColor Value) { SetColorField(FPinColor, Value); }

void TTwoJumper::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  Invalidate();
}

void TTwoJumper::Click() {
  TRadioPanel* Panel = RadioParent(*this);
  if (Panel != nullptr && Panel->RadioEnabled) {
    // In a radio group a click always leaves this jumper closed. The panel closes
    // it, so that its change report compares with the state the user clicked on.
    Panel->RadioClick(this);
  } else {
    SetClosed(!FClosed);
  }
  TOrientedGraphic::Click();
}

void TTwoJumper::ComposeUpright(TBitmap& Work, int W, int H) {
  TCanvas& C = Work.Canvas();
  const TPen SavedPen = C.Pen;
  const TBrush SavedBrush = C.Brush;

  const TRadioPanel* Panel = RadioParent(*this);
  const TColor Background = Panel != nullptr ? Panel->Color() : clBtnFace;
  C.Pen = TPen{Background, psSolid, 1};
  C.Brush = TBrush{Background, bsSolid};
  C.Rectangle(0, 0, W, H);

  const TColor Fill = FClosed ? FJumperColor : FBaseColor;
  C.Pen.Color = FBorderStyle == bsSingle ? clBlack : Fill;
  C.Brush.Color = Fill;
  if (FClosed)
    C.Rectangle(0, 0, W, H);  // the cap covers the whole header
  else
    C.RoundRect(1, 1, W - 1, H - 1, H / 2, H / 2);  // the header's base

  // The pins lie mirror-symmetric about the middle and show through the cap.
  C.Pen.Style = psClear;
  C.Brush.Color = FPinColor;
  const int A = RoundHalfEven(W / 3.5);
  const int CX = A + 1;
  const int R = std::min(A / 3, RoundHalfEven(H / 4.0));
  const int CY = H / 2;
  C.Ellipse(CX - R, CY - R, CX + R, CY + R);
  C.Ellipse(W - CX - R, CY - R, W - CX + R, CY + R);

  C.Pen = SavedPen;
  C.Brush = SavedBrush;
}

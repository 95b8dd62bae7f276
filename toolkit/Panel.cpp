#include "Panel.h"

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetBevelOuter(TBevelCut V) {
  if (V == FBevelOuter) return;
  FBevelOuter = V;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut V) {
  if (V == FBevelInner) return;
  FBevelInner = V;
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int V) {
  if (V == FBevelWidth) return;
  FBevelWidth = V;
  Invalidate();
}

void TCustomPanel::SetCaption(const std::string& V) {
  if (V == FCaption) return;
  FCaption = V;
  Invalidate();
}

namespace {
// One bevel ring: light on the top and left, dark on the bottom and right (swapped when lowered).
void DrawBevel(TCanvas& C, TRect& R, TBevelCut Cut, int Width) {
  if (Cut == bvNone) return;
  const TColor light = clWhite, dark = clGray;
  const TColor topLeft = Cut == bvLowered ? dark : light;
  const TColor bottomRight = Cut == bvLowered ? light : dark;
  for (int i = 0; i < Width && R.Width() > 1 && R.Height() > 1; ++i) {
    if (Cut != bvSpace) {
      C.Brush.Style = bsSolid;
      C.Brush.Color = topLeft;
      C.FillRect(Rect(R.Left, R.Top, R.Right, R.Top + 1));
      C.FillRect(Rect(R.Left, R.Top, R.Left + 1, R.Bottom));
      C.Brush.Color = bottomRight;
      C.FillRect(Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom));
      C.FillRect(Rect(R.Right - 1, R.Top, R.Right, R.Bottom));
    }
    R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  }
}
}  // namespace

void TCustomPanel::Paint() {
  TCanvas& c = Canvas();
  TRect r = ClientRect();
  DrawBevel(c, r, FBevelOuter, FBevelWidth);
  DrawBevel(c, r, FBevelInner, FBevelWidth);
  c.Brush.Style = bsSolid;
  c.Brush.Color = Color();
  c.FillRect(r);
  if (!FCaption.empty()) {
    c.Font = Font();
    c.Brush.Style = bsClear;
    const int w = c.TextWidth(FCaption), h = c.TextHeight(FCaption);
    c.TextOut((Width() - w) / 2, (Height() - h) / 2, FCaption);
  }
}

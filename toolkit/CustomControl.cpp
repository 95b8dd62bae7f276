#include "CustomControl.h"

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TCustomControl::PaintWindow(TCanvas& Surface, const TRect& Damaged) {
  const TPoint origin = Surface.Origin();
  FCanvas.Attach(Surface.Surface(), origin,
                 Rect(Damaged.Left + origin.x, Damaged.Top + origin.y, Damaged.Right + origin.x, Damaged.Bottom + origin.y));
  try {
    Paint();
  } catch (...) {
    FCanvas.Detach();
    throw;
  }
  FCanvas.Detach();
}

#include "CustomControl.h"

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TCustomControl::PaintWindow(TCanvas& Surface, const TRect& Damaged) {
  FCanvas.Attach(Surface.Surface(), TPoint{0, 0}, Damaged);
  try {
    Paint();
  } catch (...) {
    FCanvas.Detach();
    throw;
  }
  FCanvas.Detach();
}

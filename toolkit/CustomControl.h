// A windowed control that paints itself through a canvas.
#pragma once

#include "Canvas.h"
#include "WinControl.h"

class TCustomControl : public TWinControl {
  TK_CLASS_NAME(TCustomControl)
 public:
  explicit TCustomControl(TComponent* AOwner);
  TCanvas& Canvas() { return FCanvas; }
  virtual void Paint() {}

 protected:
  void PaintWindow(TCanvas& Canvas, const TRect& Damaged) override;

 private:
  TCanvas FCanvas;
};

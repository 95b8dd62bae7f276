// Controls without a window of their own: their parent paints them onto its own
// surface after its own Paint, in child order, and routes mouse notices to them.
#pragma once

#include "Canvas.h"
#include "Control.h"

class TGraphicControl : public TControl {
  TK_CLASS_NAME(TGraphicControl)
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;

  // During a paint the canvas shows the parent's surface under the control.
  TCanvas& Canvas() { return FCanvas; }
  // Called by the parent's paint pass with the canvas attached.
  virtual void Paint() {}

 private:
  TCanvas FCanvas;
};

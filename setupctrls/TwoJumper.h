// One two-pin jumper of the card, drawn open (bare pins on their base) or closed
// (a cap across both pins). A click fits or removes the cap.
#pragma once

#include "setupctrls/OrientedDrawing.h"

class TTwoJumper : public TOrientedGraphic {
  TK_CLASS_NAME(TTwoJumper)
 public:
  explicit TTwoJumper(TComponent* AOwner);

  // Setting a new value repaints; no setter raises an event.
  bool Closed() const { return FClosed; }
  void SetClosed(bool Value);
  TColor BaseColor() const { return FBaseColor; }
  void SetBaseColor(TColor Value);
  TColor JumperColor() const { return FJumperColor; }
  void SetJumperColor(TColor Value);
  TColor PinColor() const { return FPinColor; }
  void SetPinColor(TColor Value);
  // bsSingle outlines the base or cap in black, bsNone in its own fill colour.
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

  // Fits or removes the cap, lets a radio panel parent keep its jumpers
  // exclusive, then raises OnClick, whose handlers see the new state.
  void Click() override;

 protected:
  void ComposeUpright(TBitmap& Work, int W, int H) override;

 private:
  void SetColorField(TColor& Field, TColor Value);

  bool FClosed = false;
  TColor FBaseColor = clGray;
  TColor FJumperColor = clMaroon;
  TColor FPinColor = clYellow;
  TBorderStyle FBorderStyle = bsSingle;
};

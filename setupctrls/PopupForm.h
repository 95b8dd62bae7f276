// The floating window that carries a highlight group's settings panel.
#pragma once

#include "toolkit/Form.h"

class TBoardHighlight;
class TStatusBar;

class TPopupForm : public TForm {
  TK_CLASS_NAME(TPopupForm)
 public:
  // Built in code, owned by the highlight that creates it.
  TPopupForm(TComponent* AOwner, TBoardHighlight* Highlight);

  TStatusBar* PopupStatus = nullptr;
  TBoardHighlight* Highlight() const { return FHighlight; }
  // Close the popup when the mouse leaves it (set when the mouse came in from the circle).
  bool CloseOnLeave() const { return FCloseOnLeave; }
  void SetCloseOnLeave(bool Value) { FCloseOnLeave = Value; }

 protected:
  void WndProc(TMessage& Message) override;

 private:
  void WMActivate(TMessage& Message);
  void CMMouseLeave(TMessage& Message);

  TBoardHighlight* FHighlight;
  bool FCloseOnLeave = false;
};

// Whether the screen point lies in the control's outer rectangle (Left, Top, Width, Height).
bool PointInOuterRect(const TControl* Control, TPoint ScreenPoint);

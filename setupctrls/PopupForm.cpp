#include "PopupForm.h"

#include "BoardHighlight.h"
#include "toolkit/Screen.h"

TPopupForm::TPopupForm(TComponent* AOwner, TBoardHighlight* Highlight) : TForm(AOwner), FHighlight(Highlight) {}

bool PointInOuterRect(const TControl* Control, TPoint P) {
  return PtInRect(Rect(0, 0, Control->Width(), Control->Height()), TPoint{P.x - Control->Left(), P.y - Control->Top()});
}

void TPopupForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATE: WMActivate(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    default: TForm::WndProc(Message); break;
  }
}

void TPopupForm::WMActivate(TMessage& Message) {
  // The group's circles show whether their popup is the active window.
  if (FHighlight != nullptr && !FHighlight->IsDestroying()) FHighlight->SetPopupActive(Message.WParam != WA_INACTIVE, true);
  Message.Result = 0;
}

void TPopupForm::CMMouseLeave(TMessage& Message) {
  // The notice also comes when the mouse only moves between the popup's controls,
  // so only a position outside the whole window, frame included, counts as leaving.
  TPoint p;
  GetCursorPos(p);
  if (!FCloseOnLeave || PointInOuterRect(this, p)) {
    TForm::WndProc(Message);
    return;
  }
  Close();
}

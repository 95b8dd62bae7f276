#include "Control.h"

#include "Application.h"
#include "WinControl.h"

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {}

TControl::~TControl() {
  SetComponentState(csDestroying, true);
  DestroyComponents();
  if (FParent != nullptr) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (FParent != nullptr) {
    FParent->Invalidate();
    FParent->RemoveControl(this);
  }
  if (AParent != nullptr) AParent->InsertControl(this);
  UpdateAnchorRules();
  Invalidate();
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  // Windowless controls repaint both the area they leave and the one they take.
  Invalidate();
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateAnchorRules();
  BoundsChanged();
  Invalidate();
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  VisibleChanging();
  if (!Value) Invalidate();
  FVisible = Value;
  if (FParent != nullptr) FParent->ChildVisibilityChanged(this);
  if (Value) Invalidate();
}

bool TControl::Showing() const { return FVisible && FParent != nullptr && FParent->Showing(); }

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  EnabledChanged();
}

void TControl::SetAnchors(const TAnchors& Value) {
  if (Value == FAnchors) return;
  FAnchors = Value;
  UpdateAnchorRules();
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  if (FParent != nullptr) FParent->AlignControls();
}

void TControl::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  ColorChanged();
}

void TControl::SetFont(const TFont& Value) {
  if (Value == FFont) return;
  FFont = Value;
  FontChanged();
}

void TControl::Invalidate() {
  if (FParent != nullptr && FVisible) FParent->InvalidateRect(BoundsRect());
}

void TControl::Update() {
  if (FParent != nullptr) FParent->Update();
}

void TControl::BringToFront() {
  if (FParent != nullptr) FParent->MoveControlToEnd(this);
}

TPoint TControl::ClientToScreen(TPoint P) const {
  if (FParent == nullptr) return P;
  return FParent->ClientToScreen(TPoint{P.x + FLeft, P.y + FTop});
}

TPoint TControl::ScreenToClient(TPoint P) const {
  TPoint origin = ClientToScreen(TPoint{0, 0});
  return TPoint{P.x - origin.x, P.y - origin.y};
}

std::intptr_t TControl::Perform(std::uint32_t Msg, std::intptr_t WParam, std::intptr_t LParam) {
  TMessage m;
  m.Msg = Msg;
  m.WParam = WParam;
  m.LParam = LParam;
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER: MouseEnter(Message); break;
    case CM_MOUSELEAVE: MouseLeave(Message); break;
    case WM_LBUTTONDOWN: LButtonDown(Message); break;
    case WM_LBUTTONUP: LButtonUp(Message); break;
    case WM_MOUSEMOVE: MouseMove(Message); break;
    default: break;
  }
}

// A control passes its enter and leave notices on to its parent, naming itself.
void TControl::MouseEnter(TMessage& Message) {
  if (FParent != nullptr && Message.LParam == 0)
    FParent->Perform(CM_MOUSEENTER, 0, reinterpret_cast<std::intptr_t>(this));
}

void TControl::MouseLeave(TMessage& Message) {
  if (FParent != nullptr && Message.LParam == 0)
    FParent->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<std::intptr_t>(this));
}

void TControl::LButtonDown(TMessage& Message) {
  FMouseDown = true;
  if (OnMouseDown) OnMouseDown(this, mbLeft, MouseX(Message.LParam), MouseY(Message.LParam));
}

void TControl::LButtonUp(TMessage& Message) {
  const bool wasDown = FMouseDown;
  FMouseDown = false;
  const int x = MouseX(Message.LParam);
  const int y = MouseY(Message.LParam);
  if (OnMouseUp) OnMouseUp(this, mbLeft, x, y);
  // A click is a press and a release over the same control.
  if (wasDown && PtInRect(ClientRect(), TPoint{x, y})) Click();
}

void TControl::MouseMove(TMessage& Message) {
  if (OnMouseMove) OnMouseMove(this, MouseX(Message.LParam), MouseY(Message.LParam));
}

void TControl::Click() {
  // A copy: the handler may replace itself or free the sender's owner's state.
  const TNotifyEvent handler = OnClick;
  if (handler) handler(this);
}

void TControl::UpdateAnchorRules() {
  if (FParent == nullptr) {
    FAnchorParentWidth = -1;
    return;
  }
  FAnchorOrigin = BoundsRect();
  FAnchorParentWidth = FParent->ClientWidth();
  FAnchorParentHeight = FParent->ClientHeight();
}

void TControl::AnchorToParentSize(int ParentWidth, int ParentHeight) {
  if (FAnchorParentWidth < 0 || FAlign != alNone) return;
  const int dx = ParentWidth - FAnchorParentWidth;
  const int dy = ParentHeight - FAnchorParentHeight;
  const bool l = FAnchors.count(akLeft) != 0, r = FAnchors.count(akRight) != 0;
  const bool t = FAnchors.count(akTop) != 0, b = FAnchors.count(akBottom) != 0;
  int left = FAnchorOrigin.Left, width = FAnchorOrigin.Width();
  int top = FAnchorOrigin.Top, height = FAnchorOrigin.Height();
  if (l && r) width += dx;
  else if (r) left += dx;
  else if (!l) left += dx / 2;  // neither side: keep the horizontal centre
  if (t && b) height += dy;
  else if (b) top += dy;
  else if (!t) top += dy / 2;
  // Keep the rule: anchoring must not forget the original layout.
  const TRect origin = FAnchorOrigin;
  const int pw = FAnchorParentWidth, ph = FAnchorParentHeight;
  SetBounds(left, top, width < 0 ? 0 : width, height < 0 ? 0 : height);
  FAnchorOrigin = origin;
  FAnchorParentWidth = pw;
  FAnchorParentHeight = ph;
}

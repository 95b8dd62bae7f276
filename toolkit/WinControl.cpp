#include "WinControl.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>

#include "Application.h"
#include "Form.h"
#include "GraphicControl.h"
#include "qt/QtFont.h"
#include "qt/WidgetGlue.h"

namespace {
// The form that holds the control, or nullptr.
TForm* FormOf(const TControl* C) {
  for (const TControl* c = C; c != nullptr; c = c->Parent()) {
    if (auto* f = dynamic_cast<const TForm*>(c)) return const_cast<TForm*>(f);
  }
  return nullptr;
}
}  // namespace

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  SetComponentState(csDestroying, true);
  DestroyComponents();
  // Child controls go with their parent; each removes itself from the list.
  while (!FControls.empty()) delete FControls.back();
  if (FParent != nullptr) FParent->RemoveControl(this);
  if (TForm* form = FormOf(this)) {
    if (form != this && form->ActiveControl() != nullptr && ContainsControl(form->ActiveControl()))
      form->ForgetActiveControl();
  }
  delete FWidget;
  FWidget = nullptr;
}

int TWinControl::IndexOfControl(const TControl* C) const {
  auto it = std::find(FControls.begin(), FControls.end(), C);
  return it == FControls.end() ? -1 : static_cast<int>(it - FControls.begin());
}

void TWinControl::InsertControl(TControl* C) {
  FControls.push_back(C);
  C->FParent = this;
  if (auto* w = dynamic_cast<TWinControl*>(C)) {
    if (w->FWidget != nullptr) {
      // A control that already has a widget takes it along to its new parent.
      w->FWidget->setParent(Handle());
      w->SyncWidgetGeometry();
      ApplyChildTabOrder();
    } else if (FWidget != nullptr && w->FVisible) {
      w->CreateHandle();
    }
  }
  if (C->Align() != alNone) AlignControls();
}

void TWinControl::RemoveControl(TControl* C) {
  auto it = std::find(FControls.begin(), FControls.end(), C);
  if (it == FControls.end()) return;
  FControls.erase(it);
  if (FMouseControl == C) FMouseControl = nullptr;
  if (FCaptureControl == C) FCaptureControl = nullptr;
  C->FParent = nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(C)) {
    if (w->FWidget != nullptr && !IsDestroying()) {
      w->FWidget->hide();
      w->FWidget->setParent(nullptr);
    }
  }
}

void TWinControl::MoveControlToEnd(TControl* C) {
  auto it = std::find(FControls.begin(), FControls.end(), C);
  if (it == FControls.end()) return;
  FControls.erase(it);
  FControls.push_back(C);
  if (auto* w = dynamic_cast<TWinControl*>(C)) {
    if (w->FWidget != nullptr) w->FWidget->raise();
  }
  C->Invalidate();
}

QWidget* TWinControl::Handle() {
  if (FWidget != nullptr) return FWidget;
  if (FParent != nullptr && FParent->FWidget == nullptr) {
    // Making the parent's widget makes this one too when this control is visible.
    FParent->Handle();
    if (FWidget != nullptr) return FWidget;
  }
  CreateHandle();
  return FWidget;
}

void TWinControl::CreateHandle() {
  MakeWidgets();
  if (FParent != nullptr) FParent->ApplyChildTabOrder();
}

void TWinControl::MakeWidgets() {
  FWidget = CreateWidget();
  RegisterWidget(FWidget, this);
  TkEventFilter::Instance()->Watch(FWidget);
  ApplyFontToWidget();
  FWidget->setEnabled(FEnabled);
  if (FTabStopSet) FWidget->setFocusPolicy(FTabStop ? Qt::StrongFocus : Qt::NoFocus);
  if (FCursor != crDefault) SetCursor(FCursor);
  if (FParent != nullptr) {
    FWidget->setParent(FParent->FWidget);
    // Qt stacks a new child on top; it goes under the next sibling that has a widget.
    const int index = FParent->IndexOfControl(this);
    for (size_t i = static_cast<size_t>(index) + 1; i < FParent->FControls.size(); ++i) {
      auto* above = dynamic_cast<TWinControl*>(FParent->FControls[i]);
      if (above != nullptr && above->FWidget != nullptr) {
        FWidget->stackUnder(above->FWidget);
        break;
      }
    }
  }
  SyncWidgetGeometry();
  for (TControl* c : std::vector<TControl*>(FControls)) {
    auto* w = dynamic_cast<TWinControl*>(c);
    if (w != nullptr && w->FWidget == nullptr && w->FVisible) w->MakeWidgets();
  }
  ApplyChildTabOrder();
}

QWidget* TWinControl::CreateWidget() { return new TkWidget(this); }

void TWinControl::SyncWidgetGeometry() {
  if (FWidget == nullptr) return;
  FWidget->setGeometry(FLeft, FTop, std::max(0, FWidth), std::max(0, FHeight));
  // A control without a parent has nowhere to show; it must not become a window of its own.
  FWidget->setVisible(FVisible && FParent != nullptr);
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool resized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateAnchorRules();
  SyncWidgetGeometry();
  BoundsChanged();
  if (resized) AlignControls();
}

void TWinControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  VisibleChanging();
  FVisible = Value;
  if (FVisible && FWidget == nullptr && FParent != nullptr && FParent->FWidget != nullptr)
    CreateHandle();
  else
    SyncWidgetGeometry();
  if (FParent != nullptr) FParent->ChildVisibilityChanged(this);
}

void TWinControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (FParent != nullptr) FParent->RemoveControl(this);
  if (AParent != nullptr) AParent->InsertControl(this);
  UpdateAnchorRules();
  SyncWidgetGeometry();
}

bool TWinControl::Showing() const { return FWidget != nullptr && FWidget->isVisible(); }

void TWinControl::Invalidate() {
  if (FWidget != nullptr) FWidget->update();
}

void TWinControl::InvalidateRect(const TRect& R) {
  if (FWidget != nullptr && !R.IsEmpty()) FWidget->update(R.Left, R.Top, R.Width(), R.Height());
}

void TWinControl::Update() {
  if (FWidget != nullptr) FWidget->repaint();
}

void TWinControl::SetCursor(TCursor Value) {
  TControl::SetCursor(Value);
  if (FWidget != nullptr) FWidget->setCursor(Value == crHandPoint ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c != nullptr; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return FormOf(this) != nullptr;
}

void TWinControl::SetFocus() {
  TForm* form = FormOf(this);
  if (form == nullptr) return;
  form->FocusControl(this);
}

bool TWinControl::Focused() const {
  TForm* form = FormOf(this);
  return form != nullptr && form->ActiveControl() == this;
}

void TWinControl::SetTabOrder(int Value) {
  FTabOrder = Value;
  if (FParent != nullptr) FParent->ApplyChildTabOrder();
}

void TWinControl::ApplyChildTabOrder() {
  // Qt's focus chain follows the tab order of the siblings.
  std::vector<TWinControl*> children;
  for (TControl* c : FControls) {
    auto* w = dynamic_cast<TWinControl*>(c);
    if (w != nullptr && w->FWidget != nullptr) children.push_back(w);
  }
  std::stable_sort(children.begin(), children.end(),
                   [](TWinControl* a, TWinControl* b) { return a->FTabOrder < b->FTabOrder; });
  for (size_t i = 1; i < children.size(); ++i) QWidget::setTabOrder(children[i - 1]->FWidget, children[i]->FWidget);
}

void TWinControl::SetTabStop(bool Value) {
  FTabStop = Value;
  FTabStopSet = true;
  if (FWidget != nullptr) FWidget->setFocusPolicy(Value ? Qt::StrongFocus : Qt::NoFocus);
}

bool TWinControl::ContainsControl(const TControl* C) const {
  for (const TControl* c = C; c != nullptr; c = c->Parent()) {
    if (c == this) return true;
  }
  return false;
}

void TWinControl::AlignControls() {
  int top = 0;
  const int width = ClientWidth();
  for (TControl* c : FControls) {
    if (c->Align() == alTop && c->Visible()) {
      c->SetBounds(0, top, width, c->Height());
      top += c->Height();
    }
  }
}

void TWinControl::WidgetResized(int ClientW, int ClientH) {
  // The widget was resized by Qt (a layout or the user); forms keep their outer size in TForm.
  FWidth = ClientW;
  FHeight = ClientH;
  AlignControls();
  for (TControl* c : std::vector<TControl*>(FControls)) c->AnchorToParentSize(ClientW, ClientH);
}

void TWinControl::WidgetMoved(int, int) {}

void TWinControl::ChildVisibilityChanged(TControl* Child) {
  if (!Child->Visible()) {
    if (FMouseControl == Child) FMouseControl = nullptr;
    if (FCaptureControl == Child) FCaptureControl = nullptr;
  }
  if (Child->Align() != alNone) AlignControls();
}

void TWinControl::PaintWindow(TCanvas&, const TRect&) {}

namespace {
TRect Shifted(const TRect& R, TPoint By) { return Rect(R.Left + By.x, R.Top + By.y, R.Right + By.x, R.Bottom + By.y); }
}  // namespace

void TWinControl::PaintHandler(QImage& Surface, const TRect& Damaged, TPoint Offset) {
  TCanvas canvas;
  canvas.Attach(&Surface, Offset, Shifted(Damaged, Offset));
  if (!FOpaque) {
    canvas.Brush.Color = FColor;
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(Damaged);
  }
  PaintWindow(canvas, Damaged);
  // Windowless children are painted over the control's own drawing, in child order.
  for (size_t i = 0; i < FControls.size(); ++i) {
    auto* g = dynamic_cast<TGraphicControl*>(FControls[i]);
    if (g == nullptr || !g->Visible()) continue;
    const TRect clip = IntersectRect(g->BoundsRect(), Damaged);
    if (clip.IsEmpty()) continue;
    g->Canvas().Attach(&Surface, TPoint{g->Left() + Offset.x, g->Top() + Offset.y}, Shifted(clip, Offset));
    try {
      g->Paint();
    } catch (...) {
      g->Canvas().Detach();
      throw;
    }
    g->Canvas().Detach();
  }
}

void TWinControl::HandleMouseMove(int X, int Y) {
  TControl* under = nullptr;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TGraphicControl*>(c) != nullptr && c->Visible() && c->Enabled() &&
        PtInRect(c->BoundsRect(), TPoint{X, Y})) {
      under = c;
      break;
    }
  }
  if (under != FMouseControl) {
    TControl* old = FMouseControl;
    FMouseControl = under;
    if (old != nullptr) old->Perform(CM_MOUSELEAVE, 0, 0);
    // The leave handler may have hidden or freed the new control.
    if (FMouseControl == under && under != nullptr) under->Perform(CM_MOUSEENTER, 0, 0);
  }
  TControl* target = FCaptureControl != nullptr ? FCaptureControl : FMouseControl;
  if (target != nullptr)
    target->Perform(WM_MOUSEMOVE, 0, MakeMousePos(X - target->Left(), Y - target->Top()));
  else
    Perform(WM_MOUSEMOVE, 0, MakeMousePos(X, Y));
}

void TWinControl::HandleMouseButton(bool Down, TMouseButton Button, int X, int Y) {
  if (Button != mbLeft) return;
  if (Down) {
    FCaptureControl = FMouseControl;
    if (FCaptureControl != nullptr)
      FCaptureControl->Perform(WM_LBUTTONDOWN, 0, MakeMousePos(X - FCaptureControl->Left(), Y - FCaptureControl->Top()));
    else
      Perform(WM_LBUTTONDOWN, 0, MakeMousePos(X, Y));
  } else {
    TControl* target = FCaptureControl;
    FCaptureControl = nullptr;
    if (target != nullptr)
      target->Perform(WM_LBUTTONUP, 0, MakeMousePos(X - target->Left(), Y - target->Top()));
    else
      Perform(WM_LBUTTONUP, 0, MakeMousePos(X, Y));
  }
}

void TWinControl::HandleMouseExit() {
  if (FMouseControl != nullptr) {
    TControl* old = FMouseControl;
    FMouseControl = nullptr;
    old->Perform(CM_MOUSELEAVE, 0, 0);
  }
  Perform(CM_MOUSELEAVE, 0, 0);
}

void TWinControl::HandleMouseEnterWindow() { Perform(CM_MOUSEENTER, 0, 0); }

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::ColorChanged() { Invalidate(); }

void TWinControl::EnabledChanged() {
  // A disabled control takes no mouse or keyboard input.
  if (FWidget != nullptr) FWidget->setEnabled(FEnabled);
  Invalidate();
}

void TWinControl::FontChanged() {
  ApplyFontToWidget();
  Invalidate();
}

void TWinControl::ApplyFontToWidget() {
  if (FWidget != nullptr) FWidget->setFont(ToQFont(FFont));
}

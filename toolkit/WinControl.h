// Controls with a window of their own, backed by a Qt widget. They hold child
// controls, paint the windowless ones, and route mouse notices to them.
#pragma once

#include <vector>

#include "Control.h"

class QWidget;
class QImage;
class TGraphicControl;
class TCanvas;

class TWinControl : public TControl {
  TK_CLASS_NAME(TWinControl)
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // Child controls in paint order, windowless and windowed alike.
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int Index) const { return FControls.at(static_cast<size_t>(Index)); }
  int IndexOfControl(const TControl* C) const;
  void InsertControl(TControl* C);
  void RemoveControl(TControl* C);
  void MoveControlToEnd(TControl* C);

  // The widget behind the control, made on first use (with its parent's before it).
  // Until then the control keeps its state itself: a control that is never shown,
  // or not shown yet, costs no widget. Making a widget makes the widgets of its
  // visible windowed children; a hidden child gets its own when it is shown.
  QWidget* Handle();
  bool HandleAllocated() const { return FWidget != nullptr; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetVisible(bool Value) override;
  void SetParent(TWinControl* AParent) override;
  bool Showing() const override;
  void Invalidate() override;
  void Update() override;
  void SetCursor(TCursor Value) override;
  // Repaints the given area of this control's surface.
  void InvalidateRect(const TRect& R);

  // Keyboard focus.
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool Focused() const;
  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int Value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  // Whether C is this control or lies inside it.
  bool ContainsControl(const TControl* C) const;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // Lays out aligned children and applies anchors after a size change.
  void AlignControls();

  // The toolkit's paint pass: erase, Paint, then the windowless children, drawn into
  // Surface where this control's (0, 0) lies at Offset. Public for the widget glue.
  void PaintHandler(QImage& Surface, const TRect& Damaged, TPoint Offset = TPoint{0, 0});
  // Mouse input from the widget glue, in client coordinates.
  void HandleMouseMove(int X, int Y);
  void HandleMouseButton(bool Down, TMouseButton Button, int X, int Y);
  void HandleMouseExit();
  void HandleMouseEnterWindow();
  // The windowless child under the mouse, if any; cleared when it is hidden or removed.
  TControl* MouseControl() const { return FMouseControl; }
  // Called by the toolkit when focus moves in or out of this control's subtree.
  void DoEnter();
  void DoExit();
  // The geometry of the widget changed on screen (user resize or window manager).
  virtual void WidgetResized(int ClientW, int ClientH);
  virtual void WidgetMoved(int ScreenX, int ScreenY);

  // When set, invalidation does not erase the background first.
  bool Opaque() const { return FOpaque; }
  void SetOpaque(bool Value) { FOpaque = Value; }

 protected:
  // Makes the widget; overrides return a widget of their own kind. Called once.
  virtual QWidget* CreateWidget();
  // Paints the control's own surface. Only controls with a canvas draw anything.
  virtual void PaintWindow(TCanvas& Canvas, const TRect& Damaged);
  // Applies the current bounds and visibility to the widget.
  virtual void SyncWidgetGeometry();
  void ColorChanged() override;
  void EnabledChanged() override;
  void FontChanged() override;
  void ApplyFontToWidget();
  virtual void ChildVisibilityChanged(TControl* Child);
  // Orders the focus chain of the children that have widgets by their tab order.
  void ApplyChildTabOrder();

  QWidget* FWidget = nullptr;
  std::vector<TControl*> FControls;
  TControl* FMouseControl = nullptr;
  TControl* FCaptureControl = nullptr;
  int FTabOrder = -1;
  bool FTabStop = false;
  bool FTabStopSet = false;  // SetTabStop was called: the widget's focus policy follows FTabStop
  bool FOpaque = false;

 private:
  // Makes the widget of a control whose parent has one (or that has no parent), with
  // the widgets of its visible windowed children, and orders the focus chain.
  void CreateHandle();
  // The making itself; each control orders its own children's focus chain once.
  void MakeWidgets();

  friend class TControl;
};

// Controls: a rectangle on a parent, shown or hidden, painted and messaged.
#pragma once

#include <cstdint>

#include "Component.h"
#include "Font.h"
#include "Messages.h"
#include "Types.h"

class TWinControl;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, int X, int Y)>;

class TControl : public TComponent {
  TK_CLASS_NAME(TControl)
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int V) { SetBounds(V, FTop, FWidth, FHeight); }
  void SetTop(int V) { SetBounds(FLeft, V, FWidth, FHeight); }
  void SetWidth(int V) { SetBounds(FLeft, FTop, V, FHeight); }
  void SetHeight(int V) { SetBounds(FLeft, FTop, FWidth, V); }
  // Moves and sizes the control; does nothing when nothing differs.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }
  virtual int ClientWidth() const { return FWidth; }
  virtual int ClientHeight() const { return FHeight; }

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible itself and every parent up to a shown window.
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);

  const TAnchors& Anchors() const { return FAnchors; }
  void SetAnchors(const TAnchors& Value);
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& Value);
  TCursor Cursor() const { return FCursor; }
  virtual void SetCursor(TCursor Value) { FCursor = Value; }

  // Asks for a repaint of the control's area.
  virtual void Invalidate();
  // Repaints at once.
  virtual void Update();
  // Moves the control to the end of its parent's paint order.
  void BringToFront();

  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;

  // Delivers a message synchronously and returns its result.
  std::intptr_t Perform(std::uint32_t Msg, std::intptr_t WParam, std::intptr_t LParam);
  // Dispatches a message by number to its handler.
  virtual void WndProc(TMessage& Message);

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  // Raises OnClick. Overrides add behaviour around it.
  virtual void Click();

  // Keeps the anchored distances from the current parent size; the toolkit calls this
  // whenever the bounds are set from code and when the parent's size changes.
  void UpdateAnchorRules();
  virtual void AnchorToParentSize(int ParentWidth, int ParentHeight);

 protected:
  virtual void MouseEnter(TMessage& Message);
  virtual void MouseLeave(TMessage& Message);
  virtual void LButtonDown(TMessage& Message);
  virtual void LButtonUp(TMessage& Message);
  virtual void MouseMove(TMessage& Message);
  virtual void VisibleChanging() {}
  virtual void BoundsChanged() {}
  virtual void ColorChanged() { Invalidate(); }
  virtual void EnabledChanged() { Invalidate(); }
  virtual void FontChanged() { Invalidate(); }

  TWinControl* FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  TColor FColor = clBtnFace;
  TFont FFont;
  TAnchors FAnchors{akLeft, akTop};
  TAlign FAlign = alNone;
  TCursor FCursor = crDefault;
  bool FMouseDown = false;  // the left button went down on this control and is held

 private:
  friend class TWinControl;
  TRect FAnchorOrigin;
  int FAnchorParentWidth = -1;
  int FAnchorParentHeight = -1;
};

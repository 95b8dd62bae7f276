// The highlight's hover, hold and close behaviour, and how its popup is built and placed.
#include <algorithm>

#include "BoardHighlight.h"
#include "BoardImage.h"
#include "PopupForm.h"
#include "RadioPanel.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Memo.h"
#include "toolkit/Screen.h"
#include "toolkit/StatusBar.h"

namespace {
constexpr std::intptr_t kRelayed = 1;
}

bool TBoardHighlight::IsLinkedWith(const TBoardHighlight* Other) const {
  return Other != nullptr && IsExactly<TBoardImage>(Parent()) && Other->Parent() == Parent() &&
         Other->FTitle == FTitle && Other->FHighlightType == FHighlightType;
}

void TBoardHighlight::ForEachLinked(const std::function<void(TBoardHighlight*)>& Fn) {
  TWinControl* parent = Parent();
  if (!IsExactly<TBoardImage>(parent)) return;
  const int count = parent->ControlCount();
  for (int i = 0; i < count && i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (IsExactly<TBoardHighlight>(c) && IsLinkedWith(static_cast<TBoardHighlight*>(c)))
      Fn(static_cast<TBoardHighlight*>(c));
  }
}

void TBoardHighlight::CMMouseEnter(TMessage& Message) {
  if (FHot) return;
  FHot = true;
  Invalidate();
  if (CreatePopup) ShowPopup();
  if (Message.WParam == kRelayed) return;
  ForEachLinked([](TBoardHighlight* h) { h->Perform(CM_MOUSEENTER, kRelayed, 0); });
}

void TBoardHighlight::CMMouseLeave(TMessage& Message) {
  if (!FHot) return;
  if (FPopup != nullptr && !FPinned) {
    TPoint p;
    GetCursorPos(p);
    if (PointInOuterRect(FPopup, p)) {
      // The mouse went into the popup: keep it until the mouse leaves it.
      FPopup->SetCloseOnLeave(true);
      Pin();
    } else {
      FPopup->Close();
    }
  }
  if (Message.WParam == kRelayed) return;
  ForEachLinked([](TBoardHighlight* h) { h->Perform(CM_MOUSELEAVE, kRelayed, 0); });
}

void TBoardHighlight::Click() {
  TGraphicControl::Click();
  Pin();
}

void TBoardHighlight::Pin() {
  if (FPopup != nullptr) {
    FPinned = true;
    CheckMenuEntry(true);
  }
  ForEachLinked([](TBoardHighlight* h) { h->PinPopup(); });
}

void TBoardHighlight::PinPopup() {
  if (FPopup == nullptr) return;
  // A hidden window cannot take the focus. A click on a circle whose popup was closed
  // while the mouse stayed on it shows the popup first, lighting the group as entering would.
  if (!FPopup->Visible()) {
    TMessage enter{CM_MOUSEENTER, 0, 0, 0};
    CMMouseEnter(enter);
    if (!FPopup->Visible()) FPopup->ShowForm();
  }
  FPinned = true;
  CheckMenuEntry(true);
  FPopup->SetFocus();
}

void TBoardHighlight::ShowPopup() {
  if (FPopup != nullptr) {
    if (!FPopup->Visible()) FPinned = false;
    FPopup->ShowForm();
    return;
  }
  for (int i = 0; Application != nullptr && i < Application->FormCount(); ++i) {
    TForm* f = Application->Forms(i);
    if (f->Caption() == FPopupCaption && f->Tag == static_cast<int>(FHighlightType)) return;
  }

  auto* popup = new TPopupForm(this, this);
  FPopup = popup;
  popup->AutoScroll = false;
  popup->SetBorderStyle(bsSizeToolWin);
  popup->SetFormStyle(fsStayOnTop);
  FPinned = false;

  int memoHeight = 58;
  int panelLeft = 0, panelTop = 0;
  if (FRadioPanel != nullptr) {
    TRadioPanel* panel = FRadioPanel;
    memoHeight = panel->MemoHeight;
    popup->OnActivate = panel->OnActivate;
    popup->OnDeactivate = panel->OnDeactivate;
    panelLeft = panel->Left();
    panelTop = panel->Top();
    panel->SetBounds(0, 0, panel->Width(), panel->Height());
    panel->SetVisible(true);
    popup->SetClientWidth(panel->Width());
    popup->SetClientHeight(panel->Height() + 32 + memoHeight + 19);
    panel->SetParent(popup);
    panel->SetAnchors(panel->FinalAnchors());
    panel->FFinalAnchorsApplied = true;
  } else {
    popup->SetBounds(popup->Left(), popup->Top(), 194, 141);
  }

  popup->SetCaption(FPopupCaption);
  popup->SetBounds(popup->Left(), popup->Top(), std::max(194, popup->Width()), std::max(122, popup->Height()));
  popup->SetConstraints(TSizeConstraints{popup->Width(), popup->Height()});
  popup->Tag = static_cast<int>(FHighlightType);
  popup->SetPosition(poDesigned);

  // The popup opens where the panel was laid out on the main window, moved by as much
  // as the board moved when it centred itself; without a panel, under the board.
  int dx = 0, dy = 0;
  TWinControl* parent = Parent();
  if (IsExactly<TBoardImage>(parent)) {
    auto* board = static_cast<TBoardImage*>(parent);
    dx = board->DesignLeft() - panelLeft;
    dy = board->DesignTop() - panelTop;
  }
  if (FRadioPanel == nullptr) {
    dx = 0;
    dy = parent != nullptr ? -(parent->Height() + 38) : -38;
  }
  const int parentLeft = parent != nullptr ? parent->Left() : 0;
  const int parentTop = parent != nullptr ? parent->Top() : 0;
  popup->SetBounds(parentLeft - dx, parentTop - dy, popup->Width(), popup->Height());

  popup->OnClose = [this](TObject* Sender, TCloseAction& Action) { PopupClosed(Sender, Action); };

  const int w = popup->ClientWidth(), h = popup->ClientHeight();
  auto* status = new TStatusBar(popup);
  status->SetName("PopupStatus");
  status->SetBounds(0, h - 19, w, 19);
  status->SetParent(popup);
  status->SetAnchors({akLeft, akRight, akBottom});
  popup->PopupStatus = status;

  struct TButtonLayout {
    const char* Name;
    const char* Caption;
    int Left;
    TAnchors Anchors;
    void (TBoardHighlight::*Handler)(TObject*);
  };
  const TButtonLayout buttons[] = {
      {"PreviousButton", "Previous", 6, {akLeft, akBottom}, &TBoardHighlight::PreviousClick},
      {"NextButton", "Next", (w - 58) / 2, {akBottom}, &TBoardHighlight::NextClick},
      {"DoneButton", "Done", w - 64, {akRight, akBottom}, &TBoardHighlight::DoneClick},
  };
  TButton* done = nullptr;
  for (const TButtonLayout& layout : buttons) {
    auto* b = new TButton(popup);
    b->SetName(layout.Name);
    b->SetCaption(layout.Caption);
    b->SetBounds(layout.Left, h - 44, 58, 25);
    b->SetParent(popup);
    b->SetAnchors(layout.Anchors);
    auto handler = layout.Handler;
    b->OnClick = [this, handler](TObject* Sender) { (this->*handler)(Sender); };
    done = b;
  }

  auto* memo = new TMemo(popup);
  memo->SetName("StatusMemo");
  memo->SetBounds(6, h - 50 - memoHeight, w - 12, memoHeight);
  memo->SetParent(popup);
  memo->SetAnchors({akLeft, akTop, akRight, akBottom});
  memo->SetReadOnly(true);
  memo->SetScrollBars(ssVertical);
  if (FRadioPanel != nullptr) memo->Lines().Assign(FRadioPanel->Lines());

  // One correction per axis keeps the popup on the screen.
  int left = popup->Left(), top = popup->Top();
  if (left < 0)
    left = 0;
  else if (left + popup->Width() > Screen::Width())
    left = Screen::Width() - popup->Width();
  if (top < 0)
    top = 0;
  else if (top + popup->Height() > Screen::Height())
    top = Screen::Height() - popup->Height();
  popup->SetBounds(left, top, popup->Width(), popup->Height());

  popup->ShowForm();
  if (FRadioPanel != nullptr)
    popup->FocusControl(FRadioPanel);
  else
    popup->FocusControl(done);
}

void TBoardHighlight::SetPopupActive(bool Value, bool Relay) {
  FPopupActive = Value;
  BringToFront();
  Invalidate();
  TWinControl* parent = Parent();
  if (!Relay || !IsExactly<TBoardImage>(parent)) return;
  // Each linked highlight moves to the end of the list as it is updated, so the
  // walk stays at the same index and looks at one child fewer.
  int i = 0, n = parent->ControlCount();
  while (i < n && i < parent->ControlCount()) {
    TControl* c = parent->Controls(i);
    auto* h = IsExactly<TBoardHighlight>(c) ? static_cast<TBoardHighlight*>(c) : nullptr;
    if (h != nullptr && h != this && IsLinkedWith(h)) {
      h->SetPopupActive(Value, false);
      --n;
    } else {
      ++i;
    }
  }
}

void TBoardHighlight::PopupClosed(TObject*, TCloseAction&) {
  if (IsDestroying()) return;
  CheckMenuEntry(false);
  if (FPopup != nullptr) FPopup->SetCloseOnLeave(false);
  ClearHot();
  ForEachLinked([](TBoardHighlight* h) { h->ClearHot(); });
}

void TBoardHighlight::ClearHot() {
  FHot = false;
  Invalidate();
}

void TBoardHighlight::DoneClick(TObject*) {
  if (FPopup != nullptr) FPopup->Close();
}

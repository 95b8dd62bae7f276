#include "SupportForms.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "BoardImage.h"
#include "toolkit/Button.h"
#include "toolkit/Label.h"
#include "toolkit/Memo.h"
#include "toolkit/RichEdit.h"
#include "toolkit/Screen.h"

namespace {
const TAnchors kAllEdges{akLeft, akTop, akRight, akBottom};
// Anchored to the bottom alone, a button keeps its distance from the bottom edge and
// its horizontal centre when the window grows.
const TAnchors kBottomOnly{akBottom};

// The client area becomes the bounding box of the children, which move so that the
// box starts at the client origin.
void FitClientToChildren(TForm& Form) {
  if (Form.ControlCount() == 0) return;
  TRect box = Form.Controls(0)->BoundsRect();
  for (int i = 1; i < Form.ControlCount(); ++i) {
    const TRect r = Form.Controls(i)->BoundsRect();
    box = Rect(std::min(box.Left, r.Left), std::min(box.Top, r.Top), std::max(box.Right, r.Right),
               std::max(box.Bottom, r.Bottom));
  }
  for (int i = 0; i < Form.ControlCount(); ++i) {
    TControl* c = Form.Controls(i);
    c->SetBounds(c->Left() - box.Left, c->Top() - box.Top, c->Width(), c->Height());
  }
  Form.SetClientWidth(box.Width());
  Form.SetClientHeight(box.Height());
}

// Lays the children out for the current client size at once, rather than when the
// window system first reports the size, so that a hidden window is already complete.
void FollowClientSize(TForm& Form) {
  Form.AlignControls();
  for (int i = 0; i < Form.ControlCount(); ++i) Form.Controls(i)->AnchorToParentSize(Form.ClientWidth(), Form.ClientHeight());
}

TButton* MakeButton(TForm& Form, const char* Name, const TRect& Bounds, const char* Caption) {
  auto* button = new TButton(&Form);
  button->SetName(Name);
  button->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
  button->SetParent(&Form);
  button->SetCaption(Caption);
  button->SetTabOrder(0);
  return button;
}

TMemo* MakeReadOnlyMemo(TForm& Form, const char* Name) {
  auto* memo = new TMemo(&Form);
  memo->SetName(Name);
  memo->SetBounds(8, 8, 305, 89);
  memo->SetParent(&Form);
  memo->SetReadOnly(true);
  memo->SetScrollBars(ssVertical);
  return memo;
}

int RoundHalfEven(double Value) { return static_cast<int>(std::nearbyint(Value)); }
}  // namespace

double HelpWindowScale(int ScreenWidth, int ScreenHeight) {
  const double s = std::min(ScreenHeight / 450.0, ScreenWidth / 800.0);
  return s < 1.0 ? 1.0 : s;
}

THelpForm::THelpForm(TComponent* AOwner) : TForm(AOwner) {}

void THelpForm::Build(const std::string& HelpDocument) {
  SetName("HelpForm");
  SetCaption("Instructions for Settings utility");
  SetFormStyle(fsStayOnTop);
  SetPosition(poMainFormCenter);

  HelpLabel = new TLabel(this);
  HelpLabel->SetName("HelpLabel");
  HelpLabel->SetParent(this);
  HelpLabel->SetAlign(alTop);
  HelpLabel->SetAlignment(taCenter);
  HelpLabel->SetCaption("How to use this program");
  TFont labelFont = HelpLabel->Font();
  labelFont.Name = "Verdana";
  labelFont.Size = 12;
  labelFont.Style = fsBold;
  HelpLabel->SetFont(labelFont);

  HelpRich = new TRichEdit(this);
  HelpRich->SetName("HelpRich");
  HelpRich->SetBounds(0, 24, 305, 73);
  HelpRich->SetParent(this);
  HelpRich->SetReadOnly(true);
  HelpRich->SetScrollBars(ssVertical);
  HelpRich->SetColor(RGB(221, 221, 221));
  HelpRich->LoadFromRtf(HelpDocument);

  // Enter and Esc both act as Start: the help window has nothing else to answer.
  StartButton = MakeButton(*this, "StartButton", Bounds(0, 105, 173, 25), "Start");
  StartButton->SetDefault(true);
  StartButton->SetCancel(true);
  StartButton->OnClick = [this](TObject* Sender) { StartButtonClick(Sender); };

  // The top-aligned label spans the rich text's width before the window is fitted.
  SetClientWidth(HelpRich->Width());
  AlignControls();
  FitClientToChildren(*this);
  SetClientHeight(ClientHeight() + 8);
  HelpRich->SetAnchors(kAllEdges);
  StartButton->SetLeft((ClientWidth() - StartButton->Width()) / 2);
  StartButton->SetAnchors(kBottomOnly);

  const double s = HelpWindowScale(Screen::Width(), Screen::Height());
  SetClientWidth(RoundHalfEven(ClientWidth() * s));
  SetClientHeight(RoundHalfEven(ClientHeight() * s));
  FollowClientSize(*this);
}

void THelpForm::StartButtonClick(TObject*) {
  Hide();
  auto* main = dynamic_cast<TWinControl*>(Owner());
  if (main == nullptr) return;
  for (int i = 0; i < main->ControlCount(); ++i) {
    TControl* c = main->Controls(i);
    if (dynamic_cast<TBoardImage*>(c) != nullptr) {
      c->Perform(WM_BOARDSTART, 0, 0);
      return;
    }
  }
}

TTechForm::TTechForm(TComponent* AOwner) : TForm(AOwner) {}

void TTechForm::Build(const std::string& SupportText, TNotifyEvent CloseClick) {
  SetName("TechForm");
  SetCaption("Technical Support");
  SetFormStyle(fsStayOnTop);
  SetPosition(poDefaultPosOnly);

  TechMemo = MakeReadOnlyMemo(*this, "TechMemo");
  TechMemo->SetText(SupportText);
  CloseButton = MakeButton(*this, "CloseButton", Bounds(165, 105, 73, 25), "Close");
  CloseButton->SetCancel(true);
  CloseButton->OnClick = std::move(CloseClick);

  FitClientToChildren(*this);
  TechMemo->SetAnchors(kAllEdges);
  CloseButton->SetLeft((ClientWidth() - CloseButton->Width()) / 2);
  CloseButton->SetAnchors(kBottomOnly);
}

TPCIForm::TPCIForm(TComponent* AOwner) : TForm(AOwner) {}

void TPCIForm::Build(const std::string& Caption, TNotifyEvent CloseClick) {
  SetName("PCIForm");
  SetCaption(Caption);
  SetFormStyle(fsStayOnTop);
  SetPosition(poDefaultPosOnly);

  PCIMemo = MakeReadOnlyMemo(*this, "PCIMemo");
  TFont memoFont = PCIMemo->Font();
  memoFont.Name = "Tahoma";
  memoFont.Size = 10;
  memoFont.Style = fsBold;
  PCIMemo->SetFont(memoFont);
  // Centred on the new window's outer width; the fitting below moves it with the memo
  // and it is not centred again.
  CloseButton = MakeButton(*this, "CloseButton", Bounds((Width() - 73) / 2, 105, 73, 25), "Close");
  CloseButton->SetCancel(true);
  CloseButton->OnClick = std::move(CloseClick);

  FitClientToChildren(*this);
  PCIMemo->SetAnchors(kAllEdges);
  CloseButton->SetAnchors(kBottomOnly);
  // The list of cards is the start-up's answer: it comes on screen at once, complete.
  SetVisible(true);
}

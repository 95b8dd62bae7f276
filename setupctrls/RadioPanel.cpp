#include "setupctrls/RadioPanel.h"

#include "setupctrls/TwoJumper.h"

TRadioPanel::TRadioPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
  SetAnchors(TAnchors{akLeft, akTop});
  SetBevelOuter(bvNone);
  SetBounds(Left(), Top(), 194, 100);
  // The panel waits hidden on the main window until a popup takes it.
  SetVisible(false);
}

TRadioPanel::~TRadioPanel() = default;

void TRadioPanel::SetFinalAnchors(const TAnchors& Value) {
  if (FFinalAnchorsApplied) SetAnchors(Value);
  FFinalAnchors = Value;
}

void TRadioPanel::RadioClick(TTwoJumper* Jumper) {
  bool Changed = false;
  for (int I = 0; I < ControlCount(); ++I) {
    TControl* Child = Controls(I);
    if (!IsExactly<TTwoJumper>(Child)) continue;
    auto* Other = static_cast<TTwoJumper*>(Child);
    const bool ShouldClose = Other == Jumper;
    if (Other->Closed() != ShouldClose) Changed = true;
    Other->SetClosed(ShouldClose);
  }
  if (Changed && OnRadioChange) OnRadioChange(Jumper);
}

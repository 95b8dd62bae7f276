// The handlers that keep each settings panel's list, edit box and drawing in step.
#include "BaseAddressInput.h"
#include "MainForm.h"
#include "setupctrls/BaseAddress.h"
#include "setupctrls/RadioPanel.h"
#include "setupctrls/TwoJumper.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Exceptions.h"
#include "toolkit/Label.h"

// The IRQ jumper bank, built on the first entry into the IRQ panel; indexes 1 to 11.
TTwoJumper* IRQJumpers[12] = {};
TLabel* IRQLabels[12] = {};

namespace {
constexpr int kIRQLines = 11;
const char* const kIRQCaptions[kIRQLines + 1] = {"",     "IRQ2",  "IRQ3",  "IRQ4",  "IRQ5",  "IRQ6",
                                                 "IRQ7", "IRQ10", "IRQ11", "IRQ12", "IRQ14", "IRQ15"};
constexpr char kBackspace = 8;
constexpr char kEnter = 13;

bool IsUpperHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }
}  // namespace

void TMainForm::BaseEditKeyPress(TObject*, char& Key) {
  if (Key == kBackspace || IsUpperHexDigit(Key)) return;
  if (Key >= 'a' && Key <= 'f') {
    Key = static_cast<char>(Key - 'a' + 'A');
    return;
  }
  if (Key == kEnter) {
    BaseEdit->SetText(NormaliseBaseAddress(BaseEdit->Text()));
    BaseBA->SetBaseAddressStr(BaseEdit->Text());
  }
  Key = 0;
}

void TMainForm::IRQPanelEnter(TObject*) {
  if (IRQJumpers[1] == nullptr) {
    for (int k = 1; k <= kIRQLines; ++k) {
      auto* jumper = new TTwoJumper(this);
      IRQJumpers[k] = jumper;
      jumper->Tag = k;
      jumper->SetBounds(80, 18 * (k - 1), jumper->Width(), jumper->Height());
      jumper->SetParent(IRQPanel);
      jumper->OnClick = [this](TObject* Sender) { IRQJumperClick(Sender); };
      auto* label = new TLabel(this);
      IRQLabels[k] = label;
      label->SetBounds(120, 18 * (k - 1) + 2, label->Width(), label->Height());
      label->SetParent(IRQPanel);
    }
    for (int k = 1; k <= kIRQLines; ++k) IRQLabels[k]->SetCaption(kIRQCaptions[k]);
  }
  for (int k = 1; k <= kIRQLines; ++k) IRQJumpers[k]->SetClosed(false);
  IRQBox->SetItemIndex(0);
}

void TMainForm::IRQJumperClick(TObject* Sender) {
  auto* jumper = dynamic_cast<TTwoJumper*>(Sender);
  if (jumper == nullptr) throw EInvalidCast();
  IRQBox->SetItemIndex(jumper->Closed() ? jumper->Tag : 0);
  for (int k = 1; k <= kIRQLines; ++k) IRQJumpers[k]->SetClosed(k == IRQBox->ItemIndex());
}

void TMainForm::IRQBoxChange(TObject*) {
  for (int k = 1; k <= kIRQLines; ++k) {
    if (IRQJumpers[k] != nullptr) IRQJumpers[k]->SetClosed(k == IRQBox->ItemIndex());
  }
}

void TMainForm::LoadBoxChange(TObject*) {
  // No entry selected (typed text that names none) shows the jumper open.
  LoadJumper->SetClosed(LoadBox->ItemIndex() == 1);
}

void TMainForm::LoadJumperClick(TObject*) { LoadBox->SetItemIndex(LoadJumper->Closed() ? 1 : 0); }

void TMainForm::LoadPanelEnter(TObject*) {
  LoadBox->SetItemIndex(0);
  LoadJumper->SetClosed(false);
}

// The main window's definition: its component tree with every property value.
// Components are created parent before child in definition order; references
// between components are resolved once every other property is set.
#include "MainForm.h"

#include <functional>
#include <vector>

#include "setupctrls/BaseAddress.h"
#include "setupctrls/BoardHighlight.h"
#include "setupctrls/BoardImage.h"
#include "setupctrls/RadioPanel.h"
#include "setupctrls/SetupSupporter.h"
#include "setupctrls/TwoJumper.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Label.h"
#include "toolkit/Menu.h"
#include "toolkit/Resources.h"

TMainForm* MainForm = nullptr;

namespace {
struct THighlightDefinition {
  TBoardHighlight* TMainForm::*Field;
  const char* Name;
  int Left, Top, Width, Height;
  const char* Title;
};

// The circles over the card's configurable groups, in the board's child order.
const THighlightDefinition kHighlights[] = {
    {&TMainForm::BaseA, "BaseA", 120, 50, 48, 23, "&Base Address"},
    {&TMainForm::IRQ, "IRQ", 5, 181, 60, 84, "&IRQ Level"},
    {&TMainForm::Load, "Load", 452, 204, 69, 17, "&Load"},
    {&TMainForm::BaseB, "BaseB", 120, 114, 48, 23, "&Base Address"},
    {&TMainForm::BaseC, "BaseC", 120, 178, 48, 23, "&Base Address"},
    {&TMainForm::BaseD, "BaseD", 120, 242, 48, 23, "&Base Address"},
};

const char* const kIRQPanelText =
    "Set these jumpers to specify what IRQ the SRX-880 generates interrupts on. If set to \"None\", no "
    "interrupts will be generated.";

template <class T>
T* Make(TComponent* Owner, TWinControl* Parent, const char* Name, int Left, int Top, int Width, int Height) {
  auto* c = new T(Owner);
  c->SetName(Name);
  c->SetBounds(Left, Top, Width, Height);
  if (Parent != nullptr) c->SetParent(Parent);
  return c;
}

TRadioPanel* MakePanel(TMainForm* Form, const char* Name, int Left, int Top, int Width, int Height,
                       const std::string& Text, int TabOrder) {
  auto* panel = Make<TRadioPanel>(Form, Form, Name, Left, Top, Width, Height);
  TStringList lines;
  lines.Add(Text);
  panel->SetLines(lines);
  panel->SetBevelOuter(bvNone);
  panel->SetTabOrder(TabOrder);
  return panel;
}

TMenuItem* MakeItem(TMainForm* Form, TMenuItem* Parent, const char* Name, const char* Caption) {
  auto* item = new TMenuItem(Form);
  item->SetName(Name);
  item->SetCaption(Caption);
  Parent->Add(item);
  return item;
}
}  // namespace

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner) {
  MainForm = this;
  TK_INIT_RESOURCES(resources);
  SetComponentState(csLoading, true);
  LoadDefinition();
  SetComponentState(csLoading, false);
}

TMainForm::~TMainForm() {
  // The bank belongs to this window; a later window builds its own.
  for (int k = 0; k < 12; ++k) {
    IRQJumpers[k] = nullptr;
    IRQLabels[k] = nullptr;
  }
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::LoadDefinition() {
  std::vector<std::function<void()>> references;

  SetName("MainForm");
  SetCaption("Setup");
  SetBounds(333, 223, 831, 645);
  SetPosition(poScreenCenter);
  SetWindowState(wsMaximized);
  SetColor(clWhite);
  TFont font;
  font.Name = "MS Sans Serif";
  font.SetHeight(-11);
  font.Color = clWindowText;
  SetFont(font);
  OnActivate = [this](TObject* Sender) { FormActivate(Sender); };

  BoardImage1 = Make<TBoardImage>(this, this, "BoardImage1", 166, 122, 600, 362);
  BoardImage1->SetAutoSize(false);
  TPicture card;
  card.LoadFromFile(":/card.bmp");
  BoardImage1->SetPicture(card);
  BoardImage1->SetStretch(true);
  for (const THighlightDefinition& d : kHighlights) {
    TBoardHighlight* h = Make<TBoardHighlight>(this, BoardImage1, d.Name, d.Left, d.Top, d.Width, d.Height);
    h->SetTitle(d.Title);
    this->*d.Field = h;
  }
  references.push_back([this] {
    BoardImage1->SetFirst(BaseA);
    BoardImage1->SetMenu(MainMenu1);
  });

  LoadPanel = MakePanel(this, "LoadPanel", 581, 159, 233, 70,
                        "These jumpers should be set if this is the termination bus of the signal.", 1);
  LoadPanel->OnEnter = [this](TObject* Sender) { LoadPanelEnter(Sender); };
  LoadJumper = Make<TTwoJumper>(this, LoadPanel, "LoadJumper", 162, 19, 34, 18);
  LoadJumper->OnClick = [this](TObject* Sender) { LoadJumperClick(Sender); };
  Label29 = Make<TLabel>(this, LoadPanel, "Label29", 141, 21, 14, 13);
  Label29->SetAlignment(taRightJustify);
  Label29->SetCaption("LD");
  LoadBox = Make<TComboBox>(this, LoadPanel, "LoadBox", 9, 21, 112, 21);
  LoadBox->Items().Assign(TStringList{"None", "120 ohm TRx+ to TRx-"});
  LoadBox->ItemHeight = 13;
  LoadBox->SetTabOrder(0);
  LoadBox->OnChange = [this](TObject* Sender) { LoadBoxChange(Sender); };

  BasePanel = MakePanel(this, "BasePanel", 78, 88, 161, 116,
                        "Enter the base address(in hex, from 100 to 3F0) on the top, then set the card's address "
                        "switch to match the one on the bottom.",
                        2);
  BaseBA = Make<TBaseAddress>(this, BasePanel, "BaseBA", 32, 32, 102, 61);
  BaseBA->SetBaseAddressStr("200");
  BaseEdit = Make<TEdit>(this, BasePanel, "BaseEdit", 60, 8, 41, 21);
  BaseEdit->SetText("200");
  BaseEdit->SetTabOrder(0);
  BaseEdit->OnKeyPress = [this](TObject* Sender, char& Key) { BaseEditKeyPress(Sender, Key); };

  IRQPanel = MakePanel(this, "IRQPanel", 360, 171, 177, 238, kIRQPanelText, 3);
  IRQPanel->OnEnter = [this](TObject* Sender) { IRQPanelEnter(Sender); };
  IRQBox = Make<TComboBox>(this, IRQPanel, "IRQBox", 12, 21, 61, 21);
  IRQBox->Items().Assign(TStringList{"None", "IRQ2", "IRQ3", "IRQ4", "IRQ5", "IRQ6", "IRQ7", "IRQ10", "IRQ11",
                                     "IRQ12", "IRQ14", "IRQ15"});
  IRQBox->ItemHeight = 13;
  IRQBox->SetTabOrder(0);
  IRQBox->OnChange = [this](TObject* Sender) { IRQBoxChange(Sender); };

  references.push_back([this] {
    for (TBoardHighlight* h : {BaseA, BaseB, BaseC, BaseD}) h->SetRadioPanel(BasePanel);
    IRQ->SetRadioPanel(IRQPanel);
    Load->SetRadioPanel(LoadPanel);
  });

  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  File1 = MakeItem(this, MainMenu1->Items(), "File1", "&File");
  Exit2 = MakeItem(this, File1, "Exit2", "&Exit");
  Exit2->OnClick = [this](TObject* Sender) { Exit2Click(Sender); };
  Help1 = MakeItem(this, MainMenu1->Items(), "Help1", "&Help");
  Howtousethisprogram1 = MakeItem(this, Help1, "Howtousethisprogram1", "H&ow to use this program");
  Howtousethisprogram1->OnClick = [this](TObject* Sender) { Howtousethisprogram1Click(Sender); };
  TechnicalSupport1 = MakeItem(this, Help1, "TechnicalSupport1", "&Technical Support");
  TechnicalSupport1->OnClick = [this](TObject* Sender) { TechnicalSupport1Click(Sender); };
  references.push_back([this] { SetMenu(MainMenu1); });

  SetSup = new TSetupSupporter(this);
  SetSup->SetName("SetSup");
  SetSup->SetCompanyName("Kelmory");
  SetSup->SetCardNameA("SRX-8T");
  SetSup->SetCallHow("Monday through Friday, 8:00 a.m. to 5:00 p.m. Pacific Time, at (555) 010-4477");
  SetSup->SetMultiPort(true);
  SetSup->SetChangeButtons(true);

  for (const auto& resolve : references) resolve();
}

void TMainForm::Exit2Click(TObject*) { Close(); }

// The main window: the card picture with its highlight circles, the three settings
// panels that the popups carry, the menus and the setup supporter.
#pragma once

#include "toolkit/Form.h"

class TMainMenu;
class TMenuItem;
class TBoardImage;
class TBoardHighlight;
class TRadioPanel;
class TTwoJumper;
class TLabel;
class TComboBox;
class TBaseAddress;
class TEdit;
class TSetupSupporter;

class TMainForm : public TForm {
  TK_CLASS_NAME(TMainForm)
 public:
  // Builds the window from its definition.
  explicit TMainForm(TComponent* AOwner);
  ~TMainForm() override;

  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* File1 = nullptr;
  TMenuItem* Help1 = nullptr;
  TMenuItem* Howtousethisprogram1 = nullptr;
  TMenuItem* Exit2 = nullptr;
  TMenuItem* TechnicalSupport1 = nullptr;
  TBoardImage* BoardImage1 = nullptr;
  TBoardHighlight* BaseA = nullptr;
  TBoardHighlight* IRQ = nullptr;
  TBoardHighlight* Load = nullptr;
  TRadioPanel* LoadPanel = nullptr;
  TTwoJumper* LoadJumper = nullptr;
  TLabel* Label29 = nullptr;
  TComboBox* LoadBox = nullptr;
  TRadioPanel* BasePanel = nullptr;
  TBaseAddress* BaseBA = nullptr;
  TEdit* BaseEdit = nullptr;
  TRadioPanel* IRQPanel = nullptr;
  TComboBox* IRQBox = nullptr;
  TBoardHighlight* BaseB = nullptr;
  TBoardHighlight* BaseC = nullptr;
  TBoardHighlight* BaseD = nullptr;
  TSetupSupporter* SetSup = nullptr;

  // Handlers bound by the window definition.
  void Howtousethisprogram1Click(TObject* Sender);
  void TechnicalSupport1Click(TObject* Sender);
  void LoadBoxChange(TObject* Sender);
  void LoadJumperClick(TObject* Sender);
  void LoadPanelEnter(TObject* Sender);
  void IRQPanelEnter(TObject* Sender);
  void IRQJumperClick(TObject* Sender);
  void IRQBoxChange(TObject* Sender);
  void BaseEditKeyPress(TObject* Sender, char& Key);
  void FormActivate(TObject* Sender);
  void Exit2Click(TObject* Sender);

 private:
  void LoadDefinition();
};

// The one main window, set when it is created.
extern TMainForm* MainForm;
// The IRQ jumper bank and its labels, indexes 1 to 11; empty until the IRQ panel is first entered.
extern TTwoJumper* IRQJumpers[12];
extern TLabel* IRQLabels[12];

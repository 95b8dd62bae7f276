// The setup supporter's windows: help, technical support and installed cards.
// Each is an empty form made in code and filled by its Build operation; all three
// are owned by the main window.
#pragma once

#include <string>

#include "toolkit/Form.h"

class TButton;
class TLabel;
class TMemo;
class TRichEdit;

// "Instructions for Settings utility": the formatted help text and the Start button.
class THelpForm : public TForm {
  TK_CLASS_NAME(THelpForm)
 public:
  explicit THelpForm(TComponent* AOwner);

  TRichEdit* HelpRich = nullptr;
  TLabel* HelpLabel = nullptr;
  // The help window closes through Start or its close box; this button is never made.
  TButton* CloseButton = nullptr;
  TButton* StartButton = nullptr;

  // Makes the children around the RTF help document, fits the window to them and
  // enlarges it on big screens. The window stays hidden.
  void Build(const std::string& HelpDocument);
  // Hides the help window and opens the board's first popup, held.
  void StartButtonClick(TObject* Sender);
};

// "Technical Support": the support text and a Close button.
class TTechForm : public TForm {
  TK_CLASS_NAME(TTechForm)
 public:
  explicit TTechForm(TComponent* AOwner);

  TMemo* TechMemo = nullptr;
  TButton* CloseButton = nullptr;

  void Build(const std::string& SupportText, TNotifyEvent CloseClick);
};

// The installed-cards window: one line per card found, and a Close button.
class TPCIForm : public TForm {
  TK_CLASS_NAME(TPCIForm)
 public:
  explicit TPCIForm(TComponent* AOwner);

  TMemo* PCIMemo = nullptr;
  TButton* CloseButton = nullptr;

  void Build(const std::string& Caption, TNotifyEvent CloseClick);
};

// How much the help window is enlarged so that it stays legible on a big screen:
// the smaller of height / 450 and width / 800, never below 1.
double HelpWindowScale(int ScreenWidth, int ScreenHeight);

// The main window's share of the setup supporter: its start-up at the first
// activation and the Help menu's windows.
#include "MainForm.h"
#include "setupctrls/SetupSupporter.h"
#include "setupctrls/SupportForms.h"

void TMainForm::FormActivate(TObject*) {
  SetSup->CreateSupportWindows();
  // Detached only once the start-up has returned: a start-up that raised an error
  // runs again at the next activation.
  OnActivate = nullptr;
}

// Showing an open window again changes nothing: it is not brought to the front.
void TMainForm::Howtousethisprogram1Click(TObject*) { SetSup->HelpForm()->SetVisible(true); }

void TMainForm::TechnicalSupport1Click(TObject*) { SetSup->TechForm()->SetVisible(true); }

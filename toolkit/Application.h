// The application object: message loop, the list of forms, the default error report.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Component.h"

class TForm;

class TApplication : public TComponent {
  TK_CLASS_NAME(TApplication)
 public:
  TApplication(int& Argc, char** Argv);
  ~TApplication() override;

  void Initialize();
  // The icon of every window of the program, from a resource path such as ":/icon.bmp".
  void SetIcon(const std::string& ResourcePath);
  // Creates a form with the application as owner; the first one is the main form.
  template <class T>
  void CreateForm(T*& Reference) {
    Reference = new T(this);
    FormCreated(Reference);
  }
  // Shows the main form and runs the message loop until it closes.
  void Run();
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return FTerminated; }

  TForm* MainForm() const { return FMainForm; }
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TForm* Forms(int Index) const { return FForms.at(static_cast<size_t>(Index)); }
  TForm* ActiveForm() const { return FActiveForm; }

  // The default error report: a message box with the error's text; the program goes on.
  void HandleException(TObject* Sender);
  std::function<void(TObject* Sender, const std::exception& E)> OnException;

  // Runs Fn; an exception escaping it goes to HandleException.
  template <class Fn>
  void Guard(TObject* Sender, Fn&& F) {
    try {
      F();
    } catch (...) {
      HandleException(Sender);
    }
  }

  // Bookkeeping used by forms.
  void AddForm(TForm* F);
  void RemoveForm(TForm* F);
  void SetActiveForm(TForm* F);
  void MainFormClosed();

 private:
  void FormCreated(TForm* F);
  std::vector<TForm*> FForms;
  TForm* FMainForm = nullptr;
  TForm* FActiveForm = nullptr;
  bool FTerminated = false;
  bool FOwnsQtApp = false;
  int& FArgc;
  char** FArgv;
};

extern TApplication* Application;

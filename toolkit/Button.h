// A push button. A default button answers Enter in its form, a cancel button Esc.
#pragma once

#include <string>

#include "WinControl.h"

class QObject;

class TButton : public TWinControl {
  TK_CLASS_NAME(TButton)
 public:
  explicit TButton(TComponent* AOwner);
  ~TButton() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }

 protected:
  QWidget* CreateWidget() override;

 private:
  std::string FCaption;
  bool FDefault = false;
  bool FCancel = false;
  // Receives the widget's signals; deleting it first cuts them off before the widget goes.
  QObject* FSignals = nullptr;
};

// A one-line edit box.
#pragma once

#include <string>

#include "WinControl.h"

class QObject;

// Called for each typed character before the box takes it; setting Key to 0 swallows it.
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

class TEdit : public TWinControl {
  TK_CLASS_NAME(TEdit)
 public:
  explicit TEdit(TComponent* AOwner);
  ~TEdit() override;

  std::string Text() const;
  void SetText(const std::string& Value);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);

  // Every typed character, Enter (13), Backspace (8), Escape (27) and the control
  // characters of shortcuts (Ctrl+C is 3, Ctrl+V 22, Ctrl+A 1, Ctrl+X 24) pass through
  // here first; what the handler swallows the box never sees. Pasting from the
  // context menu is not typing and is not filtered.
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnChange;

  // Delivers one typed character as the keyboard would: OnKeyPress, then the box.
  void KeyPress(char& Key);

 protected:
  QWidget* CreateWidget() override;

 private:
  int FMaxLength = 0;
  std::string FText;  // the text until the widget is made; the widget holds it after
  // Receives the widget's signals; deleting it first cuts them off before the widget goes.
  QObject* FSignals = nullptr;
};

// A multi-line text box.
#pragma once

#include "Strings.h"
#include "WinControl.h"

class QObject;

enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TWinControl {
  TK_CLASS_NAME(TMemo)
 public:
  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;

  // The lines; changing the list updates the box.
  TStringList& Lines() { return FLines; }
  std::string Text() const { return FLines.Text(); }
  void SetText(const std::string& Value) { FLines.SetText(Value); }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

 protected:
  QWidget* CreateWidget() override;

 private:
  void LinesChanged();
  // The user edited the box: the lines follow.
  void WidgetTextChanged();
  TStringList FLines;
  bool FReadOnly = false;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
  bool FSyncing = false;  // the lines and the box are being brought together
  // Receives the widget's signals; deleting it first cuts them off before the widget goes.
  QObject* FSignals = nullptr;
};

// A multi-line text box.
#pragma once

#include "Strings.h"
#include "WinControl.h"

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
  TStringList FLines;
  bool FReadOnly = false;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
};

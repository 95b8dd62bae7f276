// A status bar with one panel of text.
#pragma once

#include <string>

#include "WinControl.h"

class TStatusBar : public TWinControl {
  TK_CLASS_NAME(TStatusBar)
 public:
  explicit TStatusBar(TComponent* AOwner);

  const std::string& PanelText() const { return FText; }
  void SetPanelText(const std::string& Value);
  // A panel without bevel shows flat.
  bool PanelBevel = false;

 protected:
  QWidget* CreateWidget() override;
  void ColorChanged() override;

 private:
  std::string FText;
};

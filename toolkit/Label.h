// A windowless text label, sized to its text unless AutoSize is off.
#pragma once

#include <string>

#include "GraphicControl.h"

class TLabel : public TGraphicControl {
  TK_CLASS_NAME(TLabel)
 public:
  explicit TLabel(TComponent* AOwner);

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  // Transparent labels leave the parent's drawing under their text.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // Whether the label takes its parent's colour; labels do unless a colour is set.
  bool ParentColor = true;

  void Paint() override;

 protected:
  void FontChanged() override;

 private:
  // Fits the size to the text; a right-justified label keeps its right edge.
  void AdjustBounds();
  std::string FCaption;
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  bool FTransparent = false;
};

// A windowed container that fills itself with its colour and draws optional bevels.
#pragma once

#include <string>

#include "CustomControl.h"

class TCustomPanel : public TCustomControl {
  TK_CLASS_NAME(TCustomPanel)
 public:
  explicit TCustomPanel(TComponent* AOwner);

  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut V);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut V);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int V);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& V);

  void Paint() override;

 private:
  TBevelCut FBevelOuter = bvRaised;
  TBevelCut FBevelInner = bvNone;
  int FBevelWidth = 1;
  std::string FCaption;
};

class TPanel : public TCustomPanel {
  TK_CLASS_NAME(TPanel)
 public:
  using TCustomPanel::TCustomPanel;
};

// The container of one settings group: its controls, its explanatory text and the
// values the popup window needs to show it. Optionally its jumper children behave
// as a radio group.
#pragma once

#include <functional>

#include "toolkit/Panel.h"
#include "toolkit/Strings.h"

class TTwoJumper;

using TRadioPanelChangeEvent = std::function<void(TObject* Sender)>;

class TRadioPanel : public TCustomPanel {
  TK_CLASS_NAME(TRadioPanel)
 public:
  // 194 x 100, hidden, without bevel or caption, anchored left and top.
  explicit TRadioPanel(TComponent* AOwner);
  ~TRadioPanel() override;

  // Jumper children behave as a radio group when set.
  bool RadioEnabled = false;
  // Raised by RadioClick when a jumper changed, with the clicked jumper as Sender.
  TRadioPanelChangeEvent OnRadioChange;
  // Height of the popup's text box that shows Lines.
  int MemoHeight = 58;
  // Become the popup window's activation and deactivation events; the panel never raises them.
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  // Set by the popup builder once it has given the panel its FinalAnchors.
  bool FFinalAnchorsApplied = false;

  // The group's explanatory text. Setting copies the strings; the panel keeps its own list.
  TStringList& Lines() { return FLines; }
  const TStringList& Lines() const { return FLines; }
  void SetLines(const TStringList& Value) { FLines.Assign(Value); }

  // The anchors the panel takes in its popup window; they apply at once when the
  // panel is already there.
  const TAnchors& FinalAnchors() const { return FFinalAnchors; }
  void SetFinalAnchors(const TAnchors& Value);

  // Closes Jumper and opens every other jumper child; raises OnRadioChange once
  // when any of them changed.
  void RadioClick(TTwoJumper* Jumper);

 private:
  // The caption stays empty: the panel shows its text in the popup's text box.
  using TCustomPanel::SetCaption;

  TStringList FLines;
  TAnchors FFinalAnchors{akLeft, akTop};
};

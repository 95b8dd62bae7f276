// A drop-down list with an editable text field.
#pragma once

#include <string>

#include "Strings.h"
#include "WinControl.h"

class QObject;

class TComboBox : public TWinControl {
  TK_CLASS_NAME(TComboBox)
 public:
  explicit TComboBox(TComponent* AOwner);
  ~TComboBox() override;

  // The entries; changing the list updates the drop-down.
  TStringList& Items() { return FItems; }
  void SetItems(const TStringList& Value) { FItems.Assign(Value); }
  // -1 when no entry is selected. Setting it from code raises no OnChange.
  int ItemIndex() const;
  void SetItemIndex(int Value);
  std::string Text() const;
  void SetText(const std::string& Value);
  int ItemHeight = 13;
  int DropDownCount = 8;

  // Raised only by the user: choosing an entry or typing into the field.
  TNotifyEvent OnChange;

 protected:
  QWidget* CreateWidget() override;

 private:
  void ItemsChanged();
  // The user typed: the entry equal to the field's text (ASCII case ignored, as the
  // list compares) becomes selected, or none.
  void FollowTypedText();
  void UserChanged();
  TStringList FItems;
  // The selection and the field's text until the widget is made; the widget holds them after.
  int FItemIndex = -1;
  std::string FText;
  bool FUpdating = false;
  // Receives the widget's signals; deleting it first cuts them off before the widget goes.
  QObject* FSignals = nullptr;
};

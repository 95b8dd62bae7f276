// The main menu bar and its items.
#pragma once

#include <string>
#include <vector>

#include "Component.h"

class TForm;
class TMainMenu;

class TMenuItem : public TComponent {
  TK_CLASS_NAME(TMenuItem)
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  // "&" marks the underlined mnemonic letter that follows it.
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);

  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int Index) const { return FItems.at(static_cast<size_t>(Index)); }
  int IndexOf(const TMenuItem* Item) const;
  TMenuItem* Parent() const { return FParent; }
  void Insert(int Index, TMenuItem* Item);
  void Add(TMenuItem* Item);
  void Remove(TMenuItem* Item);

  TNotifyEvent OnClick;
  // Raises OnClick with the item as Sender.
  virtual void Click();

  // The main menu this item belongs to, through its parents.
  TMainMenu* Menu() const;

 private:
  void Changed();
  std::string FCaption;
  bool FChecked = false;
  TMenuItem* FParent = nullptr;
  std::vector<TMenuItem*> FItems;
  TMainMenu* FMenu = nullptr;  // set on the root item only
  friend class TMainMenu;
};

class TMainMenu : public TComponent {
  TK_CLASS_NAME(TMainMenu)
 public:
  explicit TMainMenu(TComponent* AOwner);
  ~TMainMenu() override;
  // The root item: its sub-items are the menu bar's top-level items.
  TMenuItem* Items() const { return FItems; }
  // The form whose menu bar shows this menu.
  TForm* Form() const { return FForm; }
  // Called when anything in the tree changes; rebuilds the menu bar.
  void Changed();

 private:
  TMenuItem* FItems;
  TForm* FForm = nullptr;
  friend class TForm;
};

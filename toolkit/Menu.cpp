#include "Menu.h"

#include <algorithm>

#include "Form.h"
#include "qt/MenuBarGlue.h"

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  SetComponentState(csDestroying, true);
  // Sub-items go with their item.
  while (!FItems.empty()) delete FItems.back();
  if (FParent != nullptr) FParent->Remove(this);
}

void TMenuItem::SetCaption(const std::string& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  Changed();
}

void TMenuItem::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  TMainMenu* m = Menu();
  if (m != nullptr && m->Form() != nullptr) UpdateMenuItemCheck(m->Form()->Window(), this);
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (Item->FParent != nullptr) Item->FParent->Remove(Item);
  Index = std::clamp(Index, 0, Count());
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  Changed();
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  Item->FParent = nullptr;
  Changed();
}

void TMenuItem::Click() {
  const TNotifyEvent handler = OnClick;
  if (handler) handler(this);
}

TMainMenu* TMenuItem::Menu() const {
  const TMenuItem* root = this;
  while (root->FParent != nullptr) root = root->FParent;
  return root->FMenu;
}

void TMenuItem::Changed() {
  if (TMainMenu* m = Menu()) m->Changed();
}

TMainMenu::TMainMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) {
  FItems->FMenu = this;
}

TMainMenu::~TMainMenu() {
  SetComponentState(csDestroying, true);
  FItems->FMenu = nullptr;
  if (FForm != nullptr) FForm->SetMenu(nullptr);
  delete FItems;
}

void TMainMenu::Changed() {
  if (FForm != nullptr && !IsDestroying()) ScheduleMenuBarRebuild(FForm->Window());
}

// The highlights' group menus in the main menu bar, and the link check of RadioPanel.
#include <string>
#include <vector>

#include "BoardHighlight.h"
#include "BoardImage.h"
#include "PopupForm.h"
#include "RadioPanel.h"
#include "toolkit/Menu.h"

namespace {
struct TGroupMenu {
  const char* Caption;
  const char* NameStem;
  std::vector<std::string> InsertBefore;
};

// By type ordinal: the group menu's caption, its component name stem, and the
// top-level captions it goes in front of.
const TGroupMenu& GroupMenuOf(THighlightType Type) {
  static const TGroupMenu kGroups[] = {
      {"&Options", "Options", {"&Help"}},
      {"&Settings", "Settings", {"&Calibration", "&Options", "&Help"}},
      {"&Calibration", "Calibration", {"&Options", "&Help"}},
  };
  return kGroups[Type];
}

// The stem followed by the smallest number from 1 up that no component of Owner uses.
std::string FreeName(const TComponent* Owner, const std::string& Stem) {
  for (int n = 1;; ++n) {
    const std::string name = Stem + std::to_string(n);
    if (Owner == nullptr || Owner->FindComponent(name) == nullptr) return name;
  }
}
}  // namespace

void TBoardHighlight::AddToMenu() {
  if (FMainMenu == nullptr) return;
  const TGroupMenu& group = GroupMenuOf(FHighlightType);
  TMenuItem* bar = FMainMenu->Items();
  TComponent* owner = FMainMenu->Owner();
  auto addEntry = [&](TMenuItem* groupMenu) {
    if (FTitle.empty()) return;
    auto* entry = new TMenuItem(owner);
    entry->SetCaption(FTitle);
    entry->SetName(FreeName(owner, FNameStem));
    entry->OnClick = [this](TObject* Sender) { MenuClick(Sender); };
    groupMenu->Add(entry);
  };
  for (int i = 0; i < bar->Count(); ++i) {
    TMenuItem* groupMenu = bar->Items(i);
    if (groupMenu->Caption() != group.Caption) continue;
    for (int j = 0; j < groupMenu->Count(); ++j) {
      if (groupMenu->Items(j)->Caption() == FTitle) return;
    }
    addEntry(groupMenu);
    return;
  }
  int index = bar->Count();
  for (int i = 0; i < bar->Count() && index == bar->Count(); ++i) {
    for (const std::string& before : group.InsertBefore) {
      if (bar->Items(i)->Caption() == before) {
        index = i;
        break;
      }
    }
  }
  auto* groupMenu = new TMenuItem(owner);
  groupMenu->SetCaption(group.Caption);
  groupMenu->SetName(FreeName(owner, group.NameStem));
  bar->Insert(index, groupMenu);
  addEntry(groupMenu);
}

bool TBoardHighlight::FindMenuEntry(TMenuItem*& GroupMenu, int& Index) const {
  if (FMainMenu == nullptr) return false;
  // The search goes on into the next group menu of the same caption, if any.
  const std::string caption = GroupMenuOf(FHighlightType).Caption;
  TMenuItem* bar = FMainMenu->Items();
  for (int i = 0; i < bar->Count(); ++i) {
    TMenuItem* groupMenu = bar->Items(i);
    if (groupMenu->Caption() != caption) continue;
    for (int j = 0; j < groupMenu->Count(); ++j) {
      if (groupMenu->Items(j)->Caption() == FTitle) {
        GroupMenu = groupMenu;
        Index = j;
        return true;
      }
    }
  }
  return false;
}

void TBoardHighlight::CheckMenuEntry(bool Value) {
  TMenuItem* groupMenu = nullptr;
  int index = 0;
  if (FindMenuEntry(groupMenu, index)) groupMenu->Items(index)->SetChecked(Value);
}

void TBoardHighlight::MenuClick(TObject* Sender) {
  if (IsExactly<TMenuItem>(Sender) && static_cast<TMenuItem*>(Sender)->Checked()) {
    // A checked entry closes its group's popup, wherever in the group it lives.
    if (FPopup != nullptr) {
      FPopup->Close();
    } else {
      ForEachLinked([Sender](TBoardHighlight* h) {
        if (h->FPopup != nullptr) h->MenuClick(Sender);
      });
    }
    return;
  }
  TMessage enter{CM_MOUSEENTER, 0, 0, 0};
  CMMouseEnter(enter);
  Pin();
  TMessage leave{CM_MOUSELEAVE, 0, 0, 0};
  CMMouseLeave(leave);
}

void TBoardHighlight::PreviousClick(TObject*) { StepThroughMenu(-1); }

void TBoardHighlight::NextClick(TObject*) { StepThroughMenu(+1); }

void TBoardHighlight::StepThroughMenu(int Direction) {
  TMenuItem* groupMenu = nullptr;
  int index = 0;
  if (!FindMenuEntry(groupMenu, index)) return;
  const int count = groupMenu->Count();
  TMenuItem* target = groupMenu->Items((index + Direction + count) % count);
  if (FPopup != nullptr) FPopup->Close();
  // The target opens and holds its popup whatever its check mark shows.
  const TNotifyEvent open = target->OnClick;
  if (open) open(this);
}

void TBoardHighlight::SetRadioPanel(TRadioPanel* Value) {
  if (Value == FRadioPanel) return;
  if (Value == nullptr) {
    FRadioPanel = nullptr;
    return;
  }
  // A panel may be shared only among linked highlights; at run time a conflict is refused silently.
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      TControl* c = parent->Controls(i);
      if (!IsExactly<TBoardHighlight>(c) || c == this) continue;
      auto* other = static_cast<TBoardHighlight*>(c);
      if (other->FRadioPanel == Value && (other->FTitle != FTitle || other->FHighlightType != FHighlightType)) return;
    }
  }
  FRadioPanel = Value;
}

void TBoardHighlight::LinkRadioPanel(TRadioPanel* Value) {
  if (Value != FRadioPanel) FRadioPanel = Value;
}

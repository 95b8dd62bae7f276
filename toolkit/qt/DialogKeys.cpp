#include "toolkit/qt/DialogKeys.h"

#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/qt/GuardedCall.h"

namespace {
// The first button inside Parent, in child order, that has the flag and is visible and
// enabled with all its parents. Only hidden or disabled children are skipped: the
// form that got the key is there to answer it.
TButton* FindButton(const TWinControl& Parent, bool (TButton::*Flag)() const) {
  for (int i = 0; i < Parent.ControlCount(); ++i) {
    TControl* c = Parent.Controls(i);
    if (!c->Visible() || !c->Enabled()) continue;
    if (auto* button = dynamic_cast<TButton*>(c)) {
      if ((button->*Flag)()) return button;
    } else if (auto* container = dynamic_cast<TWinControl*>(c)) {
      if (TButton* found = FindButton(*container, Flag)) return found;
    }
  }
  return nullptr;
}
}  // namespace

bool HandleDialogKey(TForm& Form, const QKeyEvent& Event) {
  if ((Event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  const bool enter = Event.key() == Qt::Key_Return || Event.key() == Qt::Key_Enter;
  const bool escape = Event.key() == Qt::Key_Escape;
  if (!enter && !escape) return false;
  TButton* button = FindButton(Form, enter ? &TButton::Default : &TButton::Cancel);
  if (button == nullptr) return false;
  GuardedCall(button, [button] { button->Click(); });
  return true;
}

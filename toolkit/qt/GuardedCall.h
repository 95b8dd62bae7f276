// Program handlers run from Qt signals and events: an exception must not cross Qt,
// so it goes to the application's error report and the program goes on.
#pragma once

#include <utility>

#include "toolkit/Application.h"

template <class Fn>
void GuardedCall(TObject* Sender, Fn&& F) {
  if (Application != nullptr)
    Application->Guard(Sender, std::forward<Fn>(F));
  else
    F();
}

#include "PostMessage.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>
#include <QTimer>

#include "Application.h"
#include "WinControl.h"

bool PostMessage(TControl* Target, std::uint32_t Msg, std::intptr_t WParam, std::intptr_t LParam) {
  auto* win = dynamic_cast<TWinControl*>(Target);
  if (win == nullptr || QCoreApplication::instance() == nullptr) return false;
  // The widget's lifetime tells whether the control still exists when the message arrives.
  QPointer<QObject> alive(win->Handle());
  QTimer::singleShot(0, QCoreApplication::instance(), [alive, win, Msg, WParam, LParam] {
    if (alive.isNull()) return;
    if (Application != nullptr)
      Application->Guard(win, [&] { win->Perform(Msg, WParam, LParam); });
    else
      win->Perform(Msg, WParam, LParam);
  });
  return true;
}

#include "UtilityWindow.h"

#include <QObject>
#include <QTimerEvent>
#include <map>
#include <utility>

#include "Application.h"

// A hidden window: an object of the message loop that receives timer ticks.
struct TUtilityWindow : public QObject {
  explicit TUtilityWindow(TWndMethod M) : Method(std::move(M)) {}
  TWndMethod Method;
  std::map<std::uintptr_t, int> Timers;  // our timer id -> Qt timer id

  void timerEvent(QTimerEvent* Event) override {
    for (const auto& [id, qtId] : Timers) {
      if (qtId != Event->timerId()) continue;
      TMessage m;
      m.Msg = WM_TIMER;
      m.WParam = static_cast<std::intptr_t>(id);
      if (Application != nullptr)
        Application->Guard(nullptr, [&] { Method(m); });
      else
        Method(m);
      return;
    }
  }
};

namespace {
bool gTimersFail = false;
}

HWND AllocateHWnd(TWndMethod Method) { return new TUtilityWindow(std::move(Method)); }

void DeallocateHWnd(HWND Wnd) { delete Wnd; }

bool SetTimer(HWND Wnd, std::uintptr_t Id, unsigned Period) {
  if (Wnd == nullptr || gTimersFail) return false;
  KillTimer(Wnd, Id);
  const int qtId = Wnd->startTimer(static_cast<int>(Period));
  if (qtId == 0) return false;
  Wnd->Timers[Id] = qtId;
  return true;
}

bool KillTimer(HWND Wnd, std::uintptr_t Id) {
  if (Wnd == nullptr) return false;
  auto it = Wnd->Timers.find(Id);
  if (it == Wnd->Timers.end()) return false;
  Wnd->killTimer(it->second);
  Wnd->Timers.erase(it);
  return true;
}

bool TimerActive(HWND Wnd, std::uintptr_t Id) { return Wnd != nullptr && Wnd->Timers.count(Id) != 0; }

std::intptr_t DefWindowProc(HWND, TMessage& Message) {
  Message.Result = 0;
  return 0;
}

void SetTimersFailForTesting(bool Fail) { gTimersFail = Fail; }

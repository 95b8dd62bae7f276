// Hidden windows that receive messages, such as timer ticks.
#pragma once

#include <cstdint>
#include <functional>

#include "Messages.h"

using TWndMethod = std::function<void(TMessage& Message)>;
struct TUtilityWindow;
using HWND = TUtilityWindow*;

HWND AllocateHWnd(TWndMethod Method);
void DeallocateHWnd(HWND Wnd);
// Starts (or restarts) timer Id on the window: WM_TIMER with WParam Id every Period ms.
bool SetTimer(HWND Wnd, std::uintptr_t Id, unsigned Period);
bool KillTimer(HWND Wnd, std::uintptr_t Id);
bool TimerActive(HWND Wnd, std::uintptr_t Id);
// The default handling of a message nobody else handles: result 0.
std::intptr_t DefWindowProc(HWND Wnd, TMessage& Message);
// Tests make SetTimer fail to check the error path.
void SetTimersFailForTesting(bool Fail);

// The screen's size and the mouse position.
#pragma once

#include "Types.h"

namespace Screen {
int Width();
int Height();
// Tests set a fixed size; 0 x 0 returns to the real screen.
void SetSizeForTesting(int Width, int Height);
}  // namespace Screen

// The mouse position in screen coordinates.
bool GetCursorPos(TPoint& P);

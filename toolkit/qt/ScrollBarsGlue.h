// The scroll bar setting of the text boxes, applied to their Qt scroll areas.
#pragma once

#include <QAbstractScrollArea>

#include "toolkit/Memo.h"

// A bar that the style asks for is always shown; the other is never shown.
inline void ApplyScrollBars(QAbstractScrollArea& Area, TScrollStyle Style) {
  const bool vertical = Style == ssVertical || Style == ssBoth;
  const bool horizontal = Style == ssHorizontal || Style == ssBoth;
  Area.setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  Area.setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

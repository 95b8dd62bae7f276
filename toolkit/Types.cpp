#include "Types.h"

#include <algorithm>

TColor ColorToRGB(TColor c) {
  if (c == clNone || (static_cast<std::uint32_t>(c) & 0x80000000u) == 0) return c;
  switch (c & 0xFF) {
    case clWindow & 0xFF:
      return clWhite;
    case clWindowText & 0xFF:
    case clBtnText & 0xFF:
      return clBlack;
    case clBtnFace & 0xFF:
      return RGB(240, 240, 240);
    default:
      // The program uses no other system colour; a mid grey keeps anything else visible.
      return clGray;
  }
}

TRect IntersectRect(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  // An empty intersection is reported as the empty rectangle at the origin.
  return r.IsEmpty() ? TRect{} : r;
}

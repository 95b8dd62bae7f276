// Message numbers and the message record that controls dispatch by number.
#pragma once

#include <cstdint>

struct TMessage {
  std::uint32_t Msg = 0;
  std::intptr_t WParam = 0;
  std::intptr_t LParam = 0;
  std::intptr_t Result = 0;
};

// Window messages.
constexpr std::uint32_t WM_ACTIVATE = 0x0006;
constexpr std::uint32_t WM_TIMER = 0x0113;
constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
constexpr std::uint32_t WM_QUERYNEWPALETTE = 0x030F;
constexpr std::uint32_t WM_USER = 0x0400;

// WM_ACTIVATE's WParam.
constexpr std::intptr_t WA_INACTIVE = 0;
constexpr std::intptr_t WA_ACTIVE = 1;
constexpr std::intptr_t WA_CLICKACTIVE = 2;

// Toolkit notices.
constexpr std::uint32_t CM_BASE = 0xB000;
constexpr std::uint32_t CM_MOUSEENTER = CM_BASE + 19;
constexpr std::uint32_t CM_MOUSELEAVE = CM_BASE + 20;

// For WM_LBUTTONDOWN / WM_LBUTTONUP / WM_MOUSEMOVE the LParam packs the
// client position: x in the low 16 bits, y in the high 16 bits (both signed).
inline std::intptr_t MakeMousePos(int x, int y) {
  return static_cast<std::intptr_t>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(x))) |
                                    (static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16));
}
inline int MouseX(std::intptr_t lparam) { return static_cast<std::int16_t>(lparam & 0xFFFF); }
inline int MouseY(std::intptr_t lparam) { return static_cast<std::int16_t>((lparam >> 16) & 0xFFFF); }

// Basic value types shared by every component: colours, points, rectangles,
// anchors and alignment.
#pragma once

#include <cstdint>
#include <set>

using TColor = std::int32_t;  // $00BBGGRR; negative values name system colours

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clGray = 0x808080;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;

// System colours: the top bit set, the low byte an index.
constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<std::uint32_t>(index)); }
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnText = SystemColor(18);

// The RGB value a colour stands for, system colours resolved.
TColor ColorToRGB(TColor c);
constexpr TColor RGB(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }
constexpr int GetRValue(TColor c) { return c & 0xFF; }
constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }

struct TPoint {
  int x = 0;
  int y = 0;
};

// Right and bottom edges are exclusive.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TRect& o) const {
    return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
  }
};
inline TRect Rect(int l, int t, int r, int b) { return TRect{l, t, r, b}; }
inline TRect Bounds(int l, int t, int w, int h) { return TRect{l, t, l + w, t + h}; }
// True when p lies in r, the right and bottom edges excluded.
inline bool PtInRect(const TRect& r, TPoint p) {
  return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom;
}
TRect IntersectRect(const TRect& a, const TRect& b);

enum TAnchorKind : std::uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = std::set<TAnchorKind>;

enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TBorderStyle : std::uint8_t { bsNone, bsSingle };
enum TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
enum TCursor : std::int8_t { crDefault = 0, crHandPoint = 1 };

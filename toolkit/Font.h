// Font, pen and brush settings of a canvas or a control.
#pragma once

#include <cstdint>
#include <string>

#include "Types.h"

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4 };

// Sizes are for a 96-dots-per-inch screen whatever the display: 8 points is 11 pixels.
class TFont {
 public:
  std::string Name = "MS Sans Serif";
  int Size = 8;  // points; PixelHeight() derives the character height from it
  TColor Color = clWindowText;
  unsigned Style = 0;  // TFontStyle bits

  // Height as a negative character height in pixels, the way window definitions store it.
  void SetHeight(int Height);
  // The character height in pixels: the point size at 96 dpi, rounded.
  int PixelHeight() const;
  bool operator==(const TFont& o) const {
    return Name == o.Name && Size == o.Size && Color == o.Color && Style == o.Style;
  }
  bool operator!=(const TFont& o) const { return !(*this == o); }
};

enum TPenStyle : std::uint8_t { psSolid, psDash, psClear };
struct TPen {
  TColor Color = clBlack;
  TPenStyle Style = psSolid;
  int Width = 1;
};

enum TBrushStyle : std::uint8_t { bsSolid, bsClear };
struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
};

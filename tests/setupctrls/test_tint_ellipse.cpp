// The highlight's looks: the tinted ellipse over a known picture.
#include <gtest/gtest.h>

#include "setupctrls/BoardHighlight.h"

namespace {
struct Rgb {
  int r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
std::ostream& operator<<(std::ostream& os, const Rgb& c) { return os << "(" << c.r << "," << c.g << "," << c.b << ")"; }

void FillGrey(TBitmap& bmp, int w, int h, std::uint8_t grey) {
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(w, h);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = bmp.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      row[4 * x] = row[4 * x + 1] = row[4 * x + 2] = grey;
      row[4 * x + 3] = 0xAA;
    }
  }
}

Rgb At(const TBitmap& bmp, int x, int y) {
  const std::uint8_t* p = bmp.ScanLine(y) + 4 * x;
  return Rgb{p[2], p[1], p[0]};
}

enum Look { Normal, Strong, Bright };

// Tints a w x h grey-128 picture the way a highlight of the type prepares that look.
TBitmap& Tinted(TBitmap& bmp, int w, int h, THighlightType type, Look look) {
  TBoardHighlight h0(nullptr);
  h0.SetHighlightType(type);
  const float alpha = look == Normal ? h0.NormalAlpha() : look == Strong ? h0.StrongAlpha() : h0.BrightAlpha();
  FillGrey(bmp, w, h, 128);
  TintEllipse(bmp, w - 1, h - 1, look == Bright, h0.HighlightColor(), alpha);
  return bmp;
}
}  // namespace

TEST(TintEllipse, PixelsOverGreyMatchTheLooks) {
  struct Case {
    THighlightType Type;
    Look Which;
    int X, Y;
    Rgb Expected;
  };
  const Case cases[] = {
      {htSettings, Normal, 32, 32, {138, 138, 118}}, {htSettings, Normal, 60, 32, {192, 192, 64}},
      {htSettings, Normal, 57, 32, {144, 144, 112}}, {htSettings, Strong, 32, 32, {143, 143, 113}},
      {htSettings, Strong, 60, 32, {223, 223, 32}},  {htSettings, Bright, 32, 32, {148, 148, 108}},
      {htSettings, Bright, 60, 32, {255, 255, 255}}, {htSettings, Bright, 57, 32, {192, 192, 64}},
      {htOptions, Normal, 32, 32, {123, 123, 133}},  {htOptions, Normal, 60, 32, {96, 96, 160}},
  };
  for (const Case& c : cases) {
    TBitmap bmp;
    Tinted(bmp, 65, 65, c.Type, c.Which);
    EXPECT_EQ(At(bmp, c.X, c.Y), c.Expected) << "type " << int(c.Type) << " look " << c.Which << " at " << c.X << "," << c.Y;
  }
}

TEST(TintEllipse, BrightCoreIsWhiteWithClearedFourthByte) {
  TBitmap bmp;
  Tinted(bmp, 65, 65, htSettings, Bright);
  EXPECT_EQ(bmp.ScanLine(32)[4 * 60 + 3], 0);
  // Outside the white core the fourth byte is the picture's own.
  EXPECT_EQ(bmp.ScanLine(32)[4 * 32 + 3], 0xAA);
}

TEST(TintEllipse, EdgesStayAndTheEllipseCoversItsCount) {
  TBitmap bmp;
  Tinted(bmp, 65, 65, htSettings, Bright);
  int changed = 0, innerDisc = 0;
  for (int y = 0; y < 65; ++y) {
    for (int x = 0; x < 65; ++x) {
      const Rgb c = At(bmp, x, y);
      const bool isChanged = !(c == Rgb{128, 128, 128});
      if (x == 0 || x == 64 || y == 0 || y == 64) {
        EXPECT_FALSE(isChanged) << x << "," << y;
      }
      changed += isChanged;
      // The inner disc keeps the soft strength in the bright look; the ring is at least doubled.
      innerDisc += c == Rgb{148, 148, 108};
    }
  }
  EXPECT_EQ(changed, 3205);
  EXPECT_EQ(innerDisc, 1901);
}

TEST(TintEllipse, NarrowPictureSpansItsWholeSize) {
  TBitmap bmp;
  Tinted(bmp, 48, 23, htSettings, Normal);
  int minX = 99, maxX = -1, minY = 99, maxY = -1;
  for (int y = 0; y < 23; ++y) {
    for (int x = 0; x < 48; ++x) {
      if (At(bmp, x, y) == Rgb{128, 128, 128}) continue;
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minY = std::min(minY, y);
      maxY = std::max(maxY, y);
      // The ellipse is symmetric about both axes.
      EXPECT_EQ(At(bmp, x, y), At(bmp, 47 - x, 22 - y));
    }
  }
  // It touches the middle of each side: every column and row but the outermost ones.
  EXPECT_EQ(minX, 1);
  EXPECT_EQ(maxX, 46);
  EXPECT_EQ(minY, 1);
  EXPECT_EQ(maxY, 21);
}

TEST(TintEllipse, DegeneratePicturesAreLeftAlone) {
  for (auto [w, h] : {std::pair{1, 30}, std::pair{30, 1}, std::pair{1, 1}}) {
    TBitmap bmp;
    FillGrey(bmp, w, h, 128);
    TintEllipse(bmp, w - 1, h - 1, false, clYellow, 0.5f);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) EXPECT_EQ(At(bmp, x, y), (Rgb{128, 128, 128}));
  }
}

TEST(HighlightTitle, StripAndIdentifier) {
  struct Case {
    const char* Title;
    const char* Caption;
    const char* Stem;
  };
  const Case cases[] = {
      {"&Base Address", "Base Address", "BaseAddress"},
      {"&IRQ Level", "IRQ Level", "IRQLevel"},
      {"&Load", "Load", "Load"},
      {"2nd port", "2nd port", "ndport"},
      {"A&&B", "AB", "AB"},
      {"", "", ""},
      {"_ok9", "_ok9", "_ok9"},
      {"123", "123", ""},
  };
  for (const Case& c : cases) {
    TBoardHighlight h(nullptr);
    h.SetTitle(c.Title);
    EXPECT_EQ(h.PopupCaption(), c.Caption) << c.Title;
    EXPECT_EQ(h.NameStem(), c.Stem) << c.Title;
  }
}

TEST(HighlightType, DefaultsAndSetters) {
  TBoardHighlight h(nullptr);
  EXPECT_EQ(h.Width(), 65);
  EXPECT_EQ(h.Height(), 65);
  EXPECT_EQ(h.HighlightType(), htSettings);
  EXPECT_EQ(h.HighlightColor(), clYellow);
  EXPECT_TRUE(h.CreatePopup);
  EXPECT_FLOAT_EQ(h.NormalAlpha(), 0.5f);
  EXPECT_FLOAT_EQ(h.StrongAlpha(), 0.75f);
  EXPECT_FLOAT_EQ(h.BrightAlpha(), 1.0f);
  h.SetHighlightType(htCalibration);
  EXPECT_EQ(h.HighlightColor(), clRed);
  h.SetHighlightType(htOptions);
  EXPECT_EQ(h.HighlightColor(), clBlue);
  EXPECT_FLOAT_EQ(h.NormalAlpha(), 0.25f);
}

// Canvas drawing, rendered off screen and checked pixel by pixel.
#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "toolkit/Bitmap.h"
#include "toolkit/Canvas.h"
#include "toolkit/qt/QtFont.h"

namespace {

constexpr TColor clGrey = RGB(192, 192, 192);

// One letter a colour, for drawings written as text.
const std::map<char, TColor>& Palette() {
  static const std::map<char, TColor> P{{'.', clWhite}, {'K', clBlack}, {'R', clRed},
                                        {'B', clBlue},  {'Y', clYellow}, {'G', clGrey}};
  return P;
}

char Letter(TColor C) {
  for (const auto& [L, Color] : Palette())
    if (Color == C) return L;
  return '?';
}

// The canvas's pixels (0, 0)-(W, H), one string a row.
std::vector<std::string> Picture(const TCanvas& C, int W, int H) {
  std::vector<std::string> Rows;
  for (int Y = 0; Y < H; ++Y) {
    std::string Row;
    for (int X = 0; X < W; ++X) Row += Letter(C.Pixel(X, Y));
    Rows.push_back(Row);
  }
  return Rows;
}

// A 32-bit bitmap filled with one colour.
std::unique_ptr<TBitmap> Filled(int W, int H, TColor Color = clWhite) {
  auto B = std::make_unique<TBitmap>();
  B->SetPixelFormat(pf32bit);
  B->SetSize(W, H);
  B->Canvas().Brush.Color = Color;
  B->Canvas().FillRect(Rect(0, 0, W, H));
  return B;
}

void SetPen(TCanvas& C, TPenStyle Style, TColor Color = clBlack) {
  C.Pen.Style = Style;
  C.Pen.Color = Color;
}

void SetBrush(TCanvas& C, TBrushStyle Style, TColor Color = clYellow) {
  C.Brush.Style = Style;
  C.Brush.Color = Color;
}

struct DrawingCase {
  const char* Name;
  std::function<void(TCanvas&)> Draw;
  std::vector<std::string> Expected;  // also gives the surface size
};

void CheckDrawings(const std::vector<DrawingCase>& Cases) {
  for (const DrawingCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    const int W = static_cast<int>(Case.Expected[0].size());
    const int H = static_cast<int>(Case.Expected.size());
    auto B = Filled(W, H);
    Case.Draw(B->Canvas());
    EXPECT_EQ(Picture(B->Canvas(), W, H), Case.Expected);
  }
}

}  // namespace

TEST(CanvasShapes, RectanglesAndFills) {
  CheckDrawings({
      {"outline inside the edge, inside filled",
       [](TCanvas& C) { SetPen(C, psSolid); SetBrush(C, bsSolid); C.Rectangle(1, 1, 6, 5); },
       {"........",
        ".KKKKK..",
        ".KYYYK..",
        ".KYYYK..",
        ".KKKKK..",
        "........"}},
      {"clear brush keeps the inside",
       [](TCanvas& C) { SetPen(C, psSolid, clRed); SetBrush(C, bsClear); C.Rectangle(1, 1, 6, 5); },
       {"........",
        ".RRRRR..",
        ".R...R..",
        ".R...R..",
        ".RRRRR..",
        "........"}},
      {"clear pen fills the whole rectangle",
       [](TCanvas& C) { SetPen(C, psClear); SetBrush(C, bsSolid); C.Rectangle(1, 1, 6, 5); },
       {"........",
        ".YYYYY..",
        ".YYYYY..",
        ".YYYYY..",
        ".YYYYY..",
        "........"}},
      {"one pixel wide",
       [](TCanvas& C) { SetPen(C, psSolid); SetBrush(C, bsSolid); C.Rectangle(2, 1, 3, 4); },
       {".....",
        "..K..",
        "..K..",
        "..K..",
        "....."}},
      {"empty and reversed rectangles draw nothing",
       [](TCanvas& C) {
         SetPen(C, psSolid); SetBrush(C, bsSolid);
         C.Rectangle(2, 2, 2, 4); C.Rectangle(3, 1, 1, 3); C.FillRect(Rect(1, 1, 4, 1));
       },
       {".....",
        ".....",
        ".....",
        "....."}},
      {"dashed outline, three on and three off",
       [](TCanvas& C) { SetPen(C, psDash); SetBrush(C, bsClear); C.Rectangle(0, 0, 8, 4); },
       {"KKK...KK.",
        "K......K.",
        "K........",
        "...KKK...",
        "........."}},
      {"fill rectangle: brush only, right and bottom edges exclusive",
       [](TCanvas& C) { SetPen(C, psSolid); SetBrush(C, bsSolid, clBlue); C.FillRect(Rect(1, 1, 4, 3)); },
       {"......",
        ".BBB..",
        ".BBB..",
        "......"}},
      {"fill rectangle with a clear brush draws nothing",
       [](TCanvas& C) { SetBrush(C, bsClear, clBlue); C.FillRect(Rect(0, 0, 4, 3)); },
       {"....",
        "....",
        "...."}},
      {"system colours are resolved",
       [](TCanvas& C) { SetPen(C, psSolid, clWindowText); SetBrush(C, bsSolid, clWindow); C.Rectangle(0, 0, 4, 3); },
       {"KKKK",
        "K..K",
        "KKKK"}},
  });
}

TEST(CanvasShapes, EllipsesAndRoundRects) {
  CheckDrawings({
      {"disc, clear pen",
       [](TCanvas& C) { SetPen(C, psClear); SetBrush(C, bsSolid); C.Ellipse(1, 1, 7, 7); },
       {"........",
        "..YYYY..",
        ".YYYYYY.",
        ".YYYYYY.",
        ".YYYYYY.",
        ".YYYYYY.",
        "..YYYY..",
        "........"}},
      {"disc with outline: pixels with a 4-neighbour outside",
       [](TCanvas& C) { SetPen(C, psSolid); SetBrush(C, bsSolid); C.Ellipse(1, 1, 7, 7); },
       {"........",
        "..KKKK..",
        ".KYYYYK.",
        ".KYYYYK.",
        ".KYYYYK.",
        ".KYYYYK.",
        "..KKKK..",
        "........"}},
      {"odd sizes",
       [](TCanvas& C) { SetPen(C, psSolid); SetBrush(C, bsSolid); C.Ellipse(1, 1, 6, 4); },
       {".......",
        "..KKK..",
        ".KYYYK.",
        "..KKK..",
        "......."}},
      {"outline only with a clear brush",
       [](TCanvas& C) { SetPen(C, psSolid, clRed); SetBrush(C, bsClear); C.Ellipse(0, 0, 6, 6); },
       {".RRRR.",
        "R....R",
        "R....R",
        "R....R",
        "R....R",
        ".RRRR."}},
      {"round rectangle",
       [](TCanvas& C) { SetPen(C, psSolid); SetBrush(C, bsSolid); C.RoundRect(0, 0, 8, 6, 4, 4); },
       {".KKKKKK.",
        "KYYYYYYK",
        "KYYYYYYK",
        "KYYYYYYK",
        "KYYYYYYK",
        ".KKKKKK."}},
      {"round rectangle without corners is a rectangle",
       [](TCanvas& C) { SetPen(C, psSolid); SetBrush(C, bsSolid); C.RoundRect(0, 0, 4, 3, 0, 0); },
       {"KKKK",
        "KYYK",
        "KKKK"}},
  });
}

// The pins of the jumper drawing: a circle inscribed in a 6 x 6 box.
TEST(CanvasShapes, EllipseStaysInItsBoxAndIsSymmetric) {
  struct Case {
    TRect Box;
    int SurfaceW, SurfaceH;
  };
  const Case Cases[] = {{Rect(8, 6, 14, 12), 34, 18}, {Rect(20, 6, 26, 12), 34, 18}, {Rect(0, 0, 65, 65), 65, 65},
                        {Rect(3, 2, 51, 25), 55, 28}, {Rect(1, 1, 2, 2), 3, 3},      {Rect(2, 2, 5, 9), 8, 11}};
  for (const Case& K : Cases) {
    SCOPED_TRACE(::testing::Message() << "box " << K.Box.Left << "," << K.Box.Top << "-" << K.Box.Right << ","
                                      << K.Box.Bottom);
    auto B = Filled(K.SurfaceW, K.SurfaceH);
    TCanvas& C = B->Canvas();
    SetPen(C, psClear);
    SetBrush(C, bsSolid);
    C.Ellipse(K.Box.Left, K.Box.Top, K.Box.Right, K.Box.Bottom);
    bool Left = false, Right = false, Top = false, Bottom = false;
    for (int Y = 0; Y < K.SurfaceH; ++Y) {
      for (int X = 0; X < K.SurfaceW; ++X) {
        const bool In = C.Pixel(X, Y) == clYellow;
        if (!PtInRect(K.Box, TPoint{X, Y})) {
          EXPECT_FALSE(In) << "spilled at " << X << "," << Y;
          continue;
        }
        const int MX = K.Box.Left + K.Box.Right - 1 - X;
        const int MY = K.Box.Top + K.Box.Bottom - 1 - Y;
        EXPECT_EQ(In, C.Pixel(MX, Y) == clYellow) << "not mirrored left-right at " << X << "," << Y;
        EXPECT_EQ(In, C.Pixel(X, MY) == clYellow) << "not mirrored top-bottom at " << X << "," << Y;
        Left |= In && X == K.Box.Left;
        Right |= In && X == K.Box.Right - 1;
        Top |= In && Y == K.Box.Top;
        Bottom |= In && Y == K.Box.Bottom - 1;
      }
    }
    EXPECT_TRUE(Left && Right && Top && Bottom) << "the ellipse does not touch every side of its box";
  }
}

// The base of the jumper drawing: (1, 1)-(33, 17) with 9 x 9 corners on 34 x 18.
TEST(CanvasShapes, RoundRectCornersAndOutline) {
  auto B = Filled(34, 18, clBlue);
  TCanvas& C = B->Canvas();
  SetPen(C, psSolid, clBlack);
  SetBrush(C, bsSolid, clGrey);
  C.RoundRect(1, 1, 33, 17, 9, 9);

  for (int X = 0; X < 34; ++X) {
    EXPECT_EQ(C.Pixel(X, 0), clBlue) << X;
    EXPECT_EQ(C.Pixel(X, 17), clBlue) << X;
  }
  for (int Y = 0; Y < 18; ++Y) {
    EXPECT_EQ(C.Pixel(0, Y), clBlue) << Y;
    EXPECT_EQ(C.Pixel(33, Y), clBlue) << Y;
  }
  struct PixelCase {
    int X, Y;
    TColor Expected;
  };
  const PixelCase Cases[] = {
      // Cut corners keep the background.
      {1, 1, clBlue}, {2, 1, clBlue}, {1, 2, clBlue}, {32, 1, clBlue}, {1, 16, clBlue}, {32, 16, clBlue},
      {2, 2, clBlack},  // the corner curve
      // Straight edges: a one-pixel outline along the inside.
      {16, 1, clBlack}, {16, 16, clBlack}, {1, 8, clBlack}, {32, 8, clBlack},
      {16, 2, clGrey}, {16, 15, clGrey}, {2, 8, clGrey}, {31, 8, clGrey}, {16, 8, clGrey}};
  for (const PixelCase& P : Cases) EXPECT_EQ(C.Pixel(P.X, P.Y), P.Expected) << "at " << P.X << "," << P.Y;

  for (int Y = 0; Y < 18; ++Y)
    for (int X = 0; X < 34; ++X) {
      EXPECT_EQ(C.Pixel(X, Y), C.Pixel(33 - X, Y)) << X << "," << Y;
      EXPECT_EQ(C.Pixel(X, Y), C.Pixel(X, 17 - Y)) << X << "," << Y;
    }
}

TEST(CanvasClip, DrawingStaysInsideTheClipAndFollowsTheOrigin) {
  QImage Surface(12, 8, QImage::Format_RGB32);
  Surface.fill(0xFFFFFFFFu);
  TCanvas C;
  C.Attach(&Surface, TPoint{2, 1}, Rect(3, 2, 9, 6));
  EXPECT_TRUE(C.ClipRect() == Rect(1, 1, 7, 5));

  SetPen(C, psSolid);
  SetBrush(C, bsSolid);
  C.Rectangle(0, 0, 5, 4);  // surface (2, 1)-(7, 5)
  C.SetPixel(7, 4, clRed);  // surface (9, 5): outside the clip
  C.SetPixel(6, 4, clRed);  // surface (8, 5): inside
  SetBrush(C, bsSolid, clBlue);
  C.Ellipse(20, 20, 30, 30);

  TCanvas Whole;
  Whole.Attach(&Surface, TPoint{0, 0}, Rect(0, 0, 12, 8));
  EXPECT_EQ(Picture(Whole, 12, 8), (std::vector<std::string>{
                                       "............",
                                       "............",
                                       "...YYYK.....",
                                       "...YYYK.....",
                                       "...KKKK.....",
                                       "........R...",
                                       "............",
                                       "............"}));
}

TEST(CanvasClip, ClipIsLimitedToTheSurface) {
  QImage Surface(5, 4, QImage::Format_RGB32);
  Surface.fill(0xFFFFFFFFu);
  TCanvas C;
  C.Attach(&Surface, TPoint{0, 0}, Rect(-10, -10, 100, 100));
  EXPECT_TRUE(C.ClipRect() == Rect(0, 0, 5, 4));
  SetBrush(C, bsSolid, clRed);
  C.FillRect(Rect(-5, -5, 50, 50));
  EXPECT_EQ(Picture(C, 5, 4), (std::vector<std::string>(4, "RRRRR")));
}

TEST(CanvasPixels, ReadAndWrite) {
  QImage Surface(6, 4, QImage::Format_RGB32);
  Surface.fill(0xFFFFFFFFu);
  TCanvas C;
  EXPECT_EQ(C.Pixel(0, 0), clNone);  // no surface
  C.SetPixel(0, 0, clRed);            // no surface: nothing happens
  C.Attach(&Surface, TPoint{1, 0}, Rect(0, 0, 4, 4));

  struct Case {
    int X, Y;
    TColor Written, Read;
  };
  const Case Cases[] = {
      {0, 0, RGB(1, 2, 3), RGB(1, 2, 3)},           // surface (1, 0)
      {2, 3, clBtnFace, RGB(240, 240, 240)},        // system colours resolved
      {3, 1, clRed, clWhite},                       // surface (4, 1): outside the clip
      {-1, 2, clBlue, clBlue},                      // surface (0, 2): inside
      {5, 0, clRed, clNone},                        // off the surface
      {-2, 0, clRed, clNone},
      {0, 4, clRed, clNone},
  };
  for (const Case& K : Cases) {
    C.SetPixel(K.X, K.Y, K.Written);
    EXPECT_EQ(C.Pixel(K.X, K.Y), K.Read) << "at " << K.X << "," << K.Y;
  }
}

TEST(CanvasColors, ColorToRGB) {
  struct Case {
    TColor In, Out;
  };
  const Case Cases[] = {{clBtnFace, RGB(240, 240, 240)}, {clWindow, clWhite}, {clWindowText, clBlack},
                        {clBtnText, clBlack},            {clNone, clNone},    {RGB(1, 2, 3), RGB(1, 2, 3)},
                        {clMaroon, clMaroon}};
  for (const Case& K : Cases) EXPECT_EQ(ColorToRGB(K.In), K.Out) << std::hex << K.In;
  const TColor Other = ColorToRGB(SystemColor(3));
  EXPECT_TRUE(GetRValue(Other) == GetGValue(Other) && GetGValue(Other) == GetBValue(Other)) << "not a grey";
}

TEST(CanvasColors, IntersectRect) {
  struct Case {
    TRect A, B, Expected;
  };
  const Case Cases[] = {{Rect(0, 0, 10, 10), Rect(5, 2, 20, 8), Rect(5, 2, 10, 8)},
                        {Rect(0, 0, 10, 10), Rect(10, 0, 20, 10), TRect{}},  // touching edges share no pixel
                        {Rect(-5, -5, 5, 5), Rect(0, 0, 3, 3), Rect(0, 0, 3, 3)},
                        {Rect(0, 0, 4, 4), Rect(6, 6, 8, 8), TRect{}}};
  for (const Case& K : Cases) EXPECT_TRUE(IntersectRect(K.A, K.B) == K.Expected);
}

// Character heights at 96 dpi: 8 points is 11 pixels.
TEST(CanvasFont, PixelHeight) {
  struct SizeCase {
    int Size, Pixels;
  };
  const SizeCase Sizes[] = {{8, 11}, {9, 12}, {10, 13}, {12, 16}, {18, 24}};
  for (const SizeCase& K : Sizes) {
    TFont F;
    F.Size = K.Size;
    EXPECT_EQ(F.PixelHeight(), K.Pixels) << K.Size << " pt";
  }
  struct HeightCase {
    int Height, Size;
  };
  const HeightCase Heights[] = {{-11, 8}, {-13, 10}, {-16, 12}, {-24, 18}, {11, 8}, {16, 12}};
  for (const HeightCase& K : Heights) {
    TFont F;
    F.SetHeight(K.Height);
    EXPECT_EQ(F.Size, K.Size) << "height " << K.Height;
  }
}

TEST(CanvasFont, QtFontUsesAnInstalledFaceAtThePixelSize) {
  struct Case {
    const char* Name;
    int Size;
    unsigned Style;
  };
  const Case Cases[] = {{"MS Sans Serif", 8, 0}, {"Tahoma", 18, fsBold}, {"Verdana", 12, fsBold | fsItalic},
                        {"DejaVu Sans", 10, fsUnderline}};
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TFont F;
    F.Name = K.Name;
    F.Size = K.Size;
    F.Style = K.Style;
    const QFont Q = ToQFont(F);
    EXPECT_EQ(Q.family().toStdString(), "DejaVu Sans");
    EXPECT_EQ(Q.pixelSize(), F.PixelHeight());
    EXPECT_EQ(Q.bold(), (K.Style & fsBold) != 0);
    EXPECT_EQ(Q.italic(), (K.Style & fsItalic) != 0);
    EXPECT_EQ(Q.underline(), (K.Style & fsUnderline) != 0);
    EXPECT_TRUE(Q.styleStrategy() & QFont::NoAntialias);
  }
  EXPECT_EQ(FromQRgb(ToQColor(RGB(10, 20, 30)).rgb()), RGB(10, 20, 30));
  EXPECT_EQ(ToQColor(clBtnFace), QColor(240, 240, 240));
}

TEST(CanvasText, MeasuresWithoutASurface) {
  TCanvas C;
  EXPECT_GT(C.TextWidth("A"), 0);
  EXPECT_EQ(C.TextWidth(""), 0);
  EXPECT_GT(C.TextHeight("A"), C.Font.PixelHeight());
  EXPECT_GT(C.TextWidth("AAAA"), C.TextWidth("AA"));
  // UTF-8: one character, narrower than the two that a Latin-1 reading would see.
  EXPECT_GT(C.TextWidth("\xC3\xA9"), 0);
  EXPECT_LT(C.TextWidth("\xC3\xA9"), C.TextWidth("\xC3\x83\xC2\xA9"));
}

TEST(CanvasText, DrawnWithinItsExtentInExactColours) {
  struct Case {
    const char* Name;
    int Size;
    unsigned Style;
    TBrushStyle Brush;
    const char* Text;
  };
  const Case Cases[] = {{"MS Sans Serif", 8, 0, bsClear, "ON"},
                        {"MS Sans Serif", 8, 0, bsSolid, "Hgjy 9"},
                        {"Tahoma", 18, fsBold, bsClear, "IRQ"},
                        {"Verdana", 12, fsBold, bsSolid, "Wq_"}};
  for (const Case& K : Cases) {
    SCOPED_TRACE(::testing::Message() << K.Name << " " << K.Text);
    auto B = Filled(80, 40, clBlue);
    TCanvas& C = B->Canvas();
    C.Font.Name = K.Name;
    C.Font.Size = K.Size;
    C.Font.Style = K.Style;
    C.Font.Color = clWhite;
    SetBrush(C, K.Brush, clRed);
    const TRect Extent = Bounds(5, 3, C.TextWidth(K.Text), C.TextHeight(K.Text));
    ASSERT_LT(Extent.Right, 80);
    ASSERT_LT(Extent.Bottom, 40);
    C.TextOut(Extent.Left, Extent.Top, K.Text);

    int TextPixels = 0, Background = 0;
    for (int Y = 0; Y < 40; ++Y) {
      for (int X = 0; X < 80; ++X) {
        const TColor P = C.Pixel(X, Y);
        if (!PtInRect(Extent, TPoint{X, Y})) {
          EXPECT_EQ(P, clBlue) << "outside the extent at " << X << "," << Y;
          continue;
        }
        if (P == clWhite) ++TextPixels;
        else if (P == (K.Brush == bsSolid ? clRed : clBlue)) ++Background;
        else ADD_FAILURE() << "an in-between colour at " << X << "," << Y << ": " << std::hex << P;
      }
    }
    EXPECT_GT(TextPixels, 10);
    EXPECT_GT(Background, TextPixels);  // a clear brush left the pixels between the glyphs
  }
}

TEST(CanvasText, TopLeftCornerAtThePoint) {
  auto B = Filled(40, 30);
  TCanvas& C = B->Canvas();
  SetBrush(C, bsClear);
  C.Font.Color = clBlack;
  C.TextOut(10, 8, "H");
  // "H" fills its cell's height from the cap line to the baseline: its top stem lies
  // within the first half of the text height, its lowest pixel above the descent.
  int MinX = 40, MinY = 30, MaxY = -1;
  for (int Y = 0; Y < 30; ++Y)
    for (int X = 0; X < 40; ++X)
      if (C.Pixel(X, Y) == clBlack) {
        MinX = std::min(MinX, X);
        MinY = std::min(MinY, Y);
        MaxY = std::max(MaxY, Y);
      }
  EXPECT_GE(MinX, 10);
  EXPECT_LE(MinX, 12);
  EXPECT_GE(MinY, 8);
  EXPECT_LE(MinY, 8 + C.TextHeight("H") / 2);
  EXPECT_LT(MaxY, 8 + C.TextHeight("H") - 1);
}

TEST(CanvasText, ClippedAndOn24BitSurfaces) {
  auto B = std::make_unique<TBitmap>();
  B->SetPixelFormat(pf24bit);
  B->SetSize(40, 20);
  TCanvas& C = B->Canvas();
  SetBrush(C, bsSolid, clYellow);
  C.FillRect(Rect(0, 0, 40, 20));
  C.Font.Color = clBlack;
  SetBrush(C, bsClear);
  C.TextOut(2, 2, "HH");
  int Black = 0;
  for (int Y = 0; Y < 20; ++Y)
    for (int X = 0; X < 40; ++X) Black += C.Pixel(X, Y) == clBlack;
  EXPECT_GT(Black, 10);

  QImage Surface(40, 20, QImage::Format_RGB32);
  Surface.fill(0xFFFFFFFFu);
  TCanvas Clipped;
  Clipped.Attach(&Surface, TPoint{0, 0}, Rect(0, 0, 6, 20));
  Clipped.Font.Color = clBlack;
  SetBrush(Clipped, bsSolid, clRed);
  Clipped.TextOut(2, 2, "HHHH");
  for (int Y = 0; Y < 20; ++Y)
    for (int X = 6; X < 40; ++X) EXPECT_EQ(Clipped.Pixel(X, Y), clWhite) << X << "," << Y;
  EXPECT_EQ(Clipped.Pixel(5, 2), clRed);
}

namespace {

TColor Pattern(int X, int Y) { return RGB(10 + X * 7, 20 + Y * 9, 200 - X - Y); }

std::unique_ptr<TBitmap> Patterned(int W, int H, TPixelFormat Format = pf32bit) {
  auto B = std::make_unique<TBitmap>();
  B->SetPixelFormat(Format);
  B->SetSize(W, H);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) B->Canvas().SetPixel(X, Y, Pattern(X, Y));
  return B;
}

}  // namespace

TEST(CanvasCopy, CopyRectSameSizeAndScaled) {
  struct Case {
    const char* Name;
    TRect Dest, Source;
    // The source pixel that lands on the destination pixel, or false where nothing lands.
    std::function<bool(int X, int Y, TPoint& From)> Map;
  };
  const Case Cases[] = {
      {"same size", Bounds(3, 2, 6, 4), Bounds(0, 0, 6, 4),
       [](int X, int Y, TPoint& F) { F = {X - 3, Y - 2}; return PtInRect(Bounds(3, 2, 6, 4), {X, Y}); }},
      {"same size, part of the source", Bounds(0, 0, 3, 2), Bounds(2, 1, 3, 2),
       [](int X, int Y, TPoint& F) { F = {X + 2, Y + 1}; return X < 3 && Y < 2; }},
      {"source partly off its surface", Bounds(0, 0, 4, 4), Bounds(4, 2, 4, 4),
       [](int X, int Y, TPoint& F) { F = {X + 4, Y + 2}; return X < 2 && Y < 2; }},
      {"dest partly off the surface", Bounds(-2, -1, 6, 4), Bounds(0, 0, 6, 4),
       [](int X, int Y, TPoint& F) { F = {X + 2, Y + 1}; return X < 4 && Y < 3; }},
      {"doubled", Bounds(1, 1, 12, 8), Bounds(0, 0, 6, 4),
       [](int X, int Y, TPoint& F) { F = {(X - 1) / 2, (Y - 1) / 2}; return PtInRect(Bounds(1, 1, 12, 8), {X, Y}); }},
      {"halved: the pixel under each centre", Bounds(0, 0, 3, 2), Bounds(0, 0, 6, 4),
       [](int X, int Y, TPoint& F) { F = {2 * X + 1, 2 * Y + 1}; return X < 3 && Y < 2; }},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    auto Source = Patterned(6, 4);
    auto Dest = Filled(14, 10);
    Dest->Canvas().CopyRect(K.Dest, Source->Canvas(), K.Source);
    for (int Y = 0; Y < 10; ++Y)
      for (int X = 0; X < 14; ++X) {
        TPoint From;
        const TColor Expected = K.Map(X, Y, From) ? Pattern(From.x, From.y) : clWhite;
        EXPECT_EQ(Dest->Canvas().Pixel(X, Y), Expected) << "at " << X << "," << Y;
      }
  }
}

TEST(CanvasCopy, OverlappingCopiesOnOneSurface) {
  struct Case {
    const char* Name;
    TRect Dest, Source;
  };
  const Case Cases[] = {{"to the right", Bounds(2, 1, 6, 2), Bounds(0, 0, 6, 2)},
                        {"to the left", Bounds(0, 0, 6, 2), Bounds(2, 1, 6, 2)},
                        {"scaled over itself", Bounds(0, 0, 8, 4), Bounds(1, 1, 4, 2)}};
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    auto B = Patterned(8, 4);
    auto Original = Patterned(8, 4);
    auto Expected = Patterned(8, 4);
    Expected->Canvas().CopyRect(K.Dest, Original->Canvas(), K.Source);
    B->Canvas().CopyRect(K.Dest, B->Canvas(), K.Source);
    for (int Y = 0; Y < 4; ++Y)
      for (int X = 0; X < 8; ++X) EXPECT_EQ(B->Canvas().Pixel(X, Y), Expected->Canvas().Pixel(X, Y)) << X << "," << Y;
  }
}

TEST(CanvasCopy, BitBltReplacesPixelsWithinTheClip) {
  auto Source = Patterned(6, 4);
  QImage Surface(10, 6, QImage::Format_RGB32);
  Surface.fill(0xFFFFFFFFu);
  TCanvas Dest;
  Dest.Attach(&Surface, TPoint{1, 1}, Rect(0, 0, 6, 6));
  BitBlt(Dest, 2, 1, 4, 3, Source->Canvas(), 1, 0);  // surface (3, 2)-(7, 5), clipped at column 6
  TCanvas Whole;
  Whole.Attach(&Surface, TPoint{0, 0}, Rect(0, 0, 10, 6));
  for (int Y = 0; Y < 6; ++Y)
    for (int X = 0; X < 10; ++X) {
      const bool Copied = X >= 3 && X < 6 && Y >= 2 && Y < 5;
      EXPECT_EQ(Whole.Pixel(X, Y), Copied ? Pattern(X - 3 + 1, Y - 2) : clWhite) << X << "," << Y;
    }
}

TEST(CanvasCopy, DrawAndStretchDrawBetweenPixelFormats) {
  struct Case {
    const char* Name;
    TPixelFormat From, To;
    bool Stretch;
  };
  const Case Cases[] = {{"24 to 32", pf24bit, pf32bit, false}, {"32 to 24", pf32bit, pf24bit, false},
                        {"24 to 24", pf24bit, pf24bit, false}, {"24 to 32 stretched", pf24bit, pf32bit, true},
                        {"32 to 32 stretched", pf32bit, pf32bit, true}};
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    auto Source = Patterned(3, 2, K.From);
    auto Dest = std::make_unique<TBitmap>();
    Dest->SetPixelFormat(K.To);
    Dest->SetSize(8, 6);
    TCanvas& C = Dest->Canvas();
    SetBrush(C, bsSolid, clWhite);
    C.FillRect(Rect(0, 0, 8, 6));
    if (K.Stretch)
      C.StretchDraw(Bounds(1, 1, 6, 4), Source.get());
    else
      C.Draw(1, 1, Source.get());
    const int Scale = K.Stretch ? 2 : 1;
    for (int Y = 0; Y < 6; ++Y)
      for (int X = 0; X < 8; ++X) {
        const bool In = PtInRect(Bounds(1, 1, 3 * Scale, 2 * Scale), {X, Y});
        EXPECT_EQ(C.Pixel(X, Y), In ? Pattern((X - 1) / Scale, (Y - 1) / Scale) : clWhite) << X << "," << Y;
      }
  }
}

TEST(CanvasCopy, EmptyGraphicsDrawNothing) {
  auto Dest = Filled(4, 4);
  TBitmap Empty;
  TBitmap NoHeight;
  NoHeight.SetWidth(3);
  Dest->Canvas().Draw(0, 0, &Empty);
  Dest->Canvas().StretchDraw(Rect(0, 0, 4, 4), &NoHeight);
  Dest->Canvas().Draw(0, 0, nullptr);
  Dest->Canvas().CopyRect(Rect(0, 0, 4, 4), Empty.Canvas(), Rect(0, 0, 4, 4));
  EXPECT_EQ(Picture(Dest->Canvas(), 4, 4), (std::vector<std::string>(4, "....")));
}

// The card picture is drawn one to one on every paint of the main window.
TEST(CanvasCopy, LargeSameSizeDraw) {
  auto Card = Patterned(600, 362, pf24bit);
  auto Window = Filled(610, 370);
  Window->Canvas().Draw(5, 4, Card.get());
  const TPoint Probes[] = {{0, 0}, {599, 0}, {0, 361}, {599, 361}, {300, 181}};
  for (TPoint P : Probes) EXPECT_EQ(Window->Canvas().Pixel(P.x + 5, P.y + 4), Pattern(P.x, P.y)) << P.x << "," << P.y;
  EXPECT_EQ(Window->Canvas().Pixel(605, 4), clWhite);
  EXPECT_EQ(Window->Canvas().Pixel(5, 366), clWhite);
}

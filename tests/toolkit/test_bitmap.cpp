// Off-screen bitmaps: row access, sizes, formats, loading; and the picture container.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include "toolkit/Bitmap.h"

namespace {

TColor Pattern(int X, int Y) { return RGB(10 + X * 30, 20 + Y * 40, 250 - X - Y); }

void Paint(TBitmap& B) {
  for (int Y = 0; Y < B.Height(); ++Y)
    for (int X = 0; X < B.Width(); ++X) B.Canvas().SetPixel(X, Y, Pattern(X, Y));
}

void ExpectPattern(TBitmap& B, int W, int H) {
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) EXPECT_EQ(B.Canvas().Pixel(X, Y), Pattern(X, Y)) << "at " << X << "," << Y;
}

int BytesPerPixel(TPixelFormat F) { return F == pf24bit ? 3 : 4; }

// An uncompressed BMP file, bottom row first, rows padded to four bytes.
std::vector<char> MakeBmp(int W, int H, int Bits) {
  const int Stride = (W * Bits / 8 + 3) / 4 * 4;
  const int Size = 54 + Stride * H;
  std::vector<char> F(static_cast<size_t>(Size), 0);
  auto Put16 = [&](int At, int V) { F[At] = char(V & 0xFF); F[At + 1] = char((V >> 8) & 0xFF); };
  auto Put32 = [&](int At, int V) { Put16(At, V & 0xFFFF); Put16(At + 2, (V >> 16) & 0xFFFF); };
  F[0] = 'B';
  F[1] = 'M';
  Put32(2, Size);
  Put32(10, 54);
  Put32(14, 40);
  Put32(18, W);
  Put32(22, H);
  Put16(26, 1);
  Put16(28, Bits);
  Put32(34, Stride * H);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      char* P = &F[static_cast<size_t>(54 + (H - 1 - Y) * Stride + X * Bits / 8)];
      const TColor C = Pattern(X, Y);
      P[0] = char(GetBValue(C));
      P[1] = char(GetGValue(C));
      P[2] = char(GetRValue(C));
    }
  return F;
}

std::string WriteTemp(const std::string& Name, const std::vector<char>& Bytes) {
  const std::string Path = (std::filesystem::temp_directory_path() / ("toolkit_test_bitmap_" + Name)).string();
  std::ofstream(Path, std::ios::binary).write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
  return Path;
}

}  // namespace

TEST(Bitmap, ScanLineByteOrder) {
  for (TPixelFormat F : {pf32bit, pf24bit}) {
    SCOPED_TRACE(F == pf32bit ? "32-bit" : "24-bit");
    TBitmap B;
    B.SetPixelFormat(F);
    B.SetSize(5, 3);
    const int N = BytesPerPixel(F);
    ASSERT_GE(B.ScanLine(1) - B.ScanLine(0), 5 * N);

    B.Canvas().SetPixel(2, 1, RGB(0x11, 0x22, 0x33));
    const std::uint8_t* Row = B.ScanLine(1) + 2 * N;
    EXPECT_EQ(Row[0], 0x33);  // blue
    EXPECT_EQ(Row[1], 0x22);  // green
    EXPECT_EQ(Row[2], 0x11);  // red

    std::uint8_t* Last = B.ScanLine(2) + 4 * N;
    Last[0] = 0xA1;
    Last[1] = 0xB2;
    Last[2] = 0xC3;
    EXPECT_EQ(B.Canvas().Pixel(4, 2), RGB(0xC3, 0xB2, 0xA1));
    EXPECT_EQ(B.Canvas().Pixel(3, 2), clBlack);  // new content is zeroed
  }
}

TEST(Bitmap, FourthByteIsKeptAsWritten) {
  for (std::uint8_t Fourth : {std::uint8_t(0), std::uint8_t(0x5A)}) {
    SCOPED_TRACE(int(Fourth));
    TBitmap B;
    B.SetSize(4, 2);
    std::uint8_t* P = B.ScanLine(1) + 4 * 3;
    P[0] = 1;
    P[1] = 2;
    P[2] = 3;
    P[3] = Fourth;
    EXPECT_EQ(B.ScanLine(1)[4 * 3 + 3], Fourth);
    EXPECT_EQ(B.Canvas().Pixel(3, 1), RGB(3, 2, 1));  // the fourth byte does not colour the pixel

    TBitmap Copy;
    Copy.Assign(B);
    EXPECT_EQ(Copy.ScanLine(1)[4 * 3 + 3], Fourth);

    TBitmap Blitted;
    Blitted.SetSize(4, 2);
    BitBlt(Blitted.Canvas(), 0, 0, 4, 2, B.Canvas(), 0, 0);
    EXPECT_EQ(Blitted.ScanLine(1)[4 * 3 + 3], Fourth);
    EXPECT_EQ(Blitted.Canvas().Pixel(3, 1), RGB(3, 2, 1));
  }
}

TEST(Bitmap, SetSize) {
  struct Case {
    const char* Name;
    int W1, H1, W2, H2;
  };
  const Case Cases[] = {{"grow", 3, 2, 6, 5}, {"shrink", 6, 5, 2, 3}, {"wider only", 3, 3, 5, 3},
                        {"same size keeps everything", 4, 4, 4, 4}, {"to nothing", 4, 4, 0, 0},
                        {"from nothing", 0, 0, 4, 3}};
  for (TPixelFormat F : {pf32bit, pf24bit})
    for (const Case& K : Cases) {
      SCOPED_TRACE(::testing::Message() << K.Name << (F == pf32bit ? " 32-bit" : " 24-bit"));
      TBitmap B;
      B.SetPixelFormat(F);
      B.SetSize(K.W1, K.H1);
      Paint(B);
      B.SetSize(K.W2, K.H2);
      ASSERT_EQ(B.Width(), K.W2);
      ASSERT_EQ(B.Height(), K.H2);
      EXPECT_EQ(B.PixelFormat(), F);
      // The canvas follows the new size.
      EXPECT_TRUE(B.Canvas().ClipRect() == Rect(0, 0, K.W2, K.H2));
      for (int Y = 0; Y < K.H2; ++Y)
        for (int X = 0; X < K.W2; ++X) {
          const bool Kept = X < K.W1 && Y < K.H1;
          EXPECT_EQ(B.Canvas().Pixel(X, Y), Kept ? Pattern(X, Y) : clBlack) << X << "," << Y;
        }
      if (K.W2 > 0 && K.H2 > 0) {
        B.Canvas().SetPixel(K.W2 - 1, K.H2 - 1, clRed);
        EXPECT_EQ(B.Canvas().Pixel(K.W2 - 1, K.H2 - 1), clRed);
      }
    }
}

TEST(Bitmap, WidthAndHeightSetOneAfterTheOther) {
  TBitmap B;
  B.SetWidth(102);
  EXPECT_EQ(B.Width(), 102);
  EXPECT_EQ(B.Height(), 0);
  EXPECT_TRUE(B.Empty());
  B.SetHeight(61);
  EXPECT_EQ(B.Width(), 102);
  EXPECT_EQ(B.Height(), 61);
  EXPECT_FALSE(B.Empty());
  B.Canvas().SetPixel(101, 60, clYellow);
  EXPECT_EQ(B.Canvas().Pixel(101, 60), clYellow);
}

TEST(Bitmap, SetPixelFormatConverts) {
  const TPixelFormat Orders[][2] = {{pf32bit, pf24bit}, {pf24bit, pf32bit}};
  for (const auto& O : Orders) {
    TBitmap B;
    B.SetPixelFormat(O[0]);
    B.SetSize(4, 3);
    Paint(B);
    B.SetPixelFormat(O[1]);
    EXPECT_EQ(B.PixelFormat(), O[1]);
    EXPECT_EQ(B.Width(), 4);
    EXPECT_EQ(B.Height(), 3);
    EXPECT_GE(B.ScanLine(1) - B.ScanLine(0), 4 * BytesPerPixel(O[1]));
    ExpectPattern(B, 4, 3);
  }
}

TEST(Bitmap, AssignCopiesPixelsFormatAndSize) {
  for (TPixelFormat F : {pf32bit, pf24bit}) {
    TBitmap Source;
    Source.SetPixelFormat(F);
    Source.SetSize(5, 4);
    Paint(Source);
    TBitmap Copy;
    Copy.SetSize(9, 9);
    Copy.Assign(Source);
    EXPECT_EQ(Copy.PixelFormat(), F);
    EXPECT_EQ(Copy.Width(), 5);
    EXPECT_EQ(Copy.Height(), 4);
    EXPECT_TRUE(Copy.Canvas().ClipRect() == Rect(0, 0, 5, 4));
    ExpectPattern(Copy, 5, 4);
    // Each keeps its own pixels afterwards.
    Source.Canvas().SetPixel(0, 0, clRed);
    Source.ScanLine(1)[0] = 0;
    Copy.Canvas().SetPixel(1, 1, clBlue);
    EXPECT_EQ(Copy.Canvas().Pixel(0, 0), Pattern(0, 0));
    EXPECT_EQ(Copy.Canvas().Pixel(0, 1), Pattern(0, 1));
    EXPECT_EQ(Source.Canvas().Pixel(1, 1), Pattern(1, 1));
  }
}

TEST(Bitmap, EmptyBitmapsAreSafe) {
  TBitmap B;
  EXPECT_EQ(B.Width(), 0);
  EXPECT_TRUE(B.Empty());
  EXPECT_NE(B.Image(), nullptr);
  TCanvas& C = B.Canvas();
  C.Rectangle(0, 0, 10, 10);
  C.Ellipse(0, 0, 10, 10);
  C.RoundRect(0, 0, 10, 10, 3, 3);
  C.FillRect(Rect(0, 0, 10, 10));
  C.TextOut(0, 0, "text");
  C.SetPixel(0, 0, clRed);
  EXPECT_EQ(C.Pixel(0, 0), clNone);
  B.SetPixelFormat(pf24bit);
  B.SetPixelFormat(pf32bit);
  TBitmap Other;
  Other.SetSize(3, 3);
  Other.Canvas().Draw(0, 0, &B);
  B.Canvas().Draw(0, 0, &Other);
  Other.Assign(B);
  EXPECT_TRUE(Other.Empty());
  EXPECT_THROW(B.ScanLine(0), std::out_of_range);
}

TEST(Bitmap, LoadFromFile) {
  struct Case {
    int Bits;
    TPixelFormat Format;
  };
  const Case Cases[] = {{24, pf24bit}, {32, pf32bit}};
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Bits);
    const std::string Path = WriteTemp(std::to_string(K.Bits) + ".bmp", MakeBmp(5, 3, K.Bits));
    TBitmap B;
    ASSERT_TRUE(B.LoadFromFile(Path));
    EXPECT_EQ(B.PixelFormat(), K.Format);
    EXPECT_EQ(B.Width(), 5);
    EXPECT_EQ(B.Height(), 3);
    ExpectPattern(B, 5, 3);
    EXPECT_TRUE(B.Canvas().ClipRect() == Rect(0, 0, 5, 3));
    std::remove(Path.c_str());
  }
}

TEST(Bitmap, LoadFromFileFailsWithoutChange) {
  const std::string NotBmp = WriteTemp("not.bmp", std::vector<char>{'h', 'e', 'l', 'l', 'o'});
  for (const std::string& Path : {NotBmp, std::string("/nonexistent/card.bmp"), std::string(":/missing.bmp")}) {
    SCOPED_TRACE(Path);
    TBitmap B;
    B.SetSize(2, 2);
    EXPECT_FALSE(B.LoadFromFile(Path));
    EXPECT_EQ(B.Width(), 2);
    EXPECT_EQ(B.Height(), 2);
  }
  std::remove(NotBmp.c_str());
}

TEST(Picture, EveryChangeIsReported) {
  const std::string Path = WriteTemp("picture.bmp", MakeBmp(4, 2, 24));
  TPicture Filled;
  Filled.Bitmap()->SetSize(3, 2);
  TPicture Empty;

  struct Case {
    const char* Name;
    bool StartEmpty;
    std::function<void(TPicture&)> Change;
    int Width, Height;
  };
  const Case Cases[] = {
      {"first bitmap", true, [](TPicture& P) { P.Bitmap(); }, 0, 0},
      {"assigned", false, [&](TPicture& P) { P.Assign(Filled); }, 3, 2},
      {"assigned to an empty picture", true, [&](TPicture& P) { P.Assign(Filled); }, 3, 2},
      {"loaded", false, [&](TPicture& P) { EXPECT_TRUE(P.LoadFromFile(Path)); }, 4, 2},
      {"assigned an empty picture", false, [&](TPicture& P) { P.Assign(Empty); }, 0, 0},
      {"cleared", false, [](TPicture& P) { P.Clear(); }, 0, 0},
  };
  TPicture P;
  int Changes = 0;
  P.OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, nullptr);
    ++Changes;
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    if (K.StartEmpty)
      P.Clear();
    else
      P.Assign(Filled);
    Changes = 0;
    K.Change(P);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(P.Width(), K.Width);
    EXPECT_EQ(P.Height(), K.Height);
  }
  P.Clear();
  Changes = 0;
  P.Bitmap();
  EXPECT_EQ(Changes, 1);
  EXPECT_NE(P.Graphic(), nullptr);
  P.Bitmap();  // already there
  EXPECT_EQ(Changes, 1);
  EXPECT_FALSE(P.LoadFromFile("/nonexistent.bmp"));
  EXPECT_EQ(Changes, 1);
  std::remove(Path.c_str());
}

TEST(Picture, AssignCopiesThePixels) {
  TPicture Source;
  Source.Bitmap()->SetPixelFormat(pf24bit);
  Source.Bitmap()->SetSize(3, 3);
  Paint(*Source.Bitmap());
  TPicture Copy;
  Copy.Assign(Source);
  ASSERT_NE(Copy.Graphic(), Source.Graphic());
  EXPECT_EQ(Copy.Bitmap()->PixelFormat(), pf24bit);
  Source.Bitmap()->Canvas().SetPixel(1, 1, clRed);
  ExpectPattern(*Copy.Bitmap(), 3, 3);
}

// A 24-bit picture is drawn from a 32-bit copy; a change to its rows must show at the next draw.
TEST(Bitmap, DrawingA24BitBitmapFollowsItsChanges) {
  TBitmap source;
  source.SetPixelFormat(pf24bit);
  source.SetSize(2, 1);
  auto setRed = [&](std::uint8_t red) {
    std::uint8_t* row = source.ScanLine(0);
    for (int x = 0; x < 2; ++x) {
      row[3 * x] = 0;
      row[3 * x + 1] = 0;
      row[3 * x + 2] = red;
    }
  };
  TBitmap target;
  target.SetSize(2, 1);
  for (std::uint8_t red : {std::uint8_t{10}, std::uint8_t{200}}) {
    setRed(red);
    target.Canvas().Draw(0, 0, &source);
    EXPECT_EQ(target.Canvas().Pixel(1, 0), RGB(red, 0, 0));
  }
}

// A picture as large as the card goes through the conversions in bands of rows; every
// row must arrive, in the file, in its drawing copy and after a change of format.
TEST(Bitmap, LargeBitmapsArriveWholeThroughEveryConversion) {
  // 301 pixels a row: whole groups of four and one left over.
  const int W = 301, H = 240;
  const std::string Path = WriteTemp("large.bmp", MakeBmp(W, H, 24));
  TBitmap B;
  ASSERT_TRUE(B.LoadFromFile(Path));
  std::remove(Path.c_str());
  ExpectPattern(B, W, H);
  TBitmap Target;
  Target.SetSize(W, H);
  Target.Canvas().Draw(0, 0, &B);
  ExpectPattern(Target, W, H);
  // A copy shares the pixels and their drawing copy until either side writes.
  TBitmap Copy;
  Copy.Assign(B);
  Copy.ScanLine(0)[2] = 7;
  Target.Canvas().Draw(0, 0, &Copy);
  EXPECT_EQ(Target.Canvas().Pixel(0, 0), RGB(7, GetGValue(Pattern(0, 0)), GetBValue(Pattern(0, 0))));
  Target.Canvas().Draw(0, 0, &B);
  EXPECT_EQ(Target.Canvas().Pixel(0, 0), Pattern(0, 0));
  // The drawing copy made at loading follows a change of the pixels.
  std::uint8_t* Last = B.ScanLine(H - 1);
  Last[3 * (W - 1)] = 1;
  Last[3 * (W - 1) + 1] = 2;
  Last[3 * (W - 1) + 2] = 3;
  Target.Canvas().Draw(0, 0, &B);
  EXPECT_EQ(Target.Canvas().Pixel(W - 1, H - 1), RGB(3, 2, 1));
  EXPECT_EQ(Target.Canvas().Pixel(W - 2, H - 1), Pattern(W - 2, H - 1));
  B.SetPixelFormat(pf32bit);
  EXPECT_EQ(B.Canvas().Pixel(W - 1, H - 1), RGB(3, 2, 1));
  B.Canvas().SetPixel(W - 1, H - 1, Pattern(W - 1, H - 1));
  B.SetPixelFormat(pf24bit);
  ExpectPattern(B, W, H);
}

// The base-address switch bank: reading the address text, the switch geometry,
// the knobs and labels on the painted picture, and the oriented drawing.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "setupctrls/BaseAddress.h"
#include "toolkit/Exceptions.h"
#include "toolkit/Panel.h"

namespace {

// Counts the repaint requests of a switch bank.
class CountingBank : public TBaseAddress {
 public:
  using TBaseAddress::TBaseAddress;
  void Invalidate() override {
    ++Invalidations;
    TBaseAddress::Invalidate();
  }
  int Invalidations = 0;
};

// A switch bank on a board panel, painted off screen through the panel's paint pass.
class BankTest : public ::testing::Test {
 protected:
  BankTest() {
    Board.SetBounds(0, 0, 240, 140);
    Bank->SetParent(&Board);
    Bank->SetLeft(7);
    Bank->SetTop(5);
  }

  void Paint() {
    Surface = QImage(Board.Width(), Board.Height(), QImage::Format_RGB32);
    Surface.fill(qRgb(255, 0, 255));
    Board.PaintHandler(Surface, Board.ClientRect());
  }

  // Paints until the control has taken the size its orientation asks for.
  void PaintSettled() {
    Paint();
    Paint();
  }

  // A pixel of the bank, in the bank's own coordinates.
  TColor At(int X, int Y) const {
    const QRgb P = Surface.pixel(Bank->Left() + X, Bank->Top() + Y);
    return RGB(qRed(P), qGreen(P), qBlue(P));
  }

  std::vector<TColor> Pixels() const {
    std::vector<TColor> All;
    for (int Y = 0; Y < Bank->Height(); ++Y)
      for (int X = 0; X < Bank->Width(); ++X) All.push_back(At(X, Y));
    return All;
  }

  // One letter a switch of the upright picture: 'O' knob at the ON end, '-' at the far
  // end, '?' for anything else. Checks the knob's inside and the slot beside its edge.
  std::string Knobs() const {
    const int N = Bank->NumSwitches();
    const TSwitchGeometry G = SwitchGeometry(Bank->Width(), Bank->Height(), N, SwitchLabelFont().PixelHeight());
    const TColor Knob = Bank->SwitchColor();
    const int OnInside = 13 + G.K / 2, OnEdge = 13 + G.K - 1;
    const int OffInside = G.Y - 3 - G.K / 2 - 1, OffEdge = G.Y - 3 - G.K;
    std::string Result;
    for (int I = 0; I < N; ++I) {
      const int X = G.SwitchLeft(I) + G.SW / 2;
      const bool On = At(X, OnInside) == Knob && At(X, OnEdge) == clBlack && At(X, OnEdge + 1) == clGray &&
                      At(X, OffInside) == clGray;
      const bool Off = At(X, OffInside) == Knob && At(X, OffEdge) == clBlack && At(X, OffEdge - 1) == clGray &&
                       At(X, OnInside) == clGray;
      Result += On ? 'O' : Off ? '-' : '?';
    }
    return Result;
  }

  // Whether Text, drawn in white in the label font with its top-left corner at (X, Y)
  // of the bank, shows there: within the rows and the width of its glyphs, the bank
  // is white exactly where the text has ink.
  bool ShowsText(int X, int Y, const std::string& Text) const {
    constexpr int BoxW = 30, BoxH = 20;
    TBitmap Ref;
    Ref.SetSize(BoxW, BoxH);
    TCanvas& C = Ref.Canvas();
    C.Brush.Color = clGreen;
    C.FillRect(Rect(0, 0, BoxW, BoxH));
    C.Font = SwitchLabelFont();
    C.Brush.Style = bsClear;
    C.TextOut(0, 0, Text);
    const int Width = C.TextWidth(Text);
    int FirstRow = BoxH, LastRow = -1;
    for (int RY = 0; RY < BoxH; ++RY)
      for (int RX = 0; RX < Width; ++RX)
        if (C.Pixel(RX, RY) == clWhite) {
          FirstRow = std::min(FirstRow, RY);
          LastRow = std::max(LastRow, RY);
        }
    if (LastRow < 0) return false;
    for (int RY = FirstRow; RY <= LastRow && Y + RY < Bank->Height(); ++RY)
      for (int RX = 0; RX < Width; ++RX)
        if ((C.Pixel(RX, RY) == clWhite) != (At(X + RX, Y + RY) == clWhite)) return false;
    return true;
  }

  // The label rows of every switch, as "A<line>" texts where both rows match.
  std::vector<std::string> Labels() const {
    const int N = Bank->NumSwitches();
    const int FH = SwitchLabelFont().PixelHeight();
    const TSwitchGeometry G = SwitchGeometry(Bank->Width(), Bank->Height(), N, FH);
    TBitmap Measure;
    Measure.Canvas().Font = SwitchLabelFont();
    const int LetterWidth = Measure.Canvas().TextWidth("A");
    std::vector<std::string> Result;
    for (int I = 0; I < N; ++I) {
      const int TX = G.SwitchLeft(I) + G.SW / 2 - LetterWidth / 2;
      std::string Label = ShowsText(TX, G.Y, "A") ? "A" : "?";
      for (int Line = 0; Line <= 9; ++Line)
        if (ShowsText(TX, G.Y + FH - 1, std::to_string(Line))) Label += std::to_string(Line);
      Result.push_back(Label);
    }
    return Result;
  }

  TPanel Board{nullptr};
  CountingBank* Bank = new CountingBank(nullptr);  // freed with its parent
  QImage Surface;
};

// ---------------------------------------------------------------- address text

struct AddressCase {
  std::vector<std::string> Texts;  // set one after the other on a new control
  std::int32_t Address;
  const char* Str;
  int Repaints;
};

TEST(BaseAddressTextTest, KeepsOnlyTheSwitchBits) {
  const std::vector<AddressCase> Cases{
      {{"200"}, 0x200, "200", 1},
      {{"3f0"}, 0x3F0, "3F0", 1},
      {{"0x2a8"}, 0x2A8, "2A8", 1},  // the "X" goes, the "0" before it stays
      {{"$1f8"}, 0x1F8, "1F8", 1},
      {{"FFF"}, 0x3F8, "3F8", 1},
      {{"200", "201"}, 0x200, "200", 1},  // A0 has no switch
      {{"7"}, 0, "0", 0},
      {{"200", ""}, 0x200, "200", 1},
      {{"200", "xyz"}, 0x200, "200", 1},
      {{"200", "0"}, 0, "0", 2},
      {{"0000000000208"}, 0x208, "208", 1},  // leading zeros are not significant
      {{"80000200"}, 0x200, "200", 1},       // top bit set: a negative number, masked alike
      {{"FFFFFFFF"}, 0x3F8, "3F8", 1},
  };
  for (const AddressCase& Case : Cases) {
    SCOPED_TRACE(Case.Texts.back());
    CountingBank Counted(nullptr);
    for (const std::string& Text : Case.Texts) Counted.SetBaseAddressStr(Text);
    EXPECT_EQ(Counted.Address(), Case.Address);
    EXPECT_EQ(Counted.BaseAddressStr(), Case.Str);
    EXPECT_EQ(Counted.Invalidations, Case.Repaints);
  }
}

TEST_F(BankTest, MoreThanEightSignificantDigitsRaiseTheConversionError) {
  Bank->SetBaseAddressStr("200");
  const std::vector<std::pair<std::string, std::string>> Cases{
      {"123456789", "'$123456789' is not a valid integer value"},
      {"0x1FFFFFFFF", "'$01FFFFFFFF' is not a valid integer value"},
  };
  for (const auto& [Text, Message] : Cases) {
    SCOPED_TRACE(Text);
    try {
      Bank->SetBaseAddressStr(Text);
      ADD_FAILURE() << "no error raised";
    } catch (const EConvertError& E) {
      EXPECT_EQ(std::string(E.what()), Message);
    }
    EXPECT_EQ(Bank->Address(), 0x200);
    EXPECT_EQ(Bank->BaseAddressStr(), "200");
  }
}

// ---------------------------------------------------------------- geometry and picture

TEST(SwitchGeometryTest, FiguresFollowFontHeightAndSwitchCount) {
  EXPECT_EQ(SwitchLabelFont().PixelHeight(), 11);
  struct Case {
    int W, H, N;
    int Y, K, SW, G, P;
  };
  const std::vector<Case> Cases{
      {102, 61, 7, 38, 9, 12, 3, 14},
      {102, 61, 3, 38, 9, 24, 10, 33},
      {102, 61, 10, 38, 9, 9, 1, 9},
      {61, 102, 7, 79, 26, 7, 2, 8},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::to_string(C.W) + "x" + std::to_string(C.H) + " N=" + std::to_string(C.N));
    const TSwitchGeometry G = SwitchGeometry(C.W, C.H, C.N, 11);
    EXPECT_EQ(G.Y, C.Y);
    EXPECT_EQ(G.K, C.K);
    EXPECT_EQ(G.SW, C.SW);
    EXPECT_EQ(G.G, C.G);
    EXPECT_EQ(G.P, C.P);
  }
  const TSwitchGeometry G = SwitchGeometry(102, 61, 7, 11);
  std::vector<int> Lefts;
  for (int I = 0; I < 7; ++I) Lefts.push_back(G.SwitchLeft(I));
  EXPECT_EQ(Lefts, (std::vector<int>{3, 17, 31, 45, 59, 73, 87}));
}

TEST_F(BankTest, DefaultPictureHasBodySlotsKnobsAndLabels) {
  Bank->SetBaseAddressStr("200");
  Paint();
  ASSERT_EQ(Bank->Width(), 102);
  ASSERT_EQ(Bank->Height(), 61);
  // Body above y 38, green label band below, slot of switch 0 from y 13 to 35.
  EXPECT_EQ(At(101, 0), clBlack);
  EXPECT_EQ(At(101, 37), clBlack);
  EXPECT_EQ(At(101, 38), clGreen);
  EXPECT_EQ(At(101, 60), clGreen);
  EXPECT_EQ(At(3, 12), clBlack);
  EXPECT_EQ(At(3, 13), clBlack);   // slot outline
  EXPECT_EQ(At(4, 24), clGray);    // slot inside between the knob ends
  EXPECT_EQ(At(15, 24), clBlack);  // right outline at x_0 + SW - 1
  EXPECT_EQ(At(16, 24), clBlack);  // body again
  EXPECT_EQ(At(9, 34), clBlack);   // slot bottom outline at Y - 4
  EXPECT_EQ(At(9, 35), clBlack);
  EXPECT_TRUE(ShowsText(0, 0, "ON"));
  EXPECT_EQ(Labels(), (std::vector<std::string>{"A3", "A4", "A5", "A6", "A7", "A8", "A9"}));
  EXPECT_EQ(Knobs(), "OOOOOO-");
}

TEST_F(BankTest, KnobsShowTheAddressBits) {
  struct Case {
    const char* Text;
    bool OnIsOne;
    bool LeftToRight;
    const char* Knobs;
  };
  const std::vector<Case> Cases{
      {"200", false, false, "OOOOOO-"}, {"3F0", false, false, "O------"}, {"0", false, false, "OOOOOOO"},
      {"3F8", false, false, "-------"}, {"208", false, false, "-OOOOO-"}, {"200", true, false, "------O"},
      {"3F0", true, false, "-OOOOOO"},  {"200", false, true, "-OOOOOO"}, {"208", false, true, "-OOOOO-"},
      {"300", false, true, "--OOOOO"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.Text) + (C.OnIsOne ? " on-is-one" : "") + (C.LeftToRight ? " left-to-right" : ""));
    Bank->SetBaseAddressStr(C.Text);
    Bank->SetOnIsOne(C.OnIsOne);
    Bank->SetLeftToRight(C.LeftToRight);
    Paint();
    EXPECT_EQ(Knobs(), C.Knobs);
  }
}

TEST_F(BankTest, LeftToRightLabelsNameTheLinesTheSwitchesShow) {
  Bank->SetBaseAddressStr("300");
  Bank->SetLeftToRight(true);
  Paint();
  EXPECT_EQ(Labels(), (std::vector<std::string>{"A9", "A8", "A7", "A6", "A5", "A4", "A3"}));
  EXPECT_EQ(Knobs(), "--OOOOO");
}

TEST_F(BankTest, SwitchColorFillsTheKnobs) {
  Bank->SetSwitchColor(clRed);
  Bank->SetBaseAddressStr("3F0");
  Paint();
  EXPECT_EQ(Knobs(), "O------");
  EXPECT_EQ(At(9, 17), clRed);
}

TEST_F(BankTest, FewerSwitchesDrawTheTopLinesAndKeepTheAddress) {
  Bank->SetBaseAddressStr("3F8");
  const int Before = Bank->Invalidations;
  Bank->SetNumSwitches(3);
  EXPECT_EQ(Bank->Invalidations, Before + 1);
  EXPECT_EQ(Bank->Address(), 0x3F8);
  EXPECT_EQ(Bank->BaseAddressStr(), "3F8");
  Paint();
  EXPECT_EQ(Labels(), (std::vector<std::string>{"A7", "A8", "A9"}));
  EXPECT_EQ(Knobs(), "---");
  EXPECT_EQ(At(9, 24), clBlack);  // where the first of seven slots was, body now
  // The mask follows the switch count from now on: A3 has no switch any more.
  Bank->SetBaseAddressStr("208");
  EXPECT_EQ(Bank->BaseAddressStr(), "200");
}

TEST_F(BankTest, SwitchCountOutsideOneToTenIsRefused) {
  for (int Value : {0, 11, 255, -1}) {
    SCOPED_TRACE(Value);
    Bank->SetNumSwitches(Value);
    EXPECT_EQ(Bank->NumSwitches(), 7);
  }
  Bank->SetNumSwitches(10);
  EXPECT_EQ(Bank->NumSwitches(), 10);
  Bank->SetBaseAddressStr("FFFF");
  EXPECT_EQ(Bank->BaseAddressStr(), "3FF");
  Paint();
  EXPECT_EQ(Knobs(), "----------");
  EXPECT_EQ(Labels().front(), "A0");
}

// ---------------------------------------------------------------- orientation

// Where the pixel (X, Y) of a turned picture comes from in the upright W x H picture.
using SourceOf = std::function<std::pair<int, int>(int X, int Y, int W, int H)>;

TEST_F(BankTest, OrientationTurnsTheUprightPicture) {
  struct Case {
    TOrientationType Orientation;
    int Width, Height;
    SourceOf Source;
  };
  const std::vector<Case> Cases{
      {otUp, 102, 61, [](int X, int Y, int, int) { return std::make_pair(X, Y); }},
      {otDown, 102, 61, [](int X, int Y, int W, int H) { return std::make_pair(W - 1 - X, H - 1 - Y); }},
      {otLeft, 61, 102, [](int X, int Y, int W, int) { return std::make_pair(W - 1 - Y, X); }},
      {otRight, 61, 102, [](int X, int Y, int, int H) { return std::make_pair(Y, H - 1 - X); }},
  };
  Bank->SetBaseAddressStr("2A8");
  Paint();
  const std::vector<TColor> Upright = Pixels();
  for (const Case& C : Cases) {
    SCOPED_TRACE(static_cast<int>(C.Orientation));
    Bank->SetOrientation(C.Orientation);
    PaintSettled();
    ASSERT_EQ(Bank->Width(), C.Width);
    ASSERT_EQ(Bank->Height(), C.Height);
    EXPECT_EQ(Bank->WorkBitmap().Width(), 102);
    EXPECT_EQ(Bank->WorkBitmap().Height(), 61);
    int Wrong = 0;
    for (int Y = 0; Y < C.Height; ++Y)
      for (int X = 0; X < C.Width; ++X) {
        const auto [SX, SY] = C.Source(X, Y, 102, 61);
        if (At(X, Y) != Upright[static_cast<size_t>(SY * 102 + SX)]) ++Wrong;
      }
    EXPECT_EQ(Wrong, 0);
  }
}

TEST_F(BankTest, QuarterTurnPutsOnAtBottomLeftAndA3AtTheBottom) {
  Bank->SetBaseAddressStr("3F0");  // only A3 ON
  Paint();
  Bank->SetOrientation(otLeft);
  PaintSettled();
  ASSERT_EQ(Bank->Width(), 61);
  ASSERT_EQ(Bank->Height(), 102);
  // The body's top edge faces left: its column 0 is black, the label band at the right.
  EXPECT_EQ(At(0, 50), clBlack);
  EXPECT_EQ(At(60, 50), clGreen);
  // A3's knob stands at the ON end, at the left of the bottom switch.
  EXPECT_EQ(At(17, 101 - 9), clWhite);
  EXPECT_EQ(At(30, 101 - 9), clGray);
  // The next switch up (A4) is OFF.
  EXPECT_EQ(At(30, 101 - 23), clWhite);
  // "ON" reads upward in the bottom-left corner, and nowhere near the top.
  int InkBottomLeft = 0, InkTopLeft = 0;
  for (int X = 0; X < 13; ++X)
    for (int Y = 0; Y < 20; ++Y) {
      InkBottomLeft += At(X, 101 - Y) == clWhite;
      InkTopLeft += At(X, Y) == clWhite;
    }
  EXPECT_GT(InkBottomLeft, 0);
  EXPECT_EQ(InkTopLeft, 0);
}

TEST_F(BankTest, SizeSwapsOnlyWhenThePairChangesSinceTheLastPaint) {
  struct Step {
    std::vector<TOrientationType> Changes;  // made between two paints
    int Width, Height;
  };
  const std::vector<Step> Steps{
      {{otDown}, 102, 61},       {{otLeft}, 61, 102},          {{otRight}, 61, 102},
      {{otLeft, otDown}, 102, 61}, {{otLeft, otUp}, 102, 61}, {{otRight, otDown, otLeft}, 61, 102},
      {{otUp}, 102, 61},
  };
  Paint();
  for (const Step& S : Steps) {
    SCOPED_TRACE(std::to_string(S.Width) + "x" + std::to_string(S.Height));
    for (TOrientationType O : S.Changes) Bank->SetOrientation(O);
    PaintSettled();
    EXPECT_EQ(Bank->Width(), S.Width);
    EXPECT_EQ(Bank->Height(), S.Height);
  }
}

TEST_F(BankTest, ControlCreatedSidewaysKeepsItsSizeAtTheFirstPaint) {
  CountingBank* Upright = new CountingBank(nullptr);
  Upright->SetParent(&Board);
  Upright->SetBounds(100, 5, 102, 61);
  Upright->SetBaseAddressStr("200");
  Bank->SetBounds(7, 5, 61, 102);
  Bank->SetOrientation(otLeft);
  Bank->SetBaseAddressStr("200");
  Paint();
  EXPECT_EQ(Bank->Width(), 61);
  EXPECT_EQ(Bank->Height(), 102);
  EXPECT_EQ(Bank->WorkBitmap().Width(), 102);
  EXPECT_EQ(Bank->WorkBitmap().Height(), 61);
  // The sideways bank shows the upright bank turned a quarter counter-clockwise.
  int Wrong = 0;
  for (int Y = 0; Y < 102; ++Y)
    for (int X = 0; X < 61; ++X) {
      const QRgb P = Surface.pixel(Upright->Left() + 101 - Y, Upright->Top() + X);
      if (At(X, Y) != RGB(qRed(P), qGreen(P), qBlue(P))) ++Wrong;
    }
  EXPECT_EQ(Wrong, 0);
}

TEST_F(BankTest, SettersRepaintOnlyOnChange) {
  struct Case {
    const char* Name;
    std::function<void(TBaseAddress&)> SameValue;
    std::function<void(TBaseAddress&)> NewValue;
  };
  const std::vector<Case> Cases{
      {"SwitchColor", [](TBaseAddress& B) { B.SetSwitchColor(clWhite); },
       [](TBaseAddress& B) { B.SetSwitchColor(clRed); }},
      {"OnIsOne", [](TBaseAddress& B) { B.SetOnIsOne(false); }, [](TBaseAddress& B) { B.SetOnIsOne(true); }},
      {"LeftToRight", [](TBaseAddress& B) { B.SetLeftToRight(false); },
       [](TBaseAddress& B) { B.SetLeftToRight(true); }},
      {"NumSwitches", [](TBaseAddress& B) { B.SetNumSwitches(7); }, [](TBaseAddress& B) { B.SetNumSwitches(4); }},
      {"Orientation", [](TBaseAddress& B) { B.SetOrientation(otUp); },
       [](TBaseAddress& B) { B.SetOrientation(otDown); }},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    CountingBank B(nullptr);
    const int Start = B.Invalidations;
    C.SameValue(B);
    EXPECT_EQ(B.Invalidations, Start);
    C.NewValue(B);
    EXPECT_EQ(B.Invalidations, Start + 1);
  }
}

}  // namespace

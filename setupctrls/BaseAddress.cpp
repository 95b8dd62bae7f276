#include "setupctrls/BaseAddress.h"

#include <cstdio>

#include "toolkit/Exceptions.h"

namespace {

constexpr int MinSwitches = 1;
constexpr int MaxSwitches = 10;  // the switches cover at most the lines A0 to A9
constexpr int SlotTop = 13;

bool IsHexDigit(char C) { return (C >= '0' && C <= '9') || (C >= 'A' && C <= 'F'); }

int HexValue(char C) { return C <= '9' ? C - '0' : C - 'A' + 10; }

// The upper-case hex digits of Text in their order; everything else is dropped.
std::string KeptDigits(const std::string& Text) {
  std::string Digits;
  for (char C : Text) {
    if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 'a' + 'A');
    if (IsHexDigit(C)) Digits += C;
  }
  return Digits;
}

// Reads the digits as a 32-bit number. Eight digits with the top bit set stand for a
// negative number, whose bits are the same; more than eight significant digits do not fit.
std::uint32_t ReadHex(const std::string& Digits) {
  int Significant = 0;
  std::uint32_t Value = 0;
  for (char C : Digits) {
    if (Significant == 0 && C == '0') continue;
    if (++Significant > 8) throw EConvertError("'$" + Digits + "' is not a valid integer value");
    Value = (Value << 4) | static_cast<std::uint32_t>(HexValue(C));
  }
  return Value;
}

// Address bits 10 - N to 9.
std::uint32_t SwitchMask(int N) {
  std::uint32_t Mask = 0;
  for (int J = 0; J < N; ++J) Mask |= 1u << (9 - J);
  return Mask;
}

std::string ToHex(std::uint32_t Value) {
  char Buffer[16];
  std::snprintf(Buffer, sizeof Buffer, "%X", static_cast<unsigned>(Value));
  return Buffer;
}

}  // namespace

TSwitchGeometry SwitchGeometry(int W, int H, int N, int FontHeight) {
  TSwitchGeometry G;
  G.Y = H - (2 * FontHeight + 1);
  // 85 per cent of half the free height, cut toward zero; kept in integers so that
  // no rounding of 0.85 can move a whole number below itself.
  G.K = (G.Y - 16) / 2 * 85 / 100;
  G.SW = (W - 3) / (N + 1);
  G.G = (W - 3 - N * G.SW) / N + 1;
  G.P = G.SW + G.G - 1;
  return G;
}

TFont SwitchLabelFont() {
  TFont F;
  F.Name = "MS Sans Serif";
  F.Size = 8;
  F.Color = clWhite;
  return F;
}

TBaseAddress::TBaseAddress(TComponent* AOwner) : TOrientedGraphic(AOwner) { SetBounds(Left(), Top(), 102, 61); }

void TBaseAddress::SetBaseAddressStr(const std::string& Value) {
  const std::string Digits = KeptDigits(Value);
  if (Digits.empty()) return;
  const auto V = static_cast<std::int32_t>(ReadHex(Digits) & SwitchMask(FNumSwitches));
  if (V == FAddress) return;
  FAddress = V;
  FBaseAddressStr = ToHex(static_cast<std::uint32_t>(V));
  Invalidate();
}

void TBaseAddress::SetNumSwitches(int Value) {
  if (Value < MinSwitches || Value > MaxSwitches || Value == FNumSwitches) return;
  FNumSwitches = static_cast<std::uint8_t>(Value);
  Invalidate();
}

void TBaseAddress::SetSwitchColor(TColor Value) {
  if (Value == FSwitchColor) return;
  FSwitchColor = Value;
  Invalidate();
}

void TBaseAddress::SetOnIsOne(bool Value) {
  if (Value == FOnIsOne) return;
  FOnIsOne = Value;
  Invalidate();
}

void TBaseAddress::SetLeftToRight(bool Value) {
  if (Value == FLeftToRight) return;
  FLeftToRight = Value;
  Invalidate();
}

int TBaseAddress::LineOfSwitch(int I) const { return FLeftToRight ? 9 - I : 10 - FNumSwitches + I; }

void TBaseAddress::ComposeUpright(TBitmap& Work, int W, int H) {
  TCanvas& C = Work.Canvas();
  const TPen SavedPen = C.Pen;
  const TBrush SavedBrush = C.Brush;
  const int N = FNumSwitches;
  C.Font = SwitchLabelFont();
  const int FontHeight = C.Font.PixelHeight();
  const TSwitchGeometry G = SwitchGeometry(W, H, N, FontHeight);

  C.Pen = TPen{};
  C.Pen.Color = clBlack;
  C.Brush = TBrush{clBlack, bsSolid};
  C.Rectangle(0, 0, W, G.Y);  // the switch body
  C.Brush.Color = clGreen;
  C.FillRect(Rect(0, G.Y, W, H));  // the label band

  C.Brush.Style = bsClear;
  C.TextOut(0, 0, "ON");

  C.Brush = TBrush{clGray, bsSolid};
  for (int I = 0; I < N; ++I) C.Rectangle(G.SwitchLeft(I), SlotTop, G.SwitchLeft(I) + G.SW, G.Y - 3);

  // The digits are placed by the width of "A", so that both rows of a label start together.
  const int LetterWidth = C.TextWidth("A");
  for (int I = 0; I < N; ++I) {
    const int X = G.SwitchLeft(I);
    const int Line = LineOfSwitch(I);
    const int TextX = X + G.SW / 2 - LetterWidth / 2;
    C.Brush.Style = bsClear;
    C.TextOut(TextX, G.Y, "A");
    C.TextOut(TextX, G.Y + FontHeight - 1, std::to_string(Line));

    const bool BitSet = ((static_cast<std::uint32_t>(FAddress) >> Line) & 1u) != 0;
    const bool On = BitSet == FOnIsOne;
    C.Brush = TBrush{FSwitchColor, bsSolid};
    if (On)
      C.Rectangle(X, SlotTop, X + G.SW, SlotTop + G.K);  // toward the "ON" legend
    else
      C.Rectangle(X, G.Y - 3 - G.K, X + G.SW, G.Y - 3);
  }
  C.Pen = SavedPen;
  C.Brush = SavedBrush;
}

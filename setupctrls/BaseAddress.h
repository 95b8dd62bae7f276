// The card's base-address switch bank: a row of slide switches, each labelled
// with the address line it decodes and set for the address given as hex text.
#pragma once

#include <cstdint>
#include <string>

#include "setupctrls/OrientedDrawing.h"
#include "toolkit/Font.h"

// Where the parts of the upright bank lie, for a picture of width W and height H.
struct TSwitchGeometry {
  int Y = 0;   // bottom of the black switch body, top of the label band
  int K = 0;   // knob length
  int SW = 0;  // slot width
  int G = 0;   // gap before the first switch
  int P = 0;   // pitch from one switch to the next
  // Left edge of switch I, counted from 0 at the left of the upright picture.
  int SwitchLeft(int I) const { return I * P + G; }
};

// N switches (1 to 10) whose labels use a font FontHeight pixels high.
TSwitchGeometry SwitchGeometry(int W, int H, int N, int FontHeight);

// The label font: white 8-point "MS Sans Serif" (or the nearest face the toolkit has).
TFont SwitchLabelFont();

class TBaseAddress : public TOrientedGraphic {
  TK_CLASS_NAME(TBaseAddress)
 public:
  explicit TBaseAddress(TComponent* AOwner);

  // Cleans the hex text, keeps the bits the switches decode and stores the result
  // back as upper-case hex. Throws EConvertError for more than eight significant
  // digits, leaving the address as it was.
  const std::string& BaseAddressStr() const { return FBaseAddressStr; }
  void SetBaseAddressStr(const std::string& Value);
  // The address as a number, holding only switch bits.
  std::int32_t Address() const { return FAddress; }

  // 1 to 10 switches decode the lines A(10 - N) to A9; other values are refused.
  std::uint8_t NumSwitches() const { return FNumSwitches; }
  void SetNumSwitches(int Value);

  TColor SwitchColor() const { return FSwitchColor; }
  void SetSwitchColor(TColor Value);
  // False: a 0 address bit puts its switch ON; True: a 1 bit does.
  bool OnIsOne() const { return FOnIsOne; }
  void SetOnIsOne(bool Value);
  // True puts A9 at the left of the bank, labels included.
  bool LeftToRight() const { return FLeftToRight; }
  void SetLeftToRight(bool Value);

  // The address line that switch I shows.
  int LineOfSwitch(int I) const;

 protected:
  void ComposeUpright(TBitmap& Work, int W, int H) override;

 private:
  std::uint8_t FNumSwitches = 7;
  std::int32_t FAddress = 0;
  std::string FBaseAddressStr = "0";
  TColor FSwitchColor = clWhite;
  bool FOnIsOne = false;
  bool FLeftToRight = false;
};

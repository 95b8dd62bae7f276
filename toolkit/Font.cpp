#include "Font.h"

#include <cstdlib>

namespace {

// Number * Numerator / Denominator rounded to the nearest integer, halves away from zero.
int MulDiv(int Number, int Numerator, int Denominator) {
  long long Product = static_cast<long long>(Number) * Numerator;
  long long Magnitude = (std::llabs(Product) + Denominator / 2) / Denominator;
  return static_cast<int>(Product < 0 ? -Magnitude : Magnitude);
}

}  // namespace

void TFont::SetHeight(int Height) {
  // A positive height would be the cell height including internal leading; the
  // window definitions only store negative heights, so both are taken as character height.
  Size = MulDiv(std::abs(Height), 72, 96);
}

int TFont::PixelHeight() const { return MulDiv(Size, 96, 72); }

#include "BaseAddressInput.h"

#include <cstdint>
#include <cstdio>

namespace {
constexpr std::uint32_t kLowest = 0x100;
constexpr std::uint32_t kHighest = 0x3F0;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}
}  // namespace

std::string NormaliseBaseAddress(const std::string& Text) {
  // Any number above 0xFFFF is far above the highest address, so the value is
  // only followed while it stays small: nothing can overflow.
  std::uint32_t value = 0;
  bool large = false;
  for (char c : Text) {
    const int digit = HexValue(c);
    if (digit < 0 || large) continue;
    value = value * 16 + static_cast<std::uint32_t>(digit);
    if (value > 0xFFFF) large = true;
  }
  std::uint32_t address = kHighest;
  if (!large) {
    std::uint32_t q = value / 8;
    const std::uint32_t rest = value % 8;
    if (rest > 4 || (rest == 4 && (q % 2) == 1)) ++q;
    address = q * 8;
    if (address < kLowest) address = kLowest;
    if (address > kHighest) address = kHighest;
  }
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(address));
  return buffer;
}

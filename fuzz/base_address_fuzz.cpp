// libFuzzer target for the base-address repair (not part of the normal build).
//
// Build and run from the source root with clang:
//   clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
//     -I. fuzz/base_address_fuzz.cpp app/BaseAddressInput.cpp -o /tmp/base_address_fuzz
//   /tmp/base_address_fuzz -max_len=512 -max_total_time=300
//
// Whatever the user pastes into the box, the repaired address must be one the card
// accepts: upper-case hexadecimal without leading zeros, a multiple of 8 from 100 to
// 3F0. When the entry's digits make a number that fits in 64 bits, the result must be
// the multiple of 8 nearest to it (the even one of two equally near), kept in range;
// a longer number is above the range and gives 3F0.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/BaseAddressInput.h"

namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The nearest multiple of 8, reckoned on the distances to the multiples on either
// side so that it does not share the arithmetic of the code under test.
std::uint64_t ExpectedAddress(std::uint64_t Value) {
  const std::uint64_t below = Value - Value % 8;
  const std::uint64_t up = 8 - Value % 8;  // distance to the multiple above
  const std::uint64_t down = Value % 8;
  std::uint64_t nearest = below;
  if (down > up || (down == up && (below / 8) % 2 == 1)) {
    // The multiple above the largest 64-bit values is beyond the range anyway.
    if (below > UINT64_MAX - 8) return 0x3F0;
    nearest = below + 8;
  }
  if (nearest < 0x100) return 0x100;
  if (nearest > 0x3F0) return 0x3F0;
  return nearest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string result = NormaliseBaseAddress(input);

  if (result.empty() || result.size() > 3 || result[0] == '0') std::abort();
  std::uint64_t shown = 0;
  for (char c : result) {
    const int d = DigitValue(c);
    if (d < 0 || (c >= 'a' && c <= 'f')) std::abort();
    shown = shown * 16 + static_cast<std::uint64_t>(d);
  }
  if (shown % 8 != 0 || shown < 0x100 || shown > 0x3F0) std::abort();

  std::uint64_t value = 0;
  int significant = 0;
  for (char c : input) {
    const int d = DigitValue(c);
    if (d < 0) continue;
    if (significant == 0 && d == 0) continue;
    ++significant;
    if (significant <= 16) value = value * 16 + static_cast<std::uint64_t>(d);
  }
  const std::uint64_t expected = significant > 16 ? 0x3F0 : ExpectedAddress(value);
  if (shown != expected) std::abort();
  return 0;
}

// Repairing a typed base address: the rule checked against an independent reckoning
// over many generated entries, and the text the box gets back.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "app/BaseAddressInput.h"

namespace {

__extension__ typedef unsigned __int128 Wide;

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

int DigitValue(char c) {
  if (c <= '9') return c - '0';
  return (c | 0x20) - 'a' + 10;
}

// The significant hexadecimal digits of the entry, leading zeros dropped.
std::string SignificantDigits(const std::string& Text) {
  std::string digits;
  for (char c : Text) {
    if (!IsHexDigit(c)) continue;
    if (digits.empty() && c == '0') continue;
    digits += c;
  }
  return digits;
}

// The address the rule gives for a value: the multiple of 8 closest to it, the even
// one of two equally close, kept from 0x100 to 0x3F0. Worked in 128 bits so that the
// multiple above the largest 64-bit values is still exact.
unsigned ReferenceAddress(std::uint64_t Value) {
  const Wide v = Value;
  const Wide below = v - v % 8;
  const Wide above = below + 8;
  Wide nearest;
  if (v - below < above - v)
    nearest = below;
  else if (v - below > above - v)
    nearest = above;
  else
    nearest = (below / 8) % 2 == 0 ? below : above;
  if (nearest < 0x100) return 0x100;
  if (nearest > 0x3F0) return 0x3F0;
  return static_cast<unsigned>(nearest);
}

std::string Hex(unsigned Value) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string s;
  do {
    s.insert(s.begin(), kDigits[Value % 16]);
    Value /= 16;
  } while (Value != 0);
  return s;
}

// Entries of several kinds: raw bytes, hex digits of both cases, long runs of digits,
// blanks, large numbers whose low digits are a small address, and small addresses
// dressed with leading zeros, blanks and other characters, which are the ones whose
// rounding and clamping matter.
class EntryGenerator {
 public:
  explicit EntryGenerator(std::uint32_t Seed) : FRandom(Seed) {}

  std::string Next() {
    switch (Pick(0, 5)) {
      case 0: return RawBytes();
      case 1: return FromAlphabet("0123456789abcdefABCDEF", Pick(0, 24));
      case 2: return FromAlphabet("0123456789ABCDEF", Pick(17, 200));
      case 3: return FromAlphabet("0123456789aF  \t", Pick(0, 40));
      case 4: return HighDigitsOverSmallAddress();
      default: return DressedAddress();
    }
  }

 private:
  int Pick(int Low, int High) { return std::uniform_int_distribution<int>(Low, High)(FRandom); }

  std::string RawBytes() {
    std::string s(static_cast<std::size_t>(Pick(0, 32)), '\0');
    for (char& c : s) c = static_cast<char>(static_cast<unsigned char>(Pick(0, 255)));
    return s;
  }

  std::string FromAlphabet(const std::string& Alphabet, int Length) {
    std::string s;
    const int last = static_cast<int>(Alphabet.size()) - 1;
    for (int i = 0; i < Length; ++i) s += Alphabet[static_cast<std::size_t>(Pick(0, last))];
    return s;
  }

  std::string DressedAddress() {
    std::string digits =
        std::string(static_cast<std::size_t>(Pick(0, 3)), '0') + Hex(static_cast<unsigned>(Pick(0, 0x600)));
    if (Pick(0, 1) == 1)
      for (char& c : digits)
        if (c >= 'A') c = static_cast<char>(c | 0x20);
    static const std::string kJunk = " ,.xXgG$-\t";
    std::string s;
    for (char c : digits) {
      if (Pick(0, 3) == 0) s += kJunk[static_cast<std::size_t>(Pick(0, static_cast<int>(kJunk.size()) - 1))];
      s += c;
    }
    return s;
  }

  // A few significant digits far to the left of a small address: the low bits look
  // like a valid address, so a value cut to a fixed width would pass for one.
  std::string HighDigitsOverSmallAddress() {
    return FromAlphabet("123456789ABCDEF", Pick(1, 3)) + std::string(static_cast<std::size_t>(Pick(0, 30)), '0') +
           std::string(2, '0') + Hex(static_cast<unsigned>(Pick(0, 0x600)));
  }

  std::mt19937 FRandom;
};

TEST(BaseAddressInput, GeneratedEntriesFollowTheRule) {
  EntryGenerator generator(20240917u);
  for (int i = 0; i < 50000; ++i) {
    const std::string entry = generator.Next();
    const std::string result = NormaliseBaseAddress(entry);
    SCOPED_TRACE("entry \"" + entry + "\" gave \"" + result + "\"");

    // Upper-case hexadecimal without leading zeros, a multiple of 8 from 100 to 3F0.
    ASSERT_FALSE(result.empty());
    ASSERT_NE(result[0], '0');
    unsigned shown = 0;
    for (char c : result) {
      ASSERT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'));
      shown = shown * 16 + static_cast<unsigned>(DigitValue(c));
    }
    ASSERT_EQ(shown % 8, 0u);
    ASSERT_GE(shown, 0x100u);
    ASSERT_LE(shown, 0x3F0u);

    const std::string digits = SignificantDigits(entry);
    if (digits.size() <= 16) {
      std::uint64_t value = 0;
      for (char c : digits) value = value * 16 + static_cast<std::uint64_t>(DigitValue(c));
      ASSERT_EQ(shown, ReferenceAddress(value));
    } else {
      // Seventeen significant digits are far above the highest address.
      ASSERT_EQ(result, "3F0");
    }
  }
}

TEST(BaseAddressInput, EdgesOfTheRule) {
  struct Row {
    const char* Entered;
    const char* Result;
  };
  const Row rows[] = {
      {"", "100"},
      {"$", "100"},
      {"FB", "100"},      // 0xF8 raised to the lowest address
      {"103", "100"},     // below the half
      {"105", "108"},     // above the half
      {"114", "110"},     // 34.5 eighths go to 34
      {"11C", "120"},     // 35.5 eighths go to 36
      {"3EC", "3F0"},     // 125.5 eighths go to 126
      {"3f3", "3F0"},
      {"FFFFFFFFFFFFFFFF", "3F0"},
      {"10000000000000000", "3F0"},
      {"0000000000000000000000000000000000000000104", "100"},
      {"\x80\xff\xe4" "2\xc3\xa4" "00", "200"},
  };
  for (const Row& row : rows) EXPECT_EQ(NormaliseBaseAddress(row.Entered), row.Result) << '"' << row.Entered << '"';
}

}  // namespace

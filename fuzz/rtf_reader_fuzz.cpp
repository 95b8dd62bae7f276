// libFuzzer target for the RTF reader (not part of the normal build).
//
// Build and run from the source root with clang:
//   clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
//     -I. fuzz/rtf_reader_fuzz.cpp toolkit/RtfReader.cpp -o /tmp/rtf_reader_fuzz
//   /tmp/rtf_reader_fuzz -max_len=4096 -max_total_time=300
//
// It checks what the reader promises for any input: no crash or undefined
// behaviour, valid UTF-8 in every run, no empty runs, a bounded paragraph count.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "toolkit/RtfReader.h"

namespace {

bool ValidUtf8(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    int len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0 || i + static_cast<std::size_t>(len) > s.size()) return false;
    std::uint32_t cp = len == 1 ? c : c & (0x7F >> len);
    for (int k = 1; k < len; ++k) {
      const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
      if ((b & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (b & 0x3F);
    }
    static const std::uint32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += static_cast<std::size_t>(len);
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const RtfDocument doc = ParseRtf(input);
  if (doc.paragraphs.size() > size / 2 + 1) std::abort();
  for (const RtfParagraph& p : doc.paragraphs) {
    for (const RtfRun& r : p.runs) {
      if (r.text.empty() || !ValidUtf8(r.text) || !ValidUtf8(r.fontName)) std::abort();
      if (!(r.pointSize >= 1.0 && r.pointSize <= 1638.0)) std::abort();
    }
  }
  return 0;
}

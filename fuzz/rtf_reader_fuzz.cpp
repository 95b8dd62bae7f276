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

#include "tests/support/Utf8.h"
#include "toolkit/RtfReader.h"

namespace {


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

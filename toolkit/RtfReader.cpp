// The RTF reader: a single pass over the input with a stack of group states.
#include "RtfReader.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kMaxDepth = 256;           // deeper groups are read as text-less
constexpr long long kMaxNumber = 1000000000;     // control word parameters clamp to +-this
constexpr std::size_t kMaxWordLength = 32;       // longer control words are unknown
constexpr std::size_t kMaxFontNameLength = 256;  // longer font names are cut
constexpr std::size_t kMaxColours = 65536;       // colour table entries beyond this are dropped
constexpr int kDefaultHalfPoints = 24;
constexpr char32_t kReplacement = 0xFFFD;

enum class Dest : std::uint8_t { Text, FontTable, ColourTable, Skip };

// What a group saves and its closing brace restores.
struct State {
  int font = -1;  // font table number; -1 the default font (\deff)
  int halfPoints = kDefaultHalfPoints;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int colour = -1;  // colour table index; -1 auto
  int uc = 1;       // characters to skip after \uN
  Dest dest = Dest::Text;
};

struct FontEntry {
  std::string name;
  RtfFontFamily family = RtfFontFamily::Nil;
};

struct Colour {
  bool isAuto = true;
  int rgb = 0;
};

bool IsAlpha(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
int HexValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Code page 1252 bytes 0x80..0x9F; the five unassigned ones give U+FFFD.
char32_t Cp1252(unsigned char b) {
  static const char32_t kHigh[32] = {
      0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
  if (b >= 0x80 && b <= 0x9F) return kHigh[b - 0x80];
  return b;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Destinations whose content is never text. Groups starting with \* are skipped too.
bool IsSkippedDestination(const std::string& w) {
  static const char* const kNames[] = {
      "stylesheet", "info",       "pict",        "header",      "headerl",    "headerr",
      "headerf",    "footer",     "footerl",     "footerr",     "footerf",    "generator",
      "filetbl",    "listtable",  "listoverridetable",          "revtbl",     "rsidtbl",
      "xmlnstbl",   "themedata",  "colorschememapping",         "latentstyles",
      "datastore",  "object",     "objdata",     "fldinst",     "falt",       "footnote",
      "annotation", "atnauthor",  "atnid",       "atndate",     "atnref",     "bkmkstart",
      "bkmkend",    "private",    "pgdsctbl",    "userprops",   "docvar",     "template",
      "nonshppict", "shpinst",    "sp",          "sn",          "sv",         "picprop",
      "blipuid",    "comment",    "author",      "operator",    "title",      "subject",
      "keywords",   "doccomm",    "creatim",     "revtim",      "printim",    "buptim",
      "company",    "manager",    "category",    "hlinkbase",   "mmathPr",    "listpicture",
      "protusertbl", "ftnsep",    "ftnsepc",     "ftncn",       "aftnsep",    "aftnsepc",
      "aftncn",     "txe",        "xe",          "tc",          "rxe",        "pxe",
  };
  for (const char* n : kNames)
    if (w == n) return true;
  return false;
}

bool IsUnderlineOn(const std::string& w) {
  static const char* const kNames[] = {"ul",        "uld",        "uldash",     "uldashd",   "uldashdd",
                                       "uldb",      "ulhwave",    "ulldash",    "ulth",      "ulthd",
                                       "ulthdash",  "ulthdashd",  "ulthdashdd", "ulthldash", "ululdbwave",
                                       "ulw",       "ulwave"};
  for (const char* n : kNames)
    if (w == n) return true;
  return false;
}

class Parser {
 public:
  explicit Parser(std::string_view in) : FIn(in) {}

  RtfDocument Run() {
    const std::size_t n = FIn.size();
    while (FPos < n) {
      const unsigned char c = static_cast<unsigned char>(FIn[FPos]);
      if (c == '{') {
        ++FPos;
        OpenGroup();
      } else if (c == '}') {
        ++FPos;
        if (CloseGroup()) break;  // the outermost group ends the document
      } else if (c == '\\') {
        ++FPos;
        ControlSequence();
      } else if (c == '\r' || c == '\n' || c == 0) {
        ++FPos;  // not text
      } else {
        Unit(DecodeRaw());
      }
    }
    FlushHighSurrogate();
    if (!FPara.runs.empty()) EndParagraph();
    return std::move(FDoc);
  }

 private:
  // --- groups ---------------------------------------------------------------

  void OpenGroup() {
    FSkipCount = 0;
    if (FOverflow > 0 || FStack.size() >= kMaxDepth) {
      ++FOverflow;
      return;
    }
    FStack.push_back(FState);
  }

  // True when the outermost group closed.
  bool CloseGroup() {
    FSkipCount = 0;
    if (FOverflow > 0) {
      --FOverflow;
      return false;
    }
    if (FStack.empty()) return false;  // stray brace
    if (FState.dest == Dest::FontTable) CommitFont();
    FState = FStack.back();
    FStack.pop_back();
    FormatChanged();
    return FStack.empty();
  }

  bool Ignoring() const { return FOverflow > 0 || FState.dest == Dest::Skip; }

  // --- input ----------------------------------------------------------------

  // One character of plain text at FPos: a valid UTF-8 sequence, else a cp1252 byte.
  char32_t DecodeRaw() {
    const std::size_t n = FIn.size();
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(FIn[i]); };
    const unsigned char c = at(FPos);
    if (c < 0x80) {
      ++FPos;
      return c;
    }
    int len = 0;
    char32_t cp = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // the range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
      len = 2;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3;
      cp = c & 0x0F;
      if (c == 0xE0) lo = 0xA0;
      if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4;
      cp = c & 0x07;
      if (c == 0xF0) lo = 0x90;
      if (c == 0xF4) hi = 0x8F;
    }
    bool ok = len > 0 && FPos + static_cast<std::size_t>(len) <= n;
    for (int k = 1; ok && k < len; ++k) {
      const unsigned char b = at(FPos + static_cast<std::size_t>(k));
      const unsigned char l = k == 1 ? lo : 0x80, h = k == 1 ? hi : 0xBF;
      if (b < l || b > h) ok = false;
      cp = (cp << 6) | (b & 0x3F);
    }
    if (!ok) {
      ++FPos;
      return Cp1252(c);
    }
    FPos += static_cast<std::size_t>(len);
    return cp;
  }

  void ControlSequence() {
    const std::size_t n = FIn.size();
    if (FPos >= n) return;
    const unsigned char c = static_cast<unsigned char>(FIn[FPos]);
    if (!IsAlpha(c)) {
      ++FPos;
      ControlSymbol(c);
      return;
    }
    std::string word;
    std::size_t letters = 0;
    while (FPos < n && IsAlpha(static_cast<unsigned char>(FIn[FPos]))) {
      if (letters < kMaxWordLength) word += FIn[FPos];
      ++letters;
      ++FPos;
    }
    if (letters > kMaxWordLength) word = "?";  // matches nothing
    bool hasParam = false;
    bool negative = false;
    long long value = 0;
    if (FPos + 1 < n && FIn[FPos] == '-' && IsDigit(static_cast<unsigned char>(FIn[FPos + 1]))) {
      negative = true;
      ++FPos;
    }
    while (FPos < n && IsDigit(static_cast<unsigned char>(FIn[FPos]))) {
      hasParam = true;
      if (value <= kMaxNumber) value = value * 10 + (FIn[FPos] - '0');
      ++FPos;
    }
    value = std::min(value, kMaxNumber);
    if (negative) value = -value;
    if (FPos < n && FIn[FPos] == ' ') ++FPos;  // the delimiter belongs to the word
    ControlWord(word, hasParam, static_cast<int>(value));
  }

  // --- control symbols ------------------------------------------------------

  void ControlSymbol(unsigned char c) {
    if (c == '\'') {
      int value = -1;
      const std::size_t n = FIn.size();
      if (FPos + 1 < n) {
        const int h = HexValue(static_cast<unsigned char>(FIn[FPos]));
        const int l = HexValue(static_cast<unsigned char>(FIn[FPos + 1]));
        if (h >= 0 && l >= 0) {
          value = h * 16 + l;
          FPos += 2;
        }
      }
      if (value < 0) return;  // bad hex: ignored, what follows is read as usual
      Unit(Cp1252(static_cast<unsigned char>(value)));
      return;
    }
    if (c == '\r' || c == '\n') {  // backslash-newline is \par
      if (ConsumeSkip()) return;
      if (!Ignoring() && FState.dest == Dest::Text) EndParagraph();
      return;
    }
    if (c == '*') {  // an ignorable destination: none of those is read
      if (FOverflow == 0) FState.dest = Dest::Skip;
      return;
    }
    if (ConsumeSkip()) return;
    switch (c) {
      case '\\':
      case '{':
      case '}':
        Emit(c);
        break;
      case '~':
        Emit(0x00A0);
        break;
      case '_':
        Emit(0x2011);
        break;
      default:  // \- optional hyphen, \: \| and anything unknown
        break;
    }
  }

  // --- control words --------------------------------------------------------

  void ControlWord(const std::string& w, bool hasParam, int param) {
    if (w == "bin") {  // binary data: skipped whatever the destination
      const std::size_t left = FIn.size() - FPos;
      const std::size_t count = param > 0 ? static_cast<std::size_t>(param) : 0;
      FPos += std::min(count, left);
      ConsumeSkip();
      return;
    }
    if (ConsumeSkip() || Ignoring()) return;

    if (w == "fonttbl") {
      FState.dest = Dest::FontTable;
      FFontNumber = -1;
      FFontName.clear();
      return;
    }
    if (w == "colortbl") {
      FState.dest = Dest::ColourTable;
      ResetColourEntry();
      return;
    }
    if (IsSkippedDestination(w)) {
      FState.dest = Dest::Skip;
      return;
    }
    if (FState.dest == Dest::FontTable) {
      FontTableWord(w, hasParam, param);
      return;
    }
    if (FState.dest == Dest::ColourTable) {
      ColourTableWord(w, param);
      return;
    }

    const bool on = !hasParam || param != 0;
    if (w == "par") {
      EndParagraph();
    } else if (w == "line") {
      FlushHighSurrogate();
      Put(U'\n');
    } else if (w == "tab") {
      Emit(U'\t');
    } else if (w == "emdash") {
      Emit(0x2014);
    } else if (w == "endash") {
      Emit(0x2013);
    } else if (w == "bullet") {
      Emit(0x2022);
    } else if (w == "lquote") {
      Emit(0x2018);
    } else if (w == "rquote") {
      Emit(0x2019);
    } else if (w == "ldblquote") {
      Emit(0x201C);
    } else if (w == "rdblquote") {
      Emit(0x201D);
    } else if (w == "emspace") {
      Emit(0x2003);
    } else if (w == "enspace") {
      Emit(0x2002);
    } else if (w == "u") {
      Unicode(param);
      FSkipCount = FState.uc;
    } else if (w == "uc") {
      FState.uc = std::clamp(param, 0, 64);
    } else if (w == "b") {
      SetFlag(FState.bold, on);
    } else if (w == "i") {
      SetFlag(FState.italic, on);
    } else if (IsUnderlineOn(w)) {
      SetFlag(FState.underline, on);
    } else if (w == "ulnone") {
      SetFlag(FState.underline, false);
    } else if (w == "cf") {
      FState.colour = hasParam ? std::max(param, -1) : 0;
      FormatChanged();
    } else if (w == "fs") {
      FState.halfPoints = hasParam && param > 0 ? std::clamp(param, 2, 3276) : kDefaultHalfPoints;
      FormatChanged();
    } else if (w == "f") {
      FState.font = hasParam ? std::max(param, -1) : 0;
      FormatChanged();
    } else if (w == "deff") {
      FDefaultFont = hasParam ? param : 0;
      FormatChanged();
    } else if (w == "plain") {
      const int uc = FState.uc;
      const Dest dest = FState.dest;
      FState = State();
      FState.uc = uc;
      FState.dest = dest;
      FormatChanged();
    }
    // \pard and all else: nothing in the model.
  }

  void FontTableWord(const std::string& w, bool hasParam, int param) {
    if (w == "f") {
      CommitFont();
      FFontNumber = hasParam ? param : 0;
      FFontName.clear();
      FFontFamily = RtfFontFamily::Nil;
    } else if (w == "fnil") {
      FFontFamily = RtfFontFamily::Nil;
    } else if (w == "froman") {
      FFontFamily = RtfFontFamily::Roman;
    } else if (w == "fswiss") {
      FFontFamily = RtfFontFamily::Swiss;
    } else if (w == "fmodern") {
      FFontFamily = RtfFontFamily::Modern;
    } else if (w == "fscript") {
      FFontFamily = RtfFontFamily::Script;
    } else if (w == "fdecor") {
      FFontFamily = RtfFontFamily::Decor;
    } else if (w == "ftech" || w == "fbidi") {
      FFontFamily = RtfFontFamily::Tech;
    } else if (w == "u") {
      Unicode(param);
      FSkipCount = FState.uc;
    } else if (w == "uc") {
      FState.uc = std::clamp(param, 0, 64);
    }
  }

  void ColourTableWord(const std::string& w, int param) {
    const int v = std::clamp(param, 0, 255);
    if (w == "red") {
      FColourAny = true;
      FRed = v;
    } else if (w == "green") {
      FColourAny = true;
      FGreen = v;
    } else if (w == "blue") {
      FColourAny = true;
      FBlue = v;
    }
  }

  void SetFlag(bool& flag, bool on) {
    flag = on;
    FormatChanged();
  }

  // --- font and colour tables -----------------------------------------------

  void CommitFont() {
    if (FFontNumber >= 0 || !FFontName.empty()) {
      std::string name = FFontName;
      const auto first = name.find_first_not_of(' ');
      const auto last = name.find_last_not_of(' ');
      name = first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
      if (FFontNumber >= 0) FFonts[FFontNumber] = FontEntry{name, FFontFamily};
    }
    FFontNumber = -1;
    FFontName.clear();
    FFontFamily = RtfFontFamily::Nil;
    FormatChanged();
  }

  void ResetColourEntry() {
    FColourAny = false;
    FRed = FGreen = FBlue = 0;
  }

  void CommitColour() {
    if (FColours.size() < kMaxColours) FColours.push_back(Colour{!FColourAny, RtfRgb(FRed, FGreen, FBlue)});
    ResetColourEntry();
    FormatChanged();
  }

  // --- characters -----------------------------------------------------------

  // Consumes one character of a \uN fallback; true when it was one.
  bool ConsumeSkip() {
    if (FSkipCount <= 0) return false;
    --FSkipCount;
    return true;
  }

  // A character of input (raw or \'hh), subject to \uN fallback skipping.
  void Unit(char32_t cp) {
    if (ConsumeSkip()) return;
    Emit(cp);
  }

  void Unicode(int n) {
    long long v = n;
    if (v < 0) v += 65536;
    if (v < 0 || v > 0xFFFF) {
      Emit(kReplacement);
      return;
    }
    const auto cp = static_cast<char32_t>(v);
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      FlushHighSurrogate();
      FHighSurrogate = cp;
      return;
    }
    if (cp >= 0xDC00 && cp <= 0xDFFF) {
      if (FHighSurrogate != 0) {
        const char32_t full = 0x10000 + ((FHighSurrogate - 0xD800) << 10) + (cp - 0xDC00);
        FHighSurrogate = 0;
        Emit(full);
      } else {
        Emit(kReplacement);
      }
      return;
    }
    Emit(cp);
  }

  void FlushHighSurrogate() {
    if (FHighSurrogate == 0) return;
    FHighSurrogate = 0;
    Emit(kReplacement);
  }

  // A character to the current destination. Control characters are dropped
  // except the tab.
  void Emit(char32_t cp) {
    if (Ignoring()) return;
    if (FHighSurrogate != 0) FlushHighSurrogate();
    if ((cp < 0x20 && cp != U'\t') || (cp >= 0x7F && cp <= 0x9F)) return;
    switch (FState.dest) {
      case Dest::FontTable:
        if (cp == U';') {
          CommitFont();
        } else if (FFontName.size() < kMaxFontNameLength && cp != U'\t') {
          AppendUtf8(FFontName, cp);
        }
        break;
      case Dest::ColourTable:
        if (cp == U';') CommitColour();
        break;
      case Dest::Text:
        Put(cp);
        break;
      case Dest::Skip:
        break;
    }
  }

  // Appends to the paragraph's text in the current format.
  void Put(char32_t cp) {
    if (Ignoring() || FState.dest != Dest::Text) return;
    if (!FRunOpen) {
      RtfRun format = CurrentFormat();
      if (FPara.runs.empty() || !FPara.runs.back().SameFormat(format)) FPara.runs.push_back(std::move(format));
      FRunOpen = true;
    }
    AppendUtf8(FPara.runs.back().text, cp);
  }

  void FormatChanged() { FRunOpen = false; }

  RtfRun CurrentFormat() const {
    RtfRun r;
    auto font = FFonts.find(FState.font >= 0 ? FState.font : FDefaultFont);
    if (font == FFonts.end()) font = FFonts.find(FDefaultFont);
    if (font != FFonts.end()) {
      r.fontName = font->second.name;
      r.fontFamily = font->second.family;
    }
    r.pointSize = FState.halfPoints / 2.0;
    r.bold = FState.bold;
    r.italic = FState.italic;
    r.underline = FState.underline;
    if (FState.colour >= 0 && static_cast<std::size_t>(FState.colour) < FColours.size() &&
        !FColours[static_cast<std::size_t>(FState.colour)].isAuto) {
      r.defaultColour = false;
      r.colour = FColours[static_cast<std::size_t>(FState.colour)].rgb;
    }
    return r;
  }

  void EndParagraph() {
    FlushHighSurrogate();
    FPara.mark = CurrentFormat();
    FDoc.paragraphs.push_back(std::move(FPara));
    FPara = RtfParagraph();
    FRunOpen = false;
  }

  std::string_view FIn;
  std::size_t FPos = 0;
  State FState;
  std::vector<State> FStack;
  std::size_t FOverflow = 0;  // groups open beyond kMaxDepth
  int FSkipCount = 0;         // \uN fallback characters still to skip
  char32_t FHighSurrogate = 0;

  std::map<int, FontEntry> FFonts;
  int FDefaultFont = 0;
  int FFontNumber = -1;  // the font table entry being read
  std::string FFontName;
  RtfFontFamily FFontFamily = RtfFontFamily::Nil;

  std::vector<Colour> FColours;
  bool FColourAny = false;
  int FRed = 0, FGreen = 0, FBlue = 0;

  RtfDocument FDoc;
  RtfParagraph FPara;
  bool FRunOpen = false;  // FPara's last run has the current format
};

}  // namespace

std::string RtfParagraph::Text() const {
  std::string s;
  for (const RtfRun& r : runs) s += r.text;
  return s;
}

std::string RtfDocument::PlainText() const {
  std::string s;
  for (const RtfParagraph& p : paragraphs) {
    s += p.Text();
    s += '\n';
  }
  return s;
}

RtfDocument ParseRtf(std::string_view Rtf) { return Parser(Rtf).Run(); }

// The RTF reader: its document model, the QTextDocument it builds, and a bounded
// random test that it survives any input.
#include <gtest/gtest.h>

#include <QColor>
#include <QFontDatabase>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "support/Utf8.h"
#include "toolkit/RtfReader.h"
#include "toolkit/qt/RtfToQt.h"

namespace {

// The document the program composes (CompanyName "Kelmory", card "SRX-8T", with the
// multi-port note).
const std::string kSample =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Verdana;}}"
    "{\\colortbl\\red64\\green64\\blue64;\\red255\\green255\\blue64;\\red64\\green64\\blue255;"
    "\\red255\\green64\\blue64;}\\viewkind4\\uc1\\pard\\f0\\fs32\\cf0\r\n"
    "{\\b Kelmory SRX-8T Series Settings Program}\\par\\par\\fs24\r\n"
    "This program will help you configure the option jumpers and settings associated with this "
    "product. You should have the product in-hand when first using this program.\\par\\par\r\n"
    "{\\cf1\\fs24\\b Yellow circles} provide information on configuring jumpers and switches.\\par\\par\r\n"
    "{\\cf2\\fs24\\b Blue circles} are informational only. They provide information on standard and "
    "optional features of the product family.\\par\\par\r\n"
    "{\\cf3\\fs24\\b Red circles} handle calibration and types of configuration that require actually "
    "controlling the hardware device. Run this settings program again once the card is installed. "
    "Repeat the {\\cf1 setup circles} (using the same settings) to configure this program, then perform "
    "the {\\cf3 calibration circles}.\\par\\par\r\n"
    "Mouse over the highlight circles to see configuration or information popups for {\\cf1 setup}, "
    "{\\cf2 features}, and {\\cf3 calibration}. Click a highlight circle to make its popup remain "
    "on-screen. You can have all or as many of these popups onscreen at the same time as you desire."
    "\\par\\par\r\n"
    "{\\fs32\\b Note:} Make sure to set the jumpers for each option group \\emdash  the configuration "
    "options for each port are handled identically; this program only shows the setup once, but you "
    "need to perform this setup for each group of options on your device.\\par\\par\r\n"
    "}";

constexpr int kGrey = RtfRgb(64, 64, 64);
constexpr int kYellow = RtfRgb(255, 255, 64);
constexpr int kBlue = RtfRgb(64, 64, 255);
constexpr int kRed = RtfRgb(255, 64, 64);
constexpr int kAuto = -1;  // expected colour: default


// ---------------------------------------------------------------------------
// Text: what the reader makes of control words, symbols, groups and bytes.

struct TextCase {
  const char* name;
  std::string rtf;
  std::string text;  // RtfDocument::PlainText()
};

TEST(RtfReader, Text) {
  const std::vector<TextCase> cases = {
      {"plain text", "{\\rtf1 Hello}", "Hello\n"},
      {"no rtf header", "just text", "just text\n"},
      {"empty", "", ""},
      {"empty group", "{\\rtf1 }", ""},
      {"delimiter space consumed", "{\\rtf1 \\b bold\\b0  plain}", "bold plain\n"},
      {"no delimiter before a brace", "{\\rtf1 a\\b{x}\\b0y}", "axy\n"},
      {"number ends the word", "{\\rtf1 \\fs20x}", "x\n"},
      {"negative number", "{\\rtf1 \\li-720x}", "x\n"},
      {"minus without digits is text", "{\\rtf1 \\b-x}", "-x\n"},
      {"emdash with two spaces", "{\\rtf1 group \\emdash  the}", "group \xE2\x80\x94 the\n"},
      {"emdash with one space", "{\\rtf1 a\\emdash b}", "a\xE2\x80\x94" "b\n"},
      {"endash bullet quotes", "{\\rtf1 \\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}",
       "\xE2\x80\x93\xE2\x80\xA2\xE2\x80\x98\xE2\x80\x99\xE2\x80\x9C\xE2\x80\x9D\n"},
      {"hex e9", "{\\rtf1 caf\\'e9}", "caf\xC3\xA9\n"},
      {"hex cp1252 quotes and euro", "{\\rtf1 \\'93\\'80\\'94}", "\xE2\x80\x9C\xE2\x82\xAC\xE2\x80\x9D\n"},
      {"hex upper case", "{\\rtf1 \\'C9}", "\xC3\x89\n"},
      {"bad hex ignored", "{\\rtf1 \\'zz}", "zz\n"},
      {"half hex ignored", "{\\rtf1 \\'e}", "e\n"},
      {"hex at end", "{\\rtf1 a\\'", "a\n"},
      {"hex NUL dropped", "{\\rtf1 a\\'00b}", "ab\n"},
      {"unicode skips one", "{\\rtf1 \\u8212?x}", "\xE2\x80\x94x\n"},
      {"unicode after space", "{\\rtf1 \\u8212 ?x}", "\xE2\x80\x94x\n"},
      {"unicode uc2", "{\\rtf1 \\uc2\\u233 ??x}", "\xC3\xA9x\n"},
      {"unicode uc0", "{\\rtf1 \\uc0\\u233 x}", "\xC3\xA9x\n"},
      {"unicode skips a hex byte", "{\\rtf1 \\u233\\'e9x}", "\xC3\xA9x\n"},
      {"unicode negative wraps", "{\\rtf1 \\u-3913?}", "\xEF\x82\xB7\n"},
      {"unicode uc scoped to group", "{\\rtf1 {\\uc2 a}\\u233??}", "a\xC3\xA9?\n"},
      {"unicode skip ends at group", "{\\rtf1 {\\uc3\\u233?}b}", "\xC3\xA9" "b\n"},
      {"surrogate pair", "{\\rtf1 \\u55357?\\u56832?}", "\xF0\x9F\x98\x80\n"},
      {"lone surrogate", "{\\rtf1 \\u56832?x}", "\xEF\xBF\xBDx\n"},
      {"unicode huge", "{\\rtf1 \\u99999999999999999999?x}", "\xEF\xBF\xBDx\n"},
      {"escaped braces and backslash", "{\\rtf1 \\{a\\}\\\\}", "{a}\\\n"},
      {"nbsp and optional hyphen", "{\\rtf1 a\\~b\\-c}", "a\xC2\xA0" "bc\n"},
      {"tab and line", "{\\rtf1 a\\tab b\\line c}", "a\tb\nc\n"},
      {"CR LF ignored", "{\\rtf1 a\r\nb\rc\nd}", "abcd\n"},
      {"backslash newline is par", "{\\rtf1 a\\\nb}", "a\nb\n"},
      {"unknown control word", "{\\rtf1 \\foobar12 x\\qwerty y}", "xy\n"},
      {"unknown control symbol", "{\\rtf1 a\\|b\\:c}", "abc\n"},
      {"overlong control word", "{\\rtf1 \\babcdefghijklmnopqrstuvwxyzabcdefghijklmnop x}", "x\n"},
      {"star destination", "{\\rtf1 a{\\*\\generator Riched20 10.0;}b}", "ab\n"},
      {"star unknown nested", "{\\rtf1 a{\\*\\foo {x}{\\b y}z}b}", "ab\n"},
      {"stylesheet", "{\\rtf1 {\\stylesheet{\\s0 Normal;}{\\s1 Heading;}}x}", "x\n"},
      {"info", "{\\rtf1 {\\info{\\title T}{\\author A}}x}", "x\n"},
      {"pict", "{\\rtf1 {\\pict\\wmetafile8 0102030405}x}", "x\n"},
      {"header and footer", "{\\rtf1 {\\header H}{\\footer F}x}", "x\n"},
      {"font and colour tables are not text", "{\\rtf1 {\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1;}x}", "x\n"},
      {"bin skipped", "{\\rtf1 a{\\bin3 }}}b}c}", "abc\n"},
      {"bin larger than input", "{\\rtf1 a\\bin99999 xyz", "a\n"},
      {"par par gives an empty paragraph", "{\\rtf1 a\\par\\par b}", "a\n\nb\n"},
      {"trailing par", "{\\rtf1 a\\par}", "a\n"},
      {"trailing empty paragraph dropped", "{\\rtf1 a\\par\\par}", "a\n\n"},
      {"stops at the outermost brace", "{\\rtf1 a}b", "a\n"},
      {"stray closing braces ignored", "}}a{\\rtf1 b}", "ab\n"},
      {"truncated", "{\\rtf1 {\\b a", "a\n"},
      {"truncated after backslash", "{\\rtf1 a\\", "a\n"},
      {"raw cp1252 byte", "{\\rtf1 caf\xE9}", "caf\xC3\xA9\n"},
      {"raw utf8 kept", "{\\rtf1 caf\xC3\xA9}", "caf\xC3\xA9\n"},
      {"NUL bytes ignored", std::string("{\\rtf1 a\0b\\\0c}", 14), "abc\n"},
      {"control chars dropped", "{\\rtf1 a\x01" "b\x7F" "c}", "abc\n"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ParseRtf(c.rtf).PlainText(), c.text);
  }
}

// ---------------------------------------------------------------------------
// Formats: runs and their character formats.

struct RunSpec {
  std::string text;
  bool bold = false;
  double pt = 12;
  int colour = kAuto;
  std::string font = "";
  bool italic = false;
  bool underline = false;
};

void ExpectRuns(const RtfParagraph& p, const std::vector<RunSpec>& want) {
  ASSERT_EQ(p.runs.size(), want.size()) << p.Text();
  for (std::size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE("run " + std::to_string(i) + " \"" + want[i].text + "\"");
    const RtfRun& r = p.runs[i];
    EXPECT_EQ(r.text, want[i].text);
    EXPECT_EQ(r.bold, want[i].bold);
    EXPECT_DOUBLE_EQ(r.pointSize, want[i].pt);
    if (want[i].colour == kAuto) {
      EXPECT_TRUE(r.defaultColour);
    } else {
      EXPECT_FALSE(r.defaultColour);
      EXPECT_EQ(r.colour, want[i].colour);
    }
    EXPECT_EQ(r.fontName, want[i].font);
    EXPECT_EQ(r.italic, want[i].italic);
    EXPECT_EQ(r.underline, want[i].underline);
  }
}

struct FormatCase {
  const char* name;
  std::string rtf;
  std::vector<RunSpec> runs;  // of the first paragraph
};

TEST(RtfReader, Formats) {
  const std::string red = "{\\colortbl;\\red255\\green0\\blue0;}";
  const std::string fonts = "{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Verdana;}{\\f1\\froman Times New Roman;}}";
  const std::vector<FormatCase> cases = {
      {"defaults", "{\\rtf1 a}", {{"a"}}},
      {"bold on and off", "{\\rtf1 a\\b b\\b0 c}", {{"a"}, {"b", true}, {"c"}}},
      {"bold with nonzero parameter", "{\\rtf1 \\b2 a}", {{"a", true}}},
      {"group restores bold colour size",
       "{\\rtf1 " + red + "a{\\b\\cf1\\fs40 b}c}",
       {{"a"}, {"b", true, 20, RtfRgb(255, 0, 0)}, {"c"}}},
      {"nested groups", "{\\rtf1 {\\b a{\\i b}c}d}", {{"a", true}, {"b", true, 12, kAuto, "", true}, {"c", true}, {"d"}}},
      {"leading semicolon: cf0 is auto", "{\\rtf1 " + red + "\\cf0 a\\cf1 b}", {{"a"}, {"b", false, 12, RtfRgb(255, 0, 0)}}},
      {"no leading semicolon: cf0 is the first entry",
       "{\\rtf1 {\\colortbl\\red64\\green64\\blue64;\\red1\\green2\\blue3;}\\cf0 a\\cf1 b}",
       {{"a", false, 12, kGrey}, {"b", false, 12, RtfRgb(1, 2, 3)}}},
      {"missing components are zero", "{\\rtf1 {\\colortbl\\green9;}\\cf0 a}", {{"a", false, 12, RtfRgb(0, 9, 0)}}},
      {"colour out of range is auto", "{\\rtf1 " + red + "\\cf7 a}", {{"a"}}},
      {"colour components clamp", "{\\rtf1 {\\colortbl\\red999\\green-5\\blue300;}\\cf0 a}",
       {{"a", false, 12, RtfRgb(255, 0, 255)}}},
      {"font table and deff", "{\\rtf1\\deff0" + fonts + "a\\f1 b\\f0 c}",
       {{"a", false, 12, kAuto, "Verdana"}, {"b", false, 12, kAuto, "Times New Roman"}, {"c", false, 12, kAuto, "Verdana"}}},
      {"unknown font is the default font", "{\\rtf1\\deff1" + fonts + "\\f9 a}", {{"a", false, 12, kAuto, "Times New Roman"}}},
      {"font table without groups", "{\\rtf1{\\fonttbl\\f0 Arial;\\f1 Courier New;}\\f1 a}",
       {{"a", false, 12, kAuto, "Courier New"}}},
      {"font name with hex", "{\\rtf1{\\fonttbl{\\f0 Caf\\'e9{\\*\\panose 0102};}}a}", {{"a", false, 12, kAuto, "Caf\xC3\xA9"}}},
      {"half points", "{\\rtf1 \\fs17 a\\fs b}", {{"a", false, 8.5}, {"b"}}},
      {"huge size clamps", "{\\rtf1 \\fs99999999999999999999 a\\fs-4 b}", {{"a", false, 1638}, {"b"}}},
      {"italic and underline", "{\\rtf1 \\i a\\i0\\ul b\\ulnone c\\uldb d\\ul0 e}",
       {{"a", false, 12, kAuto, "", true}, {"b", false, 12, kAuto, "", false, true}, {"c"},
        {"d", false, 12, kAuto, "", false, true}, {"e"}}},
      {"plain resets", "{\\rtf1 " + red + "\\b\\i\\cf1\\fs40 a\\plain b}", {{"a", true, 20, RtfRgb(255, 0, 0), "", true}, {"b"}}},
      {"pard keeps character format", "{\\rtf1 \\b a\\pard b}", {{"ab", true}}},
      {"same format merges across groups", "{\\rtf1 a{b}{\\b0 c}}", {{"abc"}}},
      {"unicode takes the current format", "{\\rtf1 {\\b \\u8212?}}", {{"\xE2\x80\x94", true}}},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.name);
    const RtfDocument doc = ParseRtf(c.rtf);
    ASSERT_FALSE(doc.paragraphs.empty());
    ExpectRuns(doc.paragraphs[0], c.runs);
  }
}

TEST(RtfReader, ParagraphMarkKeepsTheFormat) {
  const RtfDocument doc = ParseRtf("{\\rtf1 \\fs32 a\\par\\par\\fs24 b\\par}");
  ASSERT_EQ(doc.paragraphs.size(), 3u);
  EXPECT_TRUE(doc.paragraphs[1].runs.empty());
  EXPECT_DOUBLE_EQ(doc.paragraphs[1].mark.pointSize, 16);
  EXPECT_DOUBLE_EQ(doc.paragraphs[2].mark.pointSize, 12);
  EXPECT_TRUE(doc.paragraphs[1].mark.text.empty());
}

TEST(RtfReader, DeepNestingIsCappedAndTextless) {
  // Within the cap, text counts.
  std::string shallow = "{\\rtf1 ";
  for (int i = 0; i < 200; ++i) shallow += "{";
  shallow += "\\b x";
  for (int i = 0; i < 200; ++i) shallow += "}";
  shallow += "y}";
  const RtfDocument a = ParseRtf(shallow);
  ASSERT_EQ(a.paragraphs.size(), 1u);
  ExpectRuns(a.paragraphs[0], {{"x", true}, {"y"}});

  // Beyond it, groups are text-less, and the braces still balance.
  std::string deep = "{\\rtf1 a";
  for (int i = 0; i < 100000; ++i) deep += "{\\b";
  deep += " hidden\\par";
  for (int i = 0; i < 100000; ++i) deep += "}";
  deep += "b}";
  const RtfDocument d = ParseRtf(deep);
  EXPECT_EQ(d.PlainText(), "ab\n");
  ASSERT_EQ(d.paragraphs.size(), 1u);
  ExpectRuns(d.paragraphs[0], {{"ab"}});
}

// ---------------------------------------------------------------------------
// The program's document.

TEST(RtfReader, SampleDocument) {
  const RtfDocument doc = ParseRtf(kSample);
  ASSERT_EQ(doc.paragraphs.size(), 14u);
  for (std::size_t i = 1; i < doc.paragraphs.size(); i += 2) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(doc.paragraphs[i].runs.empty());
  }
  const std::string V = "Verdana";
  ExpectRuns(doc.paragraphs[0], {{"Kelmory SRX-8T Series Settings Program", true, 16, kGrey, V}});
  ExpectRuns(doc.paragraphs[2],
             {{"This program will help you configure the option jumpers and settings associated with this "
               "product. You should have the product in-hand when first using this program.",
               false, 12, kGrey, V}});
  ExpectRuns(doc.paragraphs[4], {{"Yellow circles", true, 12, kYellow, V},
                                 {" provide information on configuring jumpers and switches.", false, 12, kGrey, V}});
  ExpectRuns(doc.paragraphs[6], {{"Blue circles", true, 12, kBlue, V},
                                 {" are informational only. They provide information on standard and optional "
                                  "features of the product family.",
                                  false, 12, kGrey, V}});
  ExpectRuns(doc.paragraphs[8],
             {{"Red circles", true, 12, kRed, V},
              {" handle calibration and types of configuration that require actually controlling the hardware "
               "device. Run this settings program again once the card is installed. Repeat the ",
               false, 12, kGrey, V},
              {"setup circles", false, 12, kYellow, V},
              {" (using the same settings) to configure this program, then perform the ", false, 12, kGrey, V},
              {"calibration circles", false, 12, kRed, V},
              {".", false, 12, kGrey, V}});
  ExpectRuns(doc.paragraphs[10],
             {{"Mouse over the highlight circles to see configuration or information popups for ", false, 12, kGrey, V},
              {"setup", false, 12, kYellow, V},
              {", ", false, 12, kGrey, V},
              {"features", false, 12, kBlue, V},
              {", and ", false, 12, kGrey, V},
              {"calibration", false, 12, kRed, V},
              {". Click a highlight circle to make its popup remain on-screen. You can have all or as many of "
               "these popups onscreen at the same time as you desire.",
               false, 12, kGrey, V}});
  ExpectRuns(doc.paragraphs[12],
             {{"Note:", true, 16, kGrey, V},
              {" Make sure to set the jumpers for each option group \xE2\x80\x94 the configuration options for each "
               "port are handled identically; this program only shows the setup once, but you need to perform this "
               "setup for each group of options on your device.",
               false, 12, kGrey, V}});
  EXPECT_EQ(doc.paragraphs[0].runs[0].fontFamily, RtfFontFamily::Swiss);
  // The blank line after the title is as tall as the title.
  EXPECT_DOUBLE_EQ(doc.paragraphs[1].mark.pointSize, 16);
  EXPECT_DOUBLE_EQ(doc.paragraphs[3].mark.pointSize, 12);
}

// ---------------------------------------------------------------------------
// QTextDocument.

QString ExpectedFamily(const QString& face) {
  if (QFontDatabase::hasFamily(face)) return face;
  return QStringLiteral("DejaVu Sans");
}

std::vector<QTextFragment> Fragments(const QTextBlock& b) {
  std::vector<QTextFragment> out;
  for (auto it = b.begin(); !it.atEnd(); ++it)
    if (it.fragment().isValid()) out.push_back(it.fragment());
  return out;
}

TEST(RtfToQt, SampleDocument) {
  QTextDocument target;
  RtfToTextDocument(ParseRtf(kSample), target);
  ASSERT_EQ(target.blockCount(), 14);

  const QTextBlock title = target.findBlockByNumber(0);
  EXPECT_EQ(title.text(), QStringLiteral("Kelmory SRX-8T Series Settings Program"));
  const auto titleFragments = Fragments(title);
  ASSERT_EQ(titleFragments.size(), 1u);
  const QTextCharFormat tf = titleFragments[0].charFormat();
  EXPECT_EQ(tf.fontWeight(), QFont::Bold);
  EXPECT_DOUBLE_EQ(tf.fontPointSize(), 16.0);
  EXPECT_EQ(tf.property(QTextFormat::FontPixelSize).toInt(), 21);  // round(16 * 96 / 72)
  EXPECT_EQ(tf.font().pixelSize(), 21);                            // the pixel size is what shows
  EXPECT_EQ(tf.foreground().color(), QColor(64, 64, 64));
  EXPECT_EQ(tf.fontStyleStrategy(), QFont::NoAntialias);  // as the toolkit's other text
  const QStringList families = tf.fontFamilies().toStringList();
  ASSERT_FALSE(families.isEmpty());
  if (QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans")) || QFontDatabase::hasFamily(QStringLiteral("Verdana"))) {
    EXPECT_EQ(families.first(), ExpectedFamily(QStringLiteral("Verdana")));
  }

  EXPECT_TRUE(target.findBlockByNumber(1).text().isEmpty());
  EXPECT_DOUBLE_EQ(target.findBlockByNumber(1).charFormat().fontPointSize(), 16.0);

  const auto yellow = Fragments(target.findBlockByNumber(4));
  ASSERT_EQ(yellow.size(), 2u);
  EXPECT_EQ(yellow[0].text(), QStringLiteral("Yellow circles"));
  EXPECT_EQ(yellow[0].charFormat().fontWeight(), QFont::Bold);
  EXPECT_EQ(yellow[0].charFormat().foreground().color(), QColor(255, 255, 64));
  EXPECT_EQ(yellow[0].charFormat().property(QTextFormat::FontPixelSize).toInt(), 16);
  EXPECT_DOUBLE_EQ(yellow[0].charFormat().fontPointSize(), 12.0);
  EXPECT_EQ(yellow[1].charFormat().fontWeight(), QFont::Normal);
  EXPECT_EQ(yellow[1].charFormat().foreground().color(), QColor(64, 64, 64));

  const auto red = Fragments(target.findBlockByNumber(8));
  ASSERT_EQ(red.size(), 6u);
  EXPECT_EQ(red[2].text(), QStringLiteral("setup circles"));
  EXPECT_EQ(red[2].charFormat().foreground().color(), QColor(255, 255, 64));
  EXPECT_NE(red[2].charFormat().fontWeight(), QFont::Bold);

  const QTextBlock note = target.findBlockByNumber(12);
  EXPECT_TRUE(note.text().contains(QString::fromUtf8("group \xE2\x80\x94 the configuration")));
  const auto noteFragments = Fragments(note);
  ASSERT_EQ(noteFragments.size(), 2u);
  EXPECT_EQ(noteFragments[0].text(), QStringLiteral("Note:"));
  EXPECT_DOUBLE_EQ(noteFragments[0].charFormat().fontPointSize(), 16.0);
  EXPECT_EQ(noteFragments[0].charFormat().fontWeight(), QFont::Bold);
}

TEST(RtfToQt, LineBreaksStayInTheBlockAndAutoColourIsUnset) {
  QTextDocument target;
  RtfToTextDocument(ParseRtf("{\\rtf1 a\\line b\\u8233?c\\par d}"), target);
  ASSERT_EQ(target.blockCount(), 2);
  EXPECT_EQ(target.firstBlock().text(), QStringLiteral("a") + QChar(QChar::LineSeparator) + QStringLiteral("b") +
                                            QChar(QChar::LineSeparator) + QStringLiteral("c"));
  const auto f = Fragments(target.firstBlock());
  ASSERT_FALSE(f.empty());
  EXPECT_FALSE(f[0].charFormat().hasProperty(QTextFormat::ForegroundBrush));
}

TEST(RtfToQt, EmptyDocumentClearsTheTarget) {
  QTextDocument target;
  target.setPlainText(QStringLiteral("old\ntext"));
  RtfToTextDocument(ParseRtf(""), target);
  EXPECT_EQ(target.blockCount(), 1);
  EXPECT_TRUE(target.toPlainText().isEmpty());
}

TEST(RtfToQt, FamilyMapping) {
  const QFont fallback(QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(RtfFontFamilyFor("", RtfFontFamily::Nil, fallback), fallback.family());
  if (QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans"))) {
    if (!QFontDatabase::hasFamily(QStringLiteral("Verdana"))) {
      EXPECT_EQ(RtfFontFamilyFor("Verdana", RtfFontFamily::Swiss, fallback), QStringLiteral("DejaVu Sans"));
    }
    if (!QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif"))) {
      EXPECT_EQ(RtfFontFamilyFor("MS Sans Serif", RtfFontFamily::Nil, fallback), QStringLiteral("DejaVu Sans"));
    }
    EXPECT_EQ(RtfFontFamilyFor("DejaVu Sans", RtfFontFamily::Roman, fallback), QStringLiteral("DejaVu Sans"));
  }
  if (QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans Mono")) &&
      !QFontDatabase::hasFamily(QStringLiteral("Courier New"))) {
    EXPECT_EQ(RtfFontFamilyFor("Courier New", RtfFontFamily::Nil, fallback), QStringLiteral("DejaVu Sans Mono"));
  }
}

// ---------------------------------------------------------------------------
// Bounded random inputs: no crash, valid UTF-8, sane counts.

const std::vector<std::string>& Tokens() {
  static const std::vector<std::string> t = {
      "{", "}", "{", "}", "\\", "\\\\", "\\{", "\\}", "\\*", "\\'", "\\'e9", "\\'zz", "\\'9", "\\'00", "\\'80",
      "\\b", "\\b0", "\\i", "\\ul", "\\ulnone", "\\cf", "\\cf1", "\\cf-1", "\\cf99999999999999999999", "\\fs",
      "\\fs0", "\\fs-2147483648", "\\fs99999999999", "\\f", "\\f1", "\\f-7", "\\plain", "\\pard", "\\par", "\\line",
      "\\tab", "\\emdash", "\\endash", "\\bullet", "\\lquote", "\\rdblquote", "\\u", "\\u8212", "\\u-1",
      "\\u55357", "\\u56832", "\\u-2147483648", "\\u2147483647", "\\uc", "\\uc0", "\\uc5", "\\uc99999999",
      "\\fonttbl", "\\colortbl", "\\red255", "\\green", "\\blue-9", "\\stylesheet", "\\info", "\\pict", "\\bin",
      "\\bin2 ", "\\bin-5", "\\bin99999999999", "\\deff", "\\deff3", "\\fswiss", "\\froman", "\\~", "\\-", "\\_",
      "\\\r\n", "\\\n", "\\rtf1", "\\ansi", "\\unknownword", "\\", "\\9", "\\-5", ";", ";", " ", "  ", "\r\n", "-",
      "0", "7", "99999999999999999999999", "-2147483649", "text", "Verdana", "\xE9", "\xC3\xA9", "\xC3", "\xF0\x9F",
      "\xF0\x9F\x98\x80", "\xFF", "\xED\xA0\x80", std::string(1, '\0'), "\x01", "\x7F", "{\\*\\x ", "{\\fonttbl{\\f0 ",
      "{\\colortbl;", "\\abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz",
  };
  return t;
}

std::string RandomTokens(std::mt19937& rng) {
  std::uniform_int_distribution<std::size_t> pick(0, Tokens().size() - 1);
  std::uniform_int_distribution<int> count(0, 120);
  std::string s = (rng() % 2) ? "{\\rtf1 " : "";
  for (int n = count(rng); n > 0; --n) s += Tokens()[pick(rng)];
  return s;
}

std::string Mutate(std::mt19937& rng, std::string s) {
  std::uniform_int_distribution<int> edits(1, 8);
  std::uniform_int_distribution<std::size_t> pick(0, Tokens().size() - 1);
  for (int n = edits(rng); n > 0; --n) {
    const std::size_t at = s.empty() ? 0 : rng() % (s.size() + 1);
    switch (rng() % 6) {
      case 0:  // flip a byte
        if (!s.empty()) s[at % s.size()] = static_cast<char>(rng() & 0xFF);
        break;
      case 1:  // insert a token
        s.insert(at, Tokens()[pick(rng)]);
        break;
      case 2:  // delete a stretch
        if (!s.empty()) s.erase(at % s.size(), rng() % 16);
        break;
      case 3:  // truncate
        s.resize(at);
        break;
      case 4: {  // duplicate a stretch
        if (s.empty()) break;
        const std::size_t from = rng() % s.size();
        s.insert(at, s.substr(from, rng() % 64));
        break;
      }
      default:  // insert a brace
        s.insert(at, 1, "{}\\"[rng() % 3]);
        break;
    }
  }
  return s;
}

void CheckDocument(const std::string& input, const RtfDocument& doc) {
  ASSERT_LE(doc.paragraphs.size(), input.size() / 2 + 1);
  for (const RtfParagraph& p : doc.paragraphs) {
    ASSERT_TRUE(p.mark.text.empty());
    for (std::size_t i = 0; i < p.runs.size(); ++i) {
      const RtfRun& r = p.runs[i];
      ASSERT_FALSE(r.text.empty());
      ASSERT_TRUE(ValidUtf8(r.text));
      ASSERT_TRUE(ValidUtf8(r.fontName));
      for (const char c : r.text) ASSERT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n');
      ASSERT_GE(r.pointSize, 1.0);
      ASSERT_LE(r.pointSize, 1638.0);
      if (i > 0) {
        ASSERT_FALSE(r.SameFormat(p.runs[i - 1]));
      }
    }
  }
}

TEST(RtfReader, RandomInputsNeverBreakIt) {
  std::mt19937 rng(20240611u);
  QTextDocument target;
  for (int n = 0; n < 20000; ++n) {
    const std::string input = (n % 2) ? RandomTokens(rng) : Mutate(rng, kSample);
    const RtfDocument doc = ParseRtf(input);
    CheckDocument(input, doc);
    if (::testing::Test::HasFatalFailure()) {
      ADD_FAILURE() << "input #" << n << ": " << ::testing::PrintToString(input);
      return;
    }
    if (n % 50 == 0) {  // a sample through the Qt side too
      RtfToTextDocument(doc, target);
      ASSERT_EQ(target.blockCount(), std::max<int>(1, static_cast<int>(doc.paragraphs.size())));
    }
  }
}

}  // namespace

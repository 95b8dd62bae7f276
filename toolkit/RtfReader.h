// A small RTF reader: turns an RTF string into paragraphs of formatted text runs.
// Qt-free. It reads the subset of RTF the program composes for its rich-text
// control (font and colour tables, bold/italic/underline, colour, size, font,
// paragraphs, special characters, \'hh and \uN), skips everything else, and
// never fails: any input, however malformed, yields a (possibly empty) document.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The font family class of a font table entry (\fnil, \froman, \fswiss, ...),
// a hint for choosing a replacement when the face itself is not installed.
enum class RtfFontFamily { Nil, Roman, Swiss, Modern, Script, Decor, Tech };

// 0xRRGGBB, the form RtfRun::colour takes.
constexpr int RtfRgb(int r, int g, int b) { return ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF); }
constexpr int RtfRed(int rgb) { return (rgb >> 16) & 0xFF; }
constexpr int RtfGreen(int rgb) { return (rgb >> 8) & 0xFF; }
constexpr int RtfBlue(int rgb) { return rgb & 0xFF; }

// A stretch of text with one character format. Within a paragraph, adjacent runs
// always differ in format. The text is UTF-8; a line break (\line) is "\n" and a
// tab "\t"; it holds no other control characters.
struct RtfRun {
  std::string text;
  std::string fontName;  // the face from the font table; "" when the document names none
  RtfFontFamily fontFamily = RtfFontFamily::Nil;
  double pointSize = 12.0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool defaultColour = true;  // "auto": no colour given, or an auto colour table entry
  int colour = 0;             // 0xRRGGBB, meaningful when !defaultColour

  // Same character format (the text is not compared).
  bool SameFormat(const RtfRun& o) const {
    return fontName == o.fontName && fontFamily == o.fontFamily && pointSize == o.pointSize && bold == o.bold &&
           italic == o.italic && underline == o.underline && defaultColour == o.defaultColour &&
           (defaultColour || colour == o.colour);
  }
};

struct RtfParagraph {
  std::vector<RtfRun> runs;  // empty for a blank line
  RtfRun mark;               // the character format in effect at the paragraph's end (text empty)
  std::string Text() const;  // the runs' text joined
};

struct RtfDocument {
  std::vector<RtfParagraph> paragraphs;
  // All paragraphs' text, each followed by "\n".
  std::string PlainText() const;
};

// Parses Rtf. Every \par ends a paragraph (so "\par\par" leaves an empty one between);
// text after the last \par forms a final paragraph when it is not empty.
// Raw bytes above 0x7F are taken as UTF-8 where they form a valid sequence, otherwise
// as code page 1252 bytes, so the result is always valid UTF-8.
RtfDocument ParseRtf(std::string_view Rtf);

// Fills a QTextDocument from a parsed RTF document: one block per paragraph, one
// fragment per run.
#pragma once

#include <QFont>
#include <QString>
#include <QTextCharFormat>
#include <QTextDocument>

#include "toolkit/RtfReader.h"

// The installed family to show a face with: the face itself when installed, else the
// nearest installed sans-serif, serif or monospace family (by the font table's family
// class, else by the name), e.g. "Verdana" -> "DejaVu Sans". A run without a face
// uses Fallback's family.
QString RtfFontFamilyFor(const std::string& FontName, RtfFontFamily Family, const QFont& Fallback = QFont());

// The character format of a run: family as above, point size, and the same size as
// a pixel size at 96 dpi (round(pt * 96 / 72)) so that layout does not depend on the
// display; weight, italic, underline, and the foreground unless the colour is auto.
QTextCharFormat RtfCharFormat(const RtfRun& Run, const QFont& Fallback = QFont());

// Replaces Target's content with Doc. Every paragraph becomes a block (empty
// paragraphs are empty blocks, with the paragraph mark's format as block character
// format); line breaks within a paragraph become QChar::LineSeparator.
void RtfToTextDocument(const RtfDocument& Doc, QTextDocument& Target, const QFont& Fallback = QFont());

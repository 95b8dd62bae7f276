// A read-only rich-text box that loads its document from RTF text.
#pragma once

#include <string>

#include "Memo.h"
#include "WinControl.h"

class QTextDocument;

class TRichEdit : public TWinControl {
  TK_CLASS_NAME(TRichEdit)
 public:
  explicit TRichEdit(TComponent* AOwner);
  ~TRichEdit() override;

  // Replaces the document with the one the RTF text describes.
  void LoadFromRtf(const std::string& Rtf);
  // The document's plain text, paragraphs separated by line breaks.
  std::string PlainText() const;
  // The formatted document the box shows, or will show once it is first shown.
  QTextDocument* Document();
  // Called by the box when it is shown: a document loaded while hidden takes its place.
  void AttachPendingDocument();
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);

 protected:
  QWidget* CreateWidget() override;
  void ColorChanged() override;

 private:
  bool FReadOnly = false;
  TScrollStyle FScrollBars = ssNone;
  // The document loaded last, built from its RTF on first need; nullptr when none waits.
  QTextDocument* PendingDocument() const;
  // Building a document costs, and laying it out costs more: a hidden box keeps the
  // RTF it was given (with the font it had then) and builds the document when it is
  // shown or asked for; the built document waits, unlaid-out, until the box is shown.
  mutable std::string FPendingRtf;
  mutable bool FRtfPending = false;
  TFont FRtfFont;
  mutable QTextDocument* FPendingDocument = nullptr;
};

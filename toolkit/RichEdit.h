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
  // Laying a document out costs more than building it; a hidden box keeps its new
  // document aside, unlaid-out, until it is shown.
  QTextDocument* FPendingDocument = nullptr;
};

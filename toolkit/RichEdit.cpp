#include "RichEdit.h"

#include <QScrollBar>
#include <QTextEdit>

#include "RtfReader.h"
#include "qt/QtFont.h"
#include "qt/RtfToQt.h"
#include "qt/ScrollBarsGlue.h"

namespace {
QTextEdit* Box(QWidget* W) { return static_cast<QTextEdit*>(W); }

// The document area shows the control's colour, system colours resolved.
void ApplyBackground(QTextEdit& Box, TColor Color) {
  QPalette palette = Box.palette();
  palette.setColor(QPalette::Base, ToQColor(Color));
  Box.setPalette(palette);
}
}  // namespace

TRichEdit::TRichEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 185;
  FHeight = 89;
  FColor = clWindow;
  FTabStop = true;
}

QWidget* TRichEdit::CreateWidget() {
  auto* box = new QTextEdit();
  box->setTabChangesFocus(true);
  box->setAcceptRichText(false);
  box->setReadOnly(FReadOnly);
  ApplyScrollBars(*box, FScrollBars);
  ApplyBackground(*box, FColor);
  return box;
}

void TRichEdit::LoadFromRtf(const std::string& Rtf) {
  QTextEdit* box = Box(Handle());
  RtfToTextDocument(ParseRtf(Rtf), *box->document(), ToQFont(FFont));
  // A new document is read from its start.
  box->moveCursor(QTextCursor::Start);
  box->verticalScrollBar()->setValue(0);
}

std::string TRichEdit::PlainText() const {
  return FWidget != nullptr ? Box(FWidget)->toPlainText().toStdString() : std::string();
}

void TRichEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (FWidget != nullptr) Box(FWidget)->setReadOnly(Value);
}

void TRichEdit::SetScrollBars(TScrollStyle Value) {
  FScrollBars = Value;
  if (FWidget != nullptr) ApplyScrollBars(*Box(FWidget), Value);
}

void TRichEdit::ColorChanged() {
  if (FWidget != nullptr) ApplyBackground(*Box(FWidget), FColor);
  Invalidate();
}

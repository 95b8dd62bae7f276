#include "RichEdit.h"

#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>

#include "RtfReader.h"
#include "qt/QtFont.h"
#include "qt/RtfToQt.h"
#include "qt/ScrollBarsGlue.h"

namespace {
QTextEdit* Box(QWidget* W) { return static_cast<QTextEdit*>(W); }

// The box takes its pending document when it is first shown.
class TkRichText : public QTextEdit {
 public:
  explicit TkRichText(TRichEdit* Control) : FControl(Control) {}

 protected:
  void showEvent(QShowEvent* Event) override {
    FControl->AttachPendingDocument();
    QTextEdit::showEvent(Event);
  }

 private:
  TRichEdit* FControl;
};

}  // namespace

TRichEdit::TRichEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 185;
  FHeight = 89;
  FColor = clWindow;
  FTabStop = true;
}

QWidget* TRichEdit::CreateWidget() {
  auto* box = new TkRichText(this);
  box->setTabChangesFocus(true);
  box->setAcceptRichText(false);
  box->setReadOnly(FReadOnly);
  ApplyScrollBars(*box, FScrollBars);
  SetPaletteColor(*box, QPalette::Base, FColor);
  return box;
}

void TRichEdit::LoadFromRtf(const std::string& Rtf) {
  QTextEdit* box = Box(Handle());
  auto* document = new QTextDocument(box);
  RtfToTextDocument(ParseRtf(Rtf), *document, ToQFont(FFont));
  delete FPendingDocument;
  FPendingDocument = document;
  if (box->isVisible()) AttachPendingDocument();
}

void TRichEdit::AttachPendingDocument() {
  if (FPendingDocument == nullptr || FWidget == nullptr) return;
  QTextEdit* box = Box(FWidget);
  // The box frees the document it made itself; one loaded earlier belongs to the box
  // as its parent and is freed here.
  QTextDocument* old = box->document();
  const bool loadedEarlier = old != nullptr && old->parent() == box;
  box->setDocument(FPendingDocument);
  FPendingDocument = nullptr;
  if (loadedEarlier) delete old;
  // A new document is read from its start.
  box->moveCursor(QTextCursor::Start);
  box->verticalScrollBar()->setValue(0);
}

QTextDocument* TRichEdit::Document() {
  if (FPendingDocument != nullptr) return FPendingDocument;
  return Box(Handle())->document();
}

std::string TRichEdit::PlainText() const {
  if (FPendingDocument != nullptr) return FPendingDocument->toPlainText().toStdString();
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
  if (FWidget != nullptr) SetPaletteColor(*Box(FWidget), QPalette::Base, FColor);
  Invalidate();
}

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

TRichEdit::~TRichEdit() {
  // A document not yet shown belongs to no box.
  delete FPendingDocument;
  FPendingDocument = nullptr;
}

void TRichEdit::LoadFromRtf(const std::string& Rtf) {
  delete FPendingDocument;
  FPendingDocument = nullptr;
  FPendingRtf = Rtf;
  FRtfFont = FFont;
  FRtfPending = true;
  if (FWidget != nullptr && FWidget->isVisible()) AttachPendingDocument();
}

QTextDocument* TRichEdit::PendingDocument() const {
  if (FRtfPending) {
    auto* document = new QTextDocument();
    RtfToTextDocument(ParseRtf(FPendingRtf), *document, ToQFont(FRtfFont));
    FPendingDocument = document;
    FRtfPending = false;
    FPendingRtf.clear();
  }
  return FPendingDocument;
}

void TRichEdit::AttachPendingDocument() {
  if (FWidget == nullptr) return;
  QTextDocument* document = PendingDocument();
  if (document == nullptr) return;
  QTextEdit* box = Box(FWidget);
  // The box frees the document it made itself; the ones loaded here become the box's
  // children, and the one shown before is freed here.
  QTextDocument* old = box->document();
  const bool loadedEarlier = old != nullptr && old->parent() == box;
  document->setParent(box);
  box->setDocument(document);
  FPendingDocument = nullptr;
  if (loadedEarlier) delete old;
  // A new document is read from its start.
  box->moveCursor(QTextCursor::Start);
  box->verticalScrollBar()->setValue(0);
}

QTextDocument* TRichEdit::Document() {
  if (QTextDocument* pending = PendingDocument()) return pending;
  return Box(Handle())->document();
}

std::string TRichEdit::PlainText() const {
  if (QTextDocument* pending = PendingDocument()) return pending->toPlainText().toStdString();
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

#include "Memo.h"

#include <QPlainTextEdit>

#include "qt/ScrollBarsGlue.h"

namespace {
QPlainTextEdit* Box(QWidget* W) { return static_cast<QPlainTextEdit*>(W); }

QString JoinLines(const TStringList& Lines) {
  QStringList lines;
  for (const std::string& line : Lines.Items()) lines << QString::fromStdString(line);
  return lines.join(QLatin1Char('\n'));
}

QPlainTextEdit::LineWrapMode WrapMode(bool WordWrap) {
  return WordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap;
}
}  // namespace

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 185;
  FHeight = 89;
  FColor = clWindow;
  FTabStop = true;
  FLines.OnChange = [this] { LinesChanged(); };
}

TMemo::~TMemo() {
  FLines.OnChange = nullptr;
  delete FSignals;
  FSignals = nullptr;
}

QWidget* TMemo::CreateWidget() {
  auto* box = new QPlainTextEdit();
  // Tab moves to the next control, as in every other box of a form.
  box->setTabChangesFocus(true);
  box->setReadOnly(FReadOnly);
  box->setLineWrapMode(WrapMode(FWordWrap));
  ApplyScrollBars(*box, FScrollBars);
  FSyncing = true;
  box->setPlainText(JoinLines(FLines));
  FSyncing = false;
  FSignals = new QObject();
  QObject::connect(box, &QPlainTextEdit::textChanged, FSignals, [this] { WidgetTextChanged(); });
  return box;
}

void TMemo::LinesChanged() {
  if (FSyncing || FWidget == nullptr) return;
  FSyncing = true;
  Box(FWidget)->setPlainText(JoinLines(FLines));
  FSyncing = false;
}

void TMemo::WidgetTextChanged() {
  if (FSyncing) return;
  FSyncing = true;
  FLines.SetText(Box(FWidget)->toPlainText().toStdString());
  FSyncing = false;
}

void TMemo::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (FWidget != nullptr) Box(FWidget)->setReadOnly(Value);
}

void TMemo::SetScrollBars(TScrollStyle Value) {
  FScrollBars = Value;
  if (FWidget != nullptr) ApplyScrollBars(*Box(FWidget), Value);
}

void TMemo::SetWordWrap(bool Value) {
  FWordWrap = Value;
  if (FWidget != nullptr) Box(FWidget)->setLineWrapMode(WrapMode(Value));
}

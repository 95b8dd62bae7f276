#include "Edit.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "qt/GuardedCall.h"
#include "qt/KeyChars.h"

namespace {
// Qt's own limit stands for "no limit".
constexpr int kUnlimited = 32767;

// The box's length limit for a MaxLength: 0 means none.
int BoxLimit(int MaxLength) { return MaxLength > 0 ? MaxLength : kUnlimited; }

// A line edit whose typed characters pass the control's OnKeyPress first.
class TkLineEdit : public QLineEdit {
 public:
  explicit TkLineEdit(TEdit* Edit) : FEdit(Edit) {}

  // Hands a character that has already been through OnKeyPress to the box, as the
  // key that types it; Enter and Esc that the box ignores go on to the form.
  void Deliver(char Key) {
    std::unique_ptr<QKeyEvent> event = KeyEventFor(Key);
    if (event == nullptr) return;
    const bool was = FFiltered;
    FFiltered = true;
    QCoreApplication::sendEvent(this, event.get());
    FFiltered = was;
  }

 protected:
  void keyPressEvent(QKeyEvent* Event) override {
    if (FFiltered) {
      QLineEdit::keyPressEvent(Event);
      return;
    }
    const char typed = KeyPressChar(*Event);
    if (typed == 0) {
      if (IsPlainTyping(*Event) && Event->text().size() > 1)
        TypeText(Event);
      else
        QLineEdit::keyPressEvent(Event);
      return;
    }
    const char key = Filter(typed);
    if (key == typed) {
      QLineEdit::keyPressEvent(Event);
      return;
    }
    // Swallowed or replaced: the typed key itself goes no further.
    Event->accept();
    if (key != 0) Deliver(key);
  }

  // Text composed by an input method is typing too.
  void inputMethodEvent(QInputMethodEvent* Event) override {
    const QString commit = Event->commitString();
    const QString kept = FilterText(commit);
    if (kept == commit) {
      QLineEdit::inputMethodEvent(Event);
      return;
    }
    QInputMethodEvent changed(Event->preeditString(), Event->attributes());
    changed.setCommitString(kept, Event->replacementStart(), Event->replacementLength());
    QLineEdit::inputMethodEvent(&changed);
  }

 private:
  static bool IsPlainTyping(const QKeyEvent& Event) {
    return (Event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
  }

  // Runs OnKeyPress; a handler that fails swallows the key.
  char Filter(char Key) {
    if (!FEdit->OnKeyPress) return Key;
    char result = 0;
    GuardedCall(FEdit, [&] {
      char k = Key;
      FEdit->OnKeyPress(FEdit, k);
      result = k;
    });
    return result;
  }

  // Each character through OnKeyPress; only printable results can join the text.
  QString FilterText(const QString& Text) {
    QString kept;
    for (QChar c : Text) {
      const char typed = HandlerChar(c);
      const char key = Filter(typed);
      if (key == typed)
        kept += c;
      else if (key != 0 && CharFromHandler(key).isPrint())
        kept += CharFromHandler(key);
    }
    return kept;
  }

  // A key press that types several characters at once.
  void TypeText(QKeyEvent* Event) {
    const QString kept = FilterText(Event->text());
    if (kept == Event->text()) {
      QLineEdit::keyPressEvent(Event);
      return;
    }
    Event->accept();
    if (kept.isEmpty()) return;
    QKeyEvent changed(QEvent::KeyPress, Qt::Key_unknown, Event->modifiers(), kept);
    QLineEdit::keyPressEvent(&changed);
  }

  TEdit* FEdit;
  bool FFiltered = false;  // the key being delivered has been through OnKeyPress
};
}  // namespace

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 121;
  FHeight = 21;
  FColor = clWindow;
  FTabStop = true;
}

TEdit::~TEdit() {
  delete FSignals;
  FSignals = nullptr;
}

QWidget* TEdit::CreateWidget() {
  auto* box = new TkLineEdit(this);
  box->setMaxLength(BoxLimit(FMaxLength));
  box->setText(QString::fromStdString(FText));
  FText.clear();
  FSignals = new QObject();
  // Only the user's edits change the text through this signal; SetText does not.
  QObject::connect(box, &QLineEdit::textEdited, FSignals, [this] {
    if (OnChange) GuardedCall(this, [this] { OnChange(this); });
  });
  return box;
}

std::string TEdit::Text() const {
  if (FWidget == nullptr) return FText;
  return static_cast<QLineEdit*>(FWidget)->text().toStdString();
}

namespace {
// The text cut to the length limit, as the box cuts what it is given.
QString Limited(QString Text, int MaxLength) {
  Text.truncate(BoxLimit(MaxLength));
  return Text;
}
}  // namespace

void TEdit::SetText(const std::string& Value) {
  if (FWidget == nullptr) {
    FText = Limited(QString::fromStdString(Value), FMaxLength).toStdString();
    return;
  }
  static_cast<QLineEdit*>(FWidget)->setText(QString::fromStdString(Value));
}

void TEdit::SetMaxLength(int Value) {
  FMaxLength = Value;
  if (FWidget != nullptr)
    static_cast<QLineEdit*>(FWidget)->setMaxLength(BoxLimit(Value));
  else
    FText = Limited(QString::fromStdString(FText), Value).toStdString();
}

void TEdit::KeyPress(char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
  if (Key != 0) static_cast<TkLineEdit*>(Handle())->Deliver(Key);
}

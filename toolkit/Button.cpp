#include "Button.h"

#include <QKeyEvent>
#include <QPushButton>

#include "qt/GuardedCall.h"

namespace {
// A push button that answers Enter itself while it has the focus, whether or not it
// is the form's default button; Esc goes on to the form's cancel button.
class TkPushButton : public QPushButton {
 protected:
  void keyPressEvent(QKeyEvent* Event) override {
    const bool plain = (Event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter)) {
      Event->accept();
      click();
      return;
    }
    QPushButton::keyPressEvent(Event);
  }
};
}  // namespace

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 75;
  FHeight = 25;
  FTabStop = true;
}

TButton::~TButton() {
  delete FSignals;
  FSignals = nullptr;
}

QWidget* TButton::CreateWidget() {
  auto* button = new TkPushButton();
  button->setText(QString::fromStdString(FCaption));
  // The form answers Enter and Esc (toolkit/qt/DialogKeys.h); Qt's own default-button
  // handling, meant for dialogs, must not compete with it.
  button->setAutoDefault(false);
  button->setDefault(FDefault);
  FSignals = new QObject();
  QObject::connect(button, &QPushButton::clicked, FSignals, [this] { GuardedCall(this, [this] { Click(); }); });
  return button;
}

void TButton::SetCaption(const std::string& Value) {
  FCaption = Value;
  if (FWidget != nullptr) static_cast<QPushButton*>(FWidget)->setText(QString::fromStdString(Value));
}

void TButton::SetDefault(bool Value) {
  FDefault = Value;
  // Only the look: the default button is drawn with a heavier frame.
  if (FWidget != nullptr) static_cast<QPushButton*>(FWidget)->setDefault(Value);
}

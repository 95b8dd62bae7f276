#include "ComboBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>

#include "qt/GuardedCall.h"

namespace {
// An editable combo box whose drop-down shows the control's DropDownCount entries.
class TkComboBox : public QComboBox {
 public:
  explicit TkComboBox(const TComboBox* Combo) : FCombo(Combo) {}
  void showPopup() override {
    setMaxVisibleItems(std::max(1, FCombo->DropDownCount));
    QComboBox::showPopup();
  }

 private:
  const TComboBox* FCombo;
};

QComboBox* Box(QWidget* W) { return static_cast<QComboBox*>(W); }
}  // namespace

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 145;
  FHeight = 21;
  FColor = clWindow;
  FTabStop = true;
  FItems.OnChange = [this] { ItemsChanged(); };
}

TComboBox::~TComboBox() {
  FItems.OnChange = nullptr;
  delete FSignals;
  FSignals = nullptr;
}

QWidget* TComboBox::CreateWidget() {
  auto* box = new TkComboBox(this);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  // Typing completes nothing: the field holds exactly what the user typed.
  box->setCompleter(nullptr);
  box->setMaxVisibleItems(std::max(1, DropDownCount));
  for (const std::string& item : FItems.Items()) box->addItem(QString::fromStdString(item));
  // Adding entries to an empty box selects the first; the box takes the control's selection.
  box->setCurrentIndex(FItemIndex);
  box->setEditText(QString::fromStdString(FText));
  FSignals = new QObject();
  // Both signals come from the user only: choosing an entry, and editing the field.
  QObject::connect(box, &QComboBox::activated, FSignals, [this](int) { UserChanged(); });
  QObject::connect(box->lineEdit(), &QLineEdit::textEdited, FSignals, [this] {
    FollowTypedText();
    UserChanged();
  });
  return box;
}

void TComboBox::UserChanged() {
  if (FUpdating || !OnChange) return;
  GuardedCall(this, [this] { OnChange(this); });
}

void TComboBox::ItemsChanged() {
  // The selected entry stays selected while it keeps its place; otherwise the field
  // keeps its text and selects the entry that matches it, if any. Emptying the list
  // empties the field.
  const auto kept = [this](int Index, const std::string& Text) {
    if (Index < 0 || Index >= FItems.Count() || FItems.Strings(Index) != Text) Index = FItems.IndexOf(Text);
    return Index;
  };
  if (FWidget == nullptr) {
    FItemIndex = kept(FItemIndex, FText);
    if (FItemIndex >= 0)
      FText = FItems.Strings(FItemIndex);
    else if (FItems.Count() == 0)
      FText.clear();
    return;
  }
  QComboBox* box = Box(FWidget);
  const QString text = box->currentText();
  const int index = kept(box->currentIndex(), text.toStdString());
  FUpdating = true;
  const QSignalBlocker block(box);
  box->clear();
  for (const std::string& item : FItems.Items()) box->addItem(QString::fromStdString(item));
  box->setCurrentIndex(index);
  if (index < 0 && box->count() > 0) box->setEditText(text);
  FUpdating = false;
}

void TComboBox::FollowTypedText() {
  QComboBox* box = Box(FWidget);
  QLineEdit* field = box->lineEdit();
  const QString typed = field->text();
  const int cursor = field->cursorPosition();
  const int index = FItems.IndexOf(typed.toStdString());
  if (index == box->currentIndex()) return;
  const QSignalBlocker block(box);
  box->setCurrentIndex(index);
  // Selecting rewrites the field (empty for no entry, the entry's spelling for one
  // that differs in case); the user's typing stays as it was.
  if (field->text() != typed) {
    field->setText(typed);
    field->setCursorPosition(cursor);
  }
}

int TComboBox::ItemIndex() const { return FWidget != nullptr ? Box(FWidget)->currentIndex() : FItemIndex; }

void TComboBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems.Count()) Value = -1;
  if (FWidget == nullptr) {
    // Selecting shows the entry in the field; selecting none empties it.
    FItemIndex = Value;
    FText = Value >= 0 ? FItems.Strings(Value) : std::string();
    return;
  }
  QComboBox* box = Box(FWidget);
  FUpdating = true;
  const QSignalBlocker block(box);
  box->setCurrentIndex(Value);
  FUpdating = false;
}

std::string TComboBox::Text() const { return FWidget != nullptr ? Box(FWidget)->currentText().toStdString() : FText; }

void TComboBox::SetText(const std::string& Value) {
  if (FWidget == nullptr) {
    FItemIndex = FItems.IndexOf(Value);
    FText = Value;
    return;
  }
  QComboBox* box = Box(FWidget);
  FUpdating = true;
  const QSignalBlocker block(box);
  box->setCurrentIndex(FItems.IndexOf(Value));
  box->setEditText(QString::fromStdString(Value));
  FUpdating = false;
}

// The editable combo box: selection from code raises nothing, the user's choices and
// typing raise OnChange, and the selection follows the typed text.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/ComboBox.h"
#include "toolkit/Form.h"

namespace {

class ComboBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Combo = new TComboBox(Form.get());
    Combo->SetParent(Form.get());
    Combo->Items().SetText("COM1\nCOM2\nCOM3\nCOM4");
    Combo->OnChange = [this](TObject* Sender) {
      EXPECT_EQ(Sender, Combo);
      ++Changes;
    };
    Box = qobject_cast<QComboBox*>(Combo->Handle());
    ASSERT_NE(Box, nullptr);
  }

  std::unique_ptr<TForm> Form;
  TComboBox* Combo = nullptr;
  QComboBox* Box = nullptr;
  int Changes = 0;
};

TEST_F(ComboBoxTest, NewBoxSelectsNothingEvenWithEntries) {
  EXPECT_EQ(Box->count(), 4);
  EXPECT_EQ(Combo->ItemIndex(), -1);
  EXPECT_EQ(Combo->Text(), "");
  // Filling a box whose widget already exists is the same.
  TComboBox other(nullptr);
  other.Handle();
  other.Items().Add("IRQ 5");
  EXPECT_EQ(other.ItemIndex(), -1);
  EXPECT_EQ(other.Text(), "");
}

TEST_F(ComboBoxTest, SelectingFromCodeShowsTheEntryAndRaisesNothing) {
  Combo->SetItemIndex(2);
  EXPECT_EQ(Combo->ItemIndex(), 2);
  EXPECT_EQ(Combo->Text(), "COM3");
  Combo->SetItemIndex(-1);
  EXPECT_EQ(Combo->Text(), "");
  Combo->SetItemIndex(9);
  EXPECT_EQ(Combo->ItemIndex(), -1);
  Combo->SetText("com2");
  EXPECT_EQ(Combo->ItemIndex(), 1);
  EXPECT_EQ(Combo->Text(), "com2");
  Combo->SetText("COM9");
  EXPECT_EQ(Combo->ItemIndex(), -1);
  EXPECT_EQ(Combo->Text(), "COM9");
  EXPECT_EQ(Changes, 0);
}

TEST_F(ComboBoxTest, ChoosingAnEntryRaisesOnChangeOnce) {
  Combo->SetItemIndex(0);
  // Down arrow in the closed box chooses the next entry.
  QTest::keyClick(Box, Qt::Key_Down);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Combo->ItemIndex(), 1);
  EXPECT_EQ(Combo->Text(), "COM2");

  // Choosing from the open list.
  Changes = 0;
  Box->showPopup();
  QAbstractItemView* list = Box->view();
  list->setCurrentIndex(list->model()->index(3, 0));
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Combo->ItemIndex(), 3);
  EXPECT_EQ(Combo->Text(), "COM4");
}

TEST_F(ComboBoxTest, TypingRaisesOnChangeAndSelectsTheMatchingEntry) {
  struct Case {
    const char* Name;
    const char* Typed;
    int ExpectedIndex;
  };
  const std::vector<Case> cases = {
      {"an entry's text selects it", "COM3", 2},
      {"case does not matter", "com2", 1},
      {"a prefix selects nothing", "COM", -1},
      {"other text selects nothing", "COM9", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Combo->SetItemIndex(0);
    Box->lineEdit()->selectAll();
    Changes = 0;
    QTest::keyClicks(Box, c.Typed);
    EXPECT_EQ(Changes, static_cast<int>(std::string(c.Typed).size()));
    EXPECT_EQ(Combo->ItemIndex(), c.ExpectedIndex);
    // Whatever gets selected, the field holds what was typed, and typing goes on at its end.
    EXPECT_EQ(Combo->Text(), c.Typed);
    EXPECT_EQ(Box->lineEdit()->cursorPosition(), static_cast<int>(std::string(c.Typed).size()));
  }
}

TEST_F(ComboBoxTest, ChangingTheEntriesKeepsTheSelectionWhileItStays) {
  Combo->SetItemIndex(1);
  Combo->Items().Add("COM5");
  EXPECT_EQ(Combo->ItemIndex(), 1);
  EXPECT_EQ(Combo->Text(), "COM2");
  // The selected entry moves: the field keeps its text and selects it where it went.
  Combo->Items().Insert(0, "LPT1");
  EXPECT_EQ(Combo->ItemIndex(), 2);
  EXPECT_EQ(Combo->Text(), "COM2");
  Combo->Items().Delete(2);
  EXPECT_EQ(Combo->ItemIndex(), -1);
  EXPECT_EQ(Combo->Text(), "COM2");
  Combo->Items().Clear();
  EXPECT_EQ(Combo->ItemIndex(), -1);
  EXPECT_EQ(Combo->Text(), "");
  EXPECT_EQ(Changes, 0);
}

TEST_F(ComboBoxTest, DropDownShowsAtMostDropDownCountEntries) {
  for (int i = 5; i <= 12; ++i) Combo->Items().Add("COM" + std::to_string(i));
  Combo->DropDownCount = 3;
  Form->Show();
  Box->showPopup();
  QAbstractItemView* list = Box->view();
  const int row = list->sizeHintForRow(0);
  ASSERT_GT(row, 0);
  EXPECT_LT(list->viewport()->height(), 4 * row);
  EXPECT_GE(list->viewport()->height(), 3 * row);
  Box->hidePopup();
}

}  // namespace

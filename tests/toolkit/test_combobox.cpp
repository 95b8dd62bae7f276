// The editable combo box: selection from code raises nothing, the user's choices and
// typing raise OnChange, and the selection follows the typed text.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>
#include <functional>
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

// What code does to a box reads back the same whether its widget exists yet or not
// (a box on a hidden panel gets its widget when the panel is first shown), and a
// widget made later shows the state the box had.
TEST(ComboBoxStateTest, CodeChangesReadTheSameWithAndWithoutTheWidget) {
  struct Step {
    const char* Name;
    std::function<void(TComboBox&)> Do;
    int Index;
    const char* Text;
  };
  const std::vector<Step> steps = {
      {"a new box selects nothing", [](TComboBox&) {}, -1, ""},
      {"select an entry", [](TComboBox& c) { c.SetItemIndex(2); }, 2, "COM3"},
      {"select none", [](TComboBox& c) { c.SetItemIndex(-1); }, -1, ""},
      {"an index off the list selects none", [](TComboBox& c) { c.SetItemIndex(9); }, -1, ""},
      {"text of an entry, other case", [](TComboBox& c) { c.SetText("com2"); }, 1, "com2"},
      {"text of no entry", [](TComboBox& c) { c.SetText("COM9"); }, -1, "COM9"},
      {"select again", [](TComboBox& c) { c.SetItemIndex(1); }, 1, "COM2"},
      {"an entry added after it", [](TComboBox& c) { c.Items().Add("COM5"); }, 1, "COM2"},
      {"the selected entry moves", [](TComboBox& c) { c.Items().Insert(0, "LPT1"); }, 2, "COM2"},
      {"the selected entry goes", [](TComboBox& c) { c.Items().Delete(2); }, -1, "COM2"},
      {"the text matches an entry added", [](TComboBox& c) { c.Items().Add("COM2"); }, 5, "COM2"},
      {"emptying the list empties the field", [](TComboBox& c) { c.Items().Clear(); }, -1, ""},
      {"text kept while entries come", [](TComboBox& c) {
         c.SetText("IRQ 7");
         c.Items().SetText("IRQ 3\nIRQ 4");
       }, -1, "IRQ 7"},
  };
  for (const bool widgetFirst : {true, false}) {
    SCOPED_TRACE(widgetFirst ? "widget made first" : "widget made last");
    TComboBox combo(nullptr);
    int changes = 0;
    combo.OnChange = [&changes](TObject*) { ++changes; };
    if (widgetFirst) combo.Handle();
    combo.Items().SetText("COM1\nCOM2\nCOM3\nCOM4");
    for (const Step& step : steps) {
      SCOPED_TRACE(step.Name);
      step.Do(combo);
      EXPECT_EQ(combo.ItemIndex(), step.Index);
      EXPECT_EQ(combo.Text(), step.Text);
    }
    EXPECT_EQ(combo.HandleAllocated(), widgetFirst);
    auto* box = qobject_cast<QComboBox*>(combo.Handle());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->count(), 2);
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_EQ(box->currentText(), "IRQ 7");
    EXPECT_EQ(changes, 0);
  }
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

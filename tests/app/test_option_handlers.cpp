// The handlers of the three settings groups, driven through the popups as the user
// meets them: the base-address entry, the IRQ list with its jumper bank, and the
// termination list with its jumper.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "support/MainWindowFixture.h"
#include "app/MainForm.h"
#include "setupctrls/BaseAddress.h"
#include "setupctrls/BoardHighlight.h"
#include "setupctrls/BoardImage.h"
#include "setupctrls/PopupForm.h"
#include "setupctrls/RadioPanel.h"
#include "setupctrls/TwoJumper.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Exceptions.h"
#include "toolkit/Label.h"
#include "toolkit/Memo.h"
#include "toolkit/Menu.h"
#include "toolkit/Screen.h"

namespace {

const char* const kBaseText =
    "Enter the base address(in hex, from 100 to 3F0) on the top, then set the card's address switch to match "
    "the one on the bottom.";
const char* const kIRQText =
    "Set these jumpers to specify what IRQ the SRX-880 generates interrupts on. If set to \"None\", no interrupts "
    "will be generated.";
const char* const kLoadText = "These jumpers should be set if this is the termination bus of the signal.";
const char* const kIRQNames[12] = {"None", "IRQ2",  "IRQ3",  "IRQ4",  "IRQ5",  "IRQ6",
                                   "IRQ7", "IRQ10", "IRQ11", "IRQ12", "IRQ14", "IRQ15"};

class OptionHandlers : public MainWindowTest {
 protected:
  // Hovers onto a circle and returns the popup its group shows.
  TPopupForm* Hover(TBoardHighlight* h) {
    h->Perform(CM_MOUSEENTER, 0, 0);
    QCoreApplication::processEvents();
    return GroupPopup(h);
  }
  TPopupForm* GroupPopup(TBoardHighlight* h) const {
    if (h->Popup() != nullptr) return h->Popup();
    for (TBoardHighlight* other : {form->BaseA, form->BaseB, form->BaseC, form->BaseD})
      if (h->IsLinkedWith(other) && other->Popup() != nullptr) return other->Popup();
    return nullptr;
  }
  TMenuItem* Entry(const char* name) const { return static_cast<TMenuItem*>(form->FindComponent(name)); }
  static TButton* Button(TPopupForm* p, const char* name) { return static_cast<TButton*>(p->FindComponent(name)); }
  static TMemo* Memo(TPopupForm* p) { return static_cast<TMemo*>(p->FindComponent("StatusMemo")); }

  // Chooses an entry from the open drop-down with the keyboard, as the user does.
  static void Choose(TComboBox* combo, int index) {
    auto* box = qobject_cast<QComboBox*>(combo->Handle());
    ASSERT_NE(box, nullptr);
    box->showPopup();
    QCoreApplication::processEvents();
    QAbstractItemView* list = box->view();
    list->setCurrentIndex(list->model()->index(index, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QCoreApplication::processEvents();
  }
  // Replaces the text of a list's field by typing.
  static void TypeInto(TComboBox* combo, const char* text) {
    auto* box = qobject_cast<QComboBox*>(combo->Handle());
    ASSERT_NE(box, nullptr);
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), text);
  }
  // The Tags of the closed jumpers of the IRQ bank.
  static std::vector<int> ClosedIRQJumpers() {
    std::vector<int> closed;
    for (int k = 1; k <= 11; ++k)
      if (IRQJumpers[k] != nullptr && IRQJumpers[k]->Closed()) closed.push_back(k);
    return closed;
  }
  // Children of a panel by exact class name.
  static int CountChildren(TWinControl* parent, const std::string& className) {
    int n = 0;
    for (int i = 0; i < parent->ControlCount(); ++i) n += parent->Controls(i)->ClassName() == className;
    return n;
  }

};

TEST_F(OptionHandlers, BaseAddressEntryIsRepairedOnEnter) {
  struct Row {
    const char* Entered;
    const char* Shown;
  };
  const Row rows[] = {
      {"200", "200"},
      {"2F7", "2F8"},
      {"104", "100"},  // 32.5 eighths go to 32
      {"10C", "110"},  // 33.5 eighths go to 34
      {"3F4", "3F0"},  // 126.5 eighths go to 126
      {"3F5", "3F0"},  // rounds to 3F8, above the highest address
      {"FF", "100"},
      {"0", "100"},
      {"400", "3F0"},
      {"000000000200", "200"},
      {"123456789", "3F0"},
      {"7FFFFFFF", "3F0"},
      {"80000000", "3F0"},
      {"FFFFFFFF", "3F0"},
      {"2X00", "200"},
      {" 1 0 0", "100"},
      {"", "100"},
      {"xyz", "100"},
      {"ghij!", "100"},
  };
  TPopupForm* popup = Hover(form->BaseA);
  ASSERT_NE(popup, nullptr);
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string("entered \"") + row.Entered + "\"");
    // A drawing at an address no row gives shows whether Enter redrew it.
    form->BaseBA->SetBaseAddressStr("158");
    form->BaseEdit->SetText(row.Entered);
    char key = 13;
    form->BaseEdit->KeyPress(key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(form->BaseEdit->Text(), row.Shown);
    EXPECT_EQ(form->BaseBA->BaseAddressStr(), row.Shown);
    EXPECT_EQ(form->BaseBA->Address(), std::stoi(row.Shown, nullptr, 16));
  }
  EXPECT_TRUE(popup->Visible());
}

TEST_F(OptionHandlers, KeyFilterThroughTheHandler) {
  struct Row {
    const char* Name;
    char Typed;
    char Passed;    // the key the box receives, 0 when swallowed
    const char* Box;  // the box's text afterwards, starting from "2"
  };
  const Row rows[] = {
      {"letter beyond F", 'g', 0, "2"},
      {"blank", ' ', 0, "2"},
      {"comma", ',', 0, "2"},
      {"Ctrl+V", 22, 0, "2"},
      {"Ctrl+C", 3, 0, "2"},
      {"Escape", 27, 0, "2"},
      {"character above 127", static_cast<char>(0xE4), 0, "2"},
      {"lower-case hex letter", 'a', 'A', "2A"},
      {"upper-case hex letter", 'F', 'F', "2F"},
      {"digit", '7', '7', "27"},
      {"Backspace", 8, 8, ""},
  };
  Hover(form->BaseB);
  QGuiApplication::clipboard()->setText("ABC");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    form->BaseEdit->SetText("2");
    form->BaseBA->SetBaseAddressStr("158");
    char key = row.Typed;
    form->BaseEdit->KeyPress(key);
    EXPECT_EQ(key, row.Passed);
    EXPECT_EQ(form->BaseEdit->Text(), row.Box);
    // Only Enter changes the drawing.
    EXPECT_EQ(form->BaseBA->BaseAddressStr(), "158");
  }
}

TEST_F(OptionHandlers, TypingIntoTheBoxWithTheKeyboard) {
  TPopupForm* popup = Hover(form->BaseC);
  ASSERT_NE(popup, nullptr);
  QWidget* box = form->BaseEdit->Handle();
  QGuiApplication::clipboard()->setText("ABC");
  form->BaseEdit->SetText("");

  // Hex digits go in, lower-case letters upper-cased; everything else is kept out.
  QTest::keyClicks(box, "2g ,");
  QTest::sendKeyEvent(QTest::Click, box, static_cast<Qt::Key>(0xC4), QString(QChar(0xE4)), Qt::NoModifier);
  QTest::keyClicks(box, "f7");
  EXPECT_EQ(form->BaseEdit->Text(), "2F7");
  // The shortcuts' control characters are swallowed too, so nothing is pasted.
  QTest::sendKeyEvent(QTest::Click, box, Qt::Key_V, QString(), Qt::ControlModifier);
  QTest::sendKeyEvent(QTest::Click, box, Qt::Key_C, QString(), Qt::ControlModifier);
  EXPECT_EQ(form->BaseEdit->Text(), "2F7");
  EXPECT_EQ(form->BaseBA->BaseAddressStr(), "200");

  // Enter confirms: the box shows the repaired address and the drawing follows.
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(form->BaseEdit->Text(), "2F8");
  EXPECT_EQ(form->BaseBA->BaseAddressStr(), "2F8");
  // Nothing else answered the key: the popup stays open.
  EXPECT_TRUE(popup->Visible());

  // Backspace edits; typing without Enter leaves the drawing as it was.
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, "0");
  EXPECT_EQ(form->BaseEdit->Text(), "2F0");
  EXPECT_EQ(form->BaseBA->BaseAddressStr(), "2F8");
  QTest::keyClick(box, Qt::Key_Enter);
  EXPECT_EQ(form->BaseBA->BaseAddressStr(), "2F0");

  // Pasting from the box's context menu is not typing: the text arrives as it was,
  // and Enter repairs it.
  auto* line = qobject_cast<QLineEdit*>(box);
  ASSERT_NE(line, nullptr);
  QGuiApplication::clipboard()->setText(" 1 0 8,x");
  line->selectAll();
  line->paste();
  EXPECT_EQ(form->BaseEdit->Text(), " 1 0 8,x");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(form->BaseEdit->Text(), "108");
  EXPECT_EQ(form->BaseBA->BaseAddressStr(), "108");
}

TEST_F(OptionHandlers, BaseAddressGroupAsOpenedFromEachCircle) {
  for (TBoardHighlight* TMainForm::*member : {&TMainForm::BaseA, &TMainForm::BaseB, &TMainForm::BaseC,
                                             &TMainForm::BaseD}) {
    TearDown();
    SetUp();
    TBoardHighlight* circle = form.get()->*member;
    SCOPED_TRACE(circle->Name());
    TPopupForm* popup = Hover(circle);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(form->BasePanel->Parent(), popup);
    EXPECT_EQ(form->BaseEdit->Parent(), form->BasePanel);
    EXPECT_EQ(form->BaseEdit->Text(), "200");
    EXPECT_EQ(form->BaseBA->Parent(), form->BasePanel);
    EXPECT_EQ(form->BaseBA->BaseAddressStr(), "200");
    EXPECT_EQ(form->BaseBA->Address(), 0x200);
    ASSERT_EQ(Memo(popup)->Lines().Count(), 1);
    EXPECT_EQ(Memo(popup)->Lines().Strings(0), kBaseText);
    // Every other circle of the group shows this same window.
    for (TBoardHighlight* other : {form->BaseA, form->BaseB, form->BaseC, form->BaseD}) {
      EXPECT_EQ(Hover(other), popup) << other->Name();
      EXPECT_TRUE(popup->Visible());
    }
  }
}

TEST_F(OptionHandlers, EnteredAddressIsKeptAcrossPopups) {
  TPopupForm* popup = Hover(form->BaseA);
  form->BaseEdit->SetText("3a8");
  char key = 13;
  form->BaseEdit->KeyPress(key);
  Button(popup, "DoneButton")->Click();
  ASSERT_FALSE(popup->Visible());
  EXPECT_EQ(Hover(form->BaseD), popup);
  EXPECT_EQ(form->BaseEdit->Text(), "3A8");
  EXPECT_EQ(form->BaseBA->BaseAddressStr(), "3A8");
}

TEST_F(OptionHandlers, IRQPopupWhenFirstOpened) {
  // The bank is built by the panel's entry handler, not by the window's definition.
  for (int k = 0; k < 12; ++k) {
    EXPECT_EQ(IRQJumpers[k], nullptr);
    EXPECT_EQ(IRQLabels[k], nullptr);
  }
  EXPECT_EQ(form->IRQBox->ItemIndex(), -1);

  // Opened from its menu entry: the popup focuses the panel, which builds the bank.
  Entry("IRQLevel1")->Click();
  QCoreApplication::processEvents();
  TPopupForm* popup = form->IRQ->Popup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(form->IRQPanel->Parent(), popup);
  EXPECT_TRUE(form->IRQPanel->ContainsControl(popup->ActiveControl()));
  ASSERT_EQ(Memo(popup)->Lines().Count(), 1);
  EXPECT_EQ(Memo(popup)->Lines().Strings(0), kIRQText);

  EXPECT_EQ(form->IRQBox->ItemIndex(), 0);
  EXPECT_EQ(form->IRQBox->Text(), "None");
  ASSERT_EQ(form->IRQBox->Items().Count(), 12);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(form->IRQBox->Items().Strings(i), kIRQNames[i]);

  for (int k = 1; k <= 11; ++k) {
    SCOPED_TRACE("row " + std::to_string(k));
    TTwoJumper* jumper = IRQJumpers[k];
    ASSERT_NE(jumper, nullptr);
    EXPECT_EQ(jumper->Tag, k);
    EXPECT_EQ(jumper->BoundsRect(), Bounds(80, 18 * (k - 1), 34, 18));
    EXPECT_EQ(jumper->Parent(), form->IRQPanel);
    EXPECT_EQ(jumper->Owner(), form.get());
    EXPECT_FALSE(jumper->Closed());
    TLabel* label = IRQLabels[k];
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption(), kIRQNames[k]);
    EXPECT_EQ(label->Left(), 120);
    EXPECT_EQ(label->Top(), 18 * (k - 1) + 2);
    EXPECT_GT(label->Width(), 0);
    EXPECT_EQ(label->Parent(), form->IRQPanel);
    EXPECT_EQ(label->Owner(), form.get());
  }
  // Slot 0 is not part of the bank.
  EXPECT_EQ(IRQJumpers[0], nullptr);
  EXPECT_EQ(IRQLabels[0], nullptr);
}

TEST_F(OptionHandlers, IRQListAndBankFollowEachOther) {
  TPopupForm* popup = Hover(form->IRQ);
  ASSERT_NE(popup, nullptr);
  ASSERT_NE(IRQJumpers[11], nullptr);
  EXPECT_EQ(ClosedIRQJumpers(), std::vector<int>{});

  Choose(form->IRQBox, 4);
  EXPECT_EQ(form->IRQBox->Text(), "IRQ5");
  EXPECT_EQ(ClosedIRQJumpers(), std::vector<int>{4});

  // Opening and closing the drop-down is no new entry into the panel: the choice stays.
  auto* box = qobject_cast<QComboBox*>(form->IRQBox->Handle());
  box->showPopup();
  QCoreApplication::processEvents();
  box->hidePopup();
  QCoreApplication::processEvents();
  EXPECT_EQ(form->IRQBox->ItemIndex(), 4);
  EXPECT_EQ(ClosedIRQJumpers(), std::vector<int>{4});

  // Clicking jumper 7 selects its line and opens the one closed before.
  IRQJumpers[7]->Click();
  EXPECT_EQ(form->IRQBox->ItemIndex(), 7);
  EXPECT_EQ(form->IRQBox->Text(), "IRQ10");
  EXPECT_EQ(ClosedIRQJumpers(), std::vector<int>{7});
  // Clicking it again removes the cap: no interrupt line.
  IRQJumpers[7]->Click();
  EXPECT_EQ(form->IRQBox->ItemIndex(), 0);
  EXPECT_EQ(form->IRQBox->Text(), "None");
  EXPECT_EQ(ClosedIRQJumpers(), std::vector<int>{});

  // A click with the mouse goes the same way and leaves the focus where it was.
  TWinControl* focused = popup->ActiveControl();
  QWidget* panel = form->IRQPanel->Handle();
  const QPoint onJumper2(80 + 17, 18 + 9);
  // The pointer reaches the jumper before the button goes down, as a hand on the mouse does.
  QMouseEvent move(QEvent::MouseMove, onJumper2, panel->mapToGlobal(onJumper2), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(panel, &move);
  QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, onJumper2);
  QCoreApplication::processEvents();
  EXPECT_EQ(form->IRQBox->Text(), "IRQ3");
  EXPECT_EQ(ClosedIRQJumpers(), std::vector<int>{2});
  EXPECT_EQ(popup->ActiveControl(), focused);

  // Text typed into the list's field selects the entry it names, or none.
  struct Typed {
    const char* Text;
    int Index;
    std::vector<int> Closed;
  };
  const Typed typed[] = {
      {"irq10", 7, {7}},
      {"IRQ9", -1, {}},
      {"IRQ15", 11, {11}},
      {"none", 0, {}},
  };
  for (const Typed& t : typed) {
    SCOPED_TRACE(t.Text);
    TypeInto(form->IRQBox, t.Text);
    EXPECT_EQ(form->IRQBox->ItemIndex(), t.Index);
    EXPECT_EQ(ClosedIRQJumpers(), t.Closed);
  }
}

TEST_F(OptionHandlers, EachEntryIntoTheIRQPanelStartsAgainAtNone) {
  TPopupForm* popup = Hover(form->IRQ);
  ASSERT_NE(popup, nullptr);
  TTwoJumper* const firstJumper = IRQJumpers[1];
  TLabel* const lastLabel = IRQLabels[11];
  Choose(form->IRQBox, 9);
  ASSERT_EQ(ClosedIRQJumpers(), std::vector<int>{9});

  // To a button of the popup and back into the list.
  popup->FocusControl(Button(popup, "DoneButton"));
  QCoreApplication::processEvents();
  // Leaving alone changes nothing.
  EXPECT_EQ(form->IRQBox->ItemIndex(), 9);
  popup->FocusControl(form->IRQBox);
  QCoreApplication::processEvents();
  EXPECT_EQ(popup->ActiveControl(), form->IRQBox);
  EXPECT_EQ(form->IRQBox->ItemIndex(), 0);
  EXPECT_EQ(form->IRQBox->Text(), "None");
  EXPECT_EQ(ClosedIRQJumpers(), std::vector<int>{});
  // The bank is not built a second time.
  EXPECT_EQ(CountChildren(form->IRQPanel, "TTwoJumper"), 11);
  EXPECT_EQ(CountChildren(form->IRQPanel, "TLabel"), 11);
  EXPECT_EQ(IRQJumpers[1], firstJumper);
  EXPECT_EQ(IRQLabels[11], lastLabel);

  // Moving within the panel is no new entry.
  Choose(form->IRQBox, 2);
  popup->FocusControl(form->IRQPanel);
  popup->FocusControl(form->IRQBox);
  QCoreApplication::processEvents();
  EXPECT_EQ(form->IRQBox->ItemIndex(), 2);
  EXPECT_EQ(ClosedIRQJumpers(), std::vector<int>{2});

  // The same with the keyboard: Tab leaves the list for the popup's own controls and
  // Shift+Tab comes back, through Qt's focus chain.
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCoreApplication::processEvents();
  ASSERT_NE(popup->ActiveControl(), nullptr);
  EXPECT_FALSE(form->IRQPanel->ContainsControl(popup->ActiveControl())) << popup->ActiveControl()->Name();
  EXPECT_EQ(form->IRQBox->ItemIndex(), 2);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  QCoreApplication::processEvents();
  EXPECT_EQ(popup->ActiveControl(), form->IRQBox);
  EXPECT_EQ(form->IRQBox->ItemIndex(), 0);
  EXPECT_EQ(ClosedIRQJumpers(), std::vector<int>{});
}

TEST_F(OptionHandlers, JumperClickHandlerRefusesOtherSenders) {
  Hover(form->IRQ);
  // Only the bank's jumpers are bound to it; another class is a failed conversion.
  EXPECT_THROW(form->IRQJumperClick(form->IRQBox), EInvalidCast);
}

TEST_F(OptionHandlers, TerminationPopupAsOpened) {
  // Nothing is selected until the panel is first entered.
  EXPECT_EQ(form->LoadBox->ItemIndex(), -1);
  TPopupForm* popup = Hover(form->Load);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(form->LoadPanel->Parent(), popup);
  ASSERT_EQ(Memo(popup)->Lines().Count(), 1);
  EXPECT_EQ(Memo(popup)->Lines().Strings(0), kLoadText);

  EXPECT_EQ(form->LoadBox->Parent(), form->LoadPanel);
  EXPECT_EQ(form->LoadBox->BoundsRect(), Bounds(9, 21, 112, 21));
  ASSERT_EQ(form->LoadBox->Items().Count(), 2);
  EXPECT_EQ(form->LoadBox->Items().Strings(0), "None");
  EXPECT_EQ(form->LoadBox->Items().Strings(1), "120 ohm TRx+ to TRx-");
  // The panel's entry handler has shown "None".
  EXPECT_EQ(form->LoadBox->ItemIndex(), 0);
  EXPECT_EQ(form->LoadBox->Text(), "None");

  // The label sits left of the jumper, its right edge held at 155.
  EXPECT_EQ(form->Label29->Parent(), form->LoadPanel);
  EXPECT_EQ(form->Label29->Caption(), "LD");
  EXPECT_EQ(form->Label29->Alignment(), taRightJustify);
  EXPECT_EQ(form->Label29->Left() + form->Label29->Width(), 155);
  EXPECT_EQ(form->Label29->Top(), 21);
  EXPECT_LT(form->Label29->Left(), 155);

  EXPECT_EQ(form->LoadJumper->Parent(), form->LoadPanel);
  EXPECT_EQ(form->LoadJumper->BoundsRect(), Bounds(162, 19, 34, 18));
  EXPECT_FALSE(form->LoadJumper->Closed());
}

TEST_F(OptionHandlers, TerminationListAndJumperFollowEachOther) {
  Entry("Load1")->Click();
  QCoreApplication::processEvents();
  TPopupForm* popup = form->Load->Popup();
  ASSERT_NE(popup, nullptr);

  Choose(form->LoadBox, 1);
  EXPECT_EQ(form->LoadBox->Text(), "120 ohm TRx+ to TRx-");
  EXPECT_TRUE(form->LoadJumper->Closed());
  form->LoadJumper->Click();
  EXPECT_FALSE(form->LoadJumper->Closed());
  EXPECT_EQ(form->LoadBox->ItemIndex(), 0);
  EXPECT_EQ(form->LoadBox->Text(), "None");
  form->LoadJumper->Click();
  EXPECT_TRUE(form->LoadJumper->Closed());
  EXPECT_EQ(form->LoadBox->ItemIndex(), 1);

  // Text that names no entry shows the jumper open; the entry typed in other case closes it.
  TypeInto(form->LoadBox, "120 ohm");
  EXPECT_EQ(form->LoadBox->ItemIndex(), -1);
  EXPECT_FALSE(form->LoadJumper->Closed());
  TypeInto(form->LoadBox, "120 OHM TRX+ TO TRX-");
  EXPECT_EQ(form->LoadBox->ItemIndex(), 1);
  EXPECT_TRUE(form->LoadJumper->Closed());

  // Choosing again, then leaving the panel and coming back, starts at "None".
  Choose(form->LoadBox, 0);
  EXPECT_FALSE(form->LoadJumper->Closed());
  Choose(form->LoadBox, 1);
  ASSERT_TRUE(form->LoadJumper->Closed());
  popup->FocusControl(Button(popup, "NextButton"));
  QCoreApplication::processEvents();
  EXPECT_TRUE(form->LoadJumper->Closed());
  popup->FocusControl(form->LoadBox);
  QCoreApplication::processEvents();
  EXPECT_EQ(form->LoadBox->ItemIndex(), 0);
  EXPECT_EQ(form->LoadBox->Text(), "None");
  EXPECT_FALSE(form->LoadJumper->Closed());
}

}  // namespace

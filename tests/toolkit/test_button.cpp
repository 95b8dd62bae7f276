// Push buttons: clicks, errors in click handlers, and the form's Enter and Esc keys.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/TestHelpers.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Panel.h"

namespace {

// A form with an edit box, an OK button (default) and a Cancel button (cancel) that count their clicks.
class DialogKeysTest : public ::testing::Test {
 public:
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Edit = new TEdit(Form.get());
    Edit->SetParent(Form.get());
    Ok = MakeButton("OK", OkClicks);
    Ok->SetDefault(true);
    Cancel = MakeButton("Cancel", CancelClicks);
    Cancel->SetCancel(true);
  }

  TButton* MakeButton(const std::string& Caption, int& Clicks, TWinControl* Parent = nullptr) {
    auto* b = new TButton(Form.get());
    b->SetCaption(Caption);
    b->SetParent(Parent != nullptr ? Parent : Form.get());
    b->OnClick = [&Clicks](TObject*) { ++Clicks; };
    return b;
  }

  std::unique_ptr<TForm> Form;
  TEdit* Edit = nullptr;
  TButton* Ok = nullptr;
  TButton* Cancel = nullptr;
  int OkClicks = 0;
  int CancelClicks = 0;
};

TEST_F(DialogKeysTest, EnterAndEscClickTheButtonsThatAnswerThem) {
  struct Case {
    const char* Name;
    std::function<void(DialogKeysTest&)> Arrange;
    std::function<QWidget*(DialogKeysTest&)> Target;  // the widget with the focus
    Qt::Key Key;
    int OkClicks;
    int CancelClicks;
  };
  auto edit = [](DialogKeysTest& t) { return t.Edit->Handle(); };
  auto none = [](DialogKeysTest&) {};
  const std::vector<Case> cases = {
      {"Enter in an edit box clicks the default button", none, edit, Qt::Key_Return, 1, 0},
      {"keypad Enter likewise", none, edit, Qt::Key_Enter, 1, 0},
      {"Esc in an edit box clicks the cancel button", none, edit, Qt::Key_Escape, 0, 1},
      {"Enter the edit's handler swallows stays in the box",
       [](DialogKeysTest& t) { t.Edit->OnKeyPress = [](TObject*, char& K) { if (K == 13) K = 0; }; }, edit,
       Qt::Key_Return, 0, 0},
      {"Esc the edit's handler swallows stays in the box",
       [](DialogKeysTest& t) { t.Edit->OnKeyPress = [](TObject*, char& K) { if (K == 27) K = 0; }; }, edit,
       Qt::Key_Escape, 0, 0},
      {"a disabled default button does not answer", [](DialogKeysTest& t) { t.Ok->SetEnabled(false); }, edit,
       Qt::Key_Return, 0, 0},
      {"a hidden cancel button does not answer", [](DialogKeysTest& t) { t.Cancel->Hide(); }, edit,
       Qt::Key_Escape, 0, 0},
      {"a focused button answers Enter itself", none, [](DialogKeysTest& t) { return t.Cancel->Handle(); },
       Qt::Key_Return, 0, 1},
      {"Esc on a focused button goes to the cancel button", none, [](DialogKeysTest& t) { return t.Ok->Handle(); },
       Qt::Key_Escape, 0, 1},
      {"one button can be default and cancel", [](DialogKeysTest& t) { t.Cancel->SetDefault(true); t.Ok->SetDefault(false); },
       edit, Qt::Key_Return, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TearDown();
    OkClicks = CancelClicks = 0;
    SetUp();
    c.Arrange(*this);
    QTest::keyClick(c.Target(*this), c.Key);
    EXPECT_EQ(OkClicks, c.OkClicks);
    EXPECT_EQ(CancelClicks, c.CancelClicks);
  }
}

TEST_F(DialogKeysTest, DefaultButtonInsideAPanelAnswersEnter) {
  Ok->SetDefault(false);
  auto* panel = new TPanel(Form.get());
  panel->SetParent(Form.get());
  int nested = 0;
  MakeButton("Apply", nested, panel)->SetDefault(true);
  QTest::keyClick(Edit->Handle(), Qt::Key_Return);
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(OkClicks, 0);
}

TEST_F(DialogKeysTest, ClickHandlerErrorIsReportedAndTheProgramGoesOn) {
  MessageBoxRecorder boxes;
  int calls = 0;
  Ok->OnClick = [&](TObject* Sender) {
    EXPECT_EQ(Sender, Ok);
    ++calls;
    throw std::runtime_error("Cannot open the port");
  };
  QTest::mouseClick(Ok->Handle(), Qt::LeftButton);
  QTest::keyClick(Edit->Handle(), Qt::Key_Return);
  EXPECT_EQ(calls, 2);
  ASSERT_EQ(boxes.Requests.size(), 2u);
  EXPECT_EQ(boxes.Requests[0].Text, "Cannot open the port");
  EXPECT_EQ(boxes.Requests[0].Type, mtError);
  // The other buttons still work.
  QTest::mouseClick(Cancel->Handle(), Qt::LeftButton);
  EXPECT_EQ(CancelClicks, 1);
}

TEST_F(DialogKeysTest, CaptionMnemonicClicksTheButton) {
  Form->Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Window()));
  Cancel->SetCaption("&Quit");
  QTest::keyClick(Form->Window(), Qt::Key_Q, Qt::AltModifier);
  // The button shows itself pressed for a moment before it clicks.
  for (int i = 0; i < 100 && CancelClicks == 0; ++i) QTest::qWait(10);
  EXPECT_EQ(CancelClicks, 1);
  EXPECT_EQ(OkClicks, 0);
}

}  // namespace

// The edit box: OnKeyPress sees typed keys before the box, through real Qt key events.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/TestHelpers.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"

namespace {

// One key press as the keyboard sends it.
struct Stroke {
  Qt::Key Key;
  Qt::KeyboardModifiers Mods;
  QString Text;
};

// Characters typed one by one (Latin-1 text).
std::vector<Stroke> Chars(const QString& Text) {
  std::vector<Stroke> strokes;
  for (QChar c : Text) strokes.push_back({static_cast<Qt::Key>(c.toUpper().unicode()), Qt::NoModifier, QString(c)});
  return strokes;
}
Stroke Key(Qt::Key K) { return {K, Qt::NoModifier, QString()}; }
Stroke Ctrl(Qt::Key K) { return {K, Qt::ControlModifier, QString()}; }

std::vector<Stroke> operator+(std::vector<Stroke> A, const std::vector<Stroke>& B) {
  A.insert(A.end(), B.begin(), B.end());
  return A;
}
std::vector<Stroke> operator+(std::vector<Stroke> A, const Stroke& B) {
  A.push_back(B);
  return A;
}

void Type(QWidget* W, const std::vector<Stroke>& Strokes) {
  for (const Stroke& s : Strokes) QTest::sendKeyEvent(QTest::Click, W, s.Key, s.Text, s.Mods);
}

// The program's hexadecimal field: digits and hex letters (upper-cased), Backspace and Enter.
void HexOnly(TObject*, char& Key) {
  if (Key >= 'a' && Key <= 'f') Key = static_cast<char>(Key - 'a' + 'A');
  const bool hex = (Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'F');
  if (!hex && Key != 8 && Key != 13) Key = 0;
}

class EditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Edit = new TEdit(Form.get());
    Edit->SetParent(Form.get());
    Box = qobject_cast<QLineEdit*>(Edit->Handle());
    ASSERT_NE(Box, nullptr);
    QGuiApplication::clipboard()->setText("ABC");
  }

  std::unique_ptr<TForm> Form;
  TEdit* Edit = nullptr;
  QLineEdit* Box = nullptr;
};

TEST_F(EditTest, HandlerSeesEveryTypedCharacterAndShortcutAsItsControlCharacter) {
  std::vector<int> seen;
  Edit->OnKeyPress = [&](TObject* Sender, char& Key) {
    EXPECT_EQ(Sender, Edit);
    seen.push_back(static_cast<unsigned char>(Key));
  };
  Type(Box, Chars("x5 ") + Key(Qt::Key_Backspace) + Key(Qt::Key_Return) + Key(Qt::Key_Enter) + Key(Qt::Key_Escape) +
                Ctrl(Qt::Key_A) + Ctrl(Qt::Key_C) + Ctrl(Qt::Key_V) + Ctrl(Qt::Key_X) + Ctrl(Qt::Key_Z) +
                Key(Qt::Key_Left) + Key(Qt::Key_Delete) + Key(Qt::Key_Home));
  EXPECT_EQ(seen, (std::vector<int>{'x', '5', ' ', 8, 13, 13, 27, 1, 3, 22, 24, 26}));

  // Characters beyond ASCII reach the handler above 127, Latin-1 ones as their byte.
  seen.clear();
  QTest::sendKeyEvent(QTest::Click, Box, Qt::Key_Eacute, QString::fromUtf8("é"), Qt::NoModifier);
  QTest::sendKeyEvent(QTest::Click, Box, Qt::Key_unknown, QString::fromUtf8("€"), Qt::NoModifier);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], 0xE9);
  EXPECT_GT(seen[1], 127);
}

TEST_F(EditTest, HexFieldKeepsWhatTheHandlerLetsThroughAndTakesWhatItChanges) {
  struct Case {
    const char* Name;
    std::vector<Stroke> Input;
    std::string Expected;
  };
  const std::vector<Case> cases = {
      {"digits and hex letters, lower case made upper", Chars("1aF9"), "1AF9"},
      {"letters beyond F swallowed", Chars("9g2x"), "92"},
      {"Backspace passes", Chars("12") + Key(Qt::Key_Backspace), "1"},
      {"a character beyond ASCII swallowed", Chars("1") + Stroke{Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("é")}, "1"},
      {"Ctrl+V swallowed: nothing pasted", Chars("1") + Ctrl(Qt::Key_V), "1"},
      {"Ctrl+A swallowed: typing appends", Chars("12") + Ctrl(Qt::Key_A) + Chars("3"), "123"},
  };
  Edit->OnKeyPress = HexOnly;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Edit->SetText("");
    Type(Box, c.Input);
    EXPECT_EQ(Edit->Text(), c.Expected);
  }
}

TEST_F(EditTest, ShortcutsRunWhenTheHandlerLeavesThemAlone) {
  Edit->OnKeyPress = [](TObject*, char&) {};
  Type(Box, Chars("12") + Ctrl(Qt::Key_V));
  EXPECT_EQ(Edit->Text(), "12ABC");
  Type(Box, std::vector<Stroke>{Ctrl(Qt::Key_A)} + Chars("7"));
  EXPECT_EQ(Edit->Text(), "7");
}

TEST_F(EditTest, HandlerTurningOneCharacterIntoAnotherControlKeyDeliversThatKey) {
  // '-' becomes Backspace, '#' becomes Ctrl+V.
  Edit->OnKeyPress = [](TObject*, char& Key) {
    if (Key == '-') Key = 8;
    if (Key == '#') Key = 22;
  };
  Type(Box, Chars("123-#"));
  EXPECT_EQ(Edit->Text(), "12ABC");
}

TEST_F(EditTest, ContextMenuPasteIsNotTyping) {
  int keys = 0, changes = 0;
  Edit->OnKeyPress = [&](TObject*, char& Key) {
    ++keys;
    Key = 0;
  };
  Edit->OnChange = [&](TObject*) { ++changes; };
  std::unique_ptr<QMenu> menu(Box->createStandardContextMenu());
  QAction* paste = nullptr;
  for (QAction* a : menu->actions()) {
    if (a->text().startsWith("&Paste")) paste = a;
  }
  ASSERT_NE(paste, nullptr);
  ASSERT_TRUE(paste->isEnabled());
  paste->trigger();
  EXPECT_EQ(Edit->Text(), "ABC");
  EXPECT_EQ(keys, 0);
  EXPECT_EQ(changes, 1);
}

TEST_F(EditTest, KeyPressFromCodeGoesThroughTheHandlerToTheBox) {
  Edit->OnKeyPress = HexOnly;
  char key = 'b';
  Edit->KeyPress(key);
  EXPECT_EQ(key, 'B');
  key = 'q';
  Edit->KeyPress(key);
  EXPECT_EQ(key, 0);
  key = '4';
  Edit->KeyPress(key);
  key = 8;
  Edit->KeyPress(key);
  key = '5';
  Edit->KeyPress(key);
  EXPECT_EQ(Edit->Text(), "B5");
}

TEST_F(EditTest, OnlyTheUsersEditsRaiseOnChange) {
  int keys = 0, changes = 0;
  Edit->OnKeyPress = [&](TObject*, char&) { ++keys; };
  Edit->OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, Edit);
    ++changes;
  };
  Edit->SetText("from code");
  EXPECT_EQ(Edit->Text(), "from code");
  EXPECT_EQ(keys, 0);
  EXPECT_EQ(changes, 0);
  Type(Box, Chars("ab"));
  EXPECT_EQ(changes, 2);
}

TEST_F(EditTest, MaxLengthLimitsTypingAndZeroMeansNoLimit) {
  Edit->SetMaxLength(3);
  Type(Box, Chars("12345"));
  EXPECT_EQ(Edit->Text(), "123");
  Edit->SetMaxLength(0);
  Type(Box, Chars("45"));
  EXPECT_EQ(Edit->Text(), "12345");
}

// Text set from code (cut to the length limit, as the box cuts it) reads back the same
// whether the box's widget exists yet or not, and a widget made later shows it.
TEST(EditStateTest, TextFromCodeReadsTheSameWithAndWithoutTheWidget) {
  for (const bool widgetFirst : {true, false}) {
    SCOPED_TRACE(widgetFirst ? "widget made first" : "widget made last");
    TEdit edit(nullptr);
    if (widgetFirst) edit.Handle();
    edit.SetText("3F8");
    EXPECT_EQ(edit.Text(), "3F8");
    edit.SetMaxLength(2);
    EXPECT_EQ(edit.Text(), "3F");
    edit.SetText("2E8");
    EXPECT_EQ(edit.Text(), "2E");
    edit.SetMaxLength(0);
    edit.SetText(std::string(40000, '7'));
    EXPECT_EQ(edit.Text().size(), 32767u);
    edit.SetText("\xc3\xa4 300");  // not ASCII: the limit counts characters
    edit.SetMaxLength(3);
    EXPECT_EQ(edit.Text(), "\xc3\xa4 3");
    EXPECT_EQ(edit.HandleAllocated(), widgetFirst);
    auto* box = qobject_cast<QLineEdit*>(edit.Handle());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QString::fromUtf8("\xc3\xa4 3"));
    EXPECT_EQ(box->maxLength(), 3);
  }
}

TEST_F(EditTest, FailingHandlerIsReportedAndSwallowsItsKey) {
  MessageBoxRecorder boxes;
  Edit->OnKeyPress = [](TObject*, char& Key) {
    if (Key == 'x') throw std::runtime_error("no x here");
  };
  Type(Box, Chars("axb"));
  EXPECT_EQ(Edit->Text(), "ab");
  ASSERT_EQ(boxes.Requests.size(), 1u);
  EXPECT_EQ(boxes.Requests[0].Text, "no x here");
  EXPECT_EQ(boxes.Requests[0].Type, mtError);
}

}  // namespace

// The memo: its lines and the box stay the same text both ways; read-only, wrapping
// and scroll bars behave as set.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Form.h"
#include "toolkit/Memo.h"

namespace {

class MemoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 400, 300);
    Memo = new TMemo(Form.get());
    Memo->SetParent(Form.get());
    Memo->SetBounds(8, 8, 160, 90);
    Box = qobject_cast<QPlainTextEdit*>(Memo->Handle());
    ASSERT_NE(Box, nullptr);
  }

  // Shows the form so that the box lays out its text.
  void Show() {
    Form->Show();
    QCoreApplication::processEvents();
  }

  int VisualLinesOfFirstBlock() const { return Box->document()->firstBlock().layout()->lineCount(); }

  std::unique_ptr<TForm> Form;
  TMemo* Memo = nullptr;
  QPlainTextEdit* Box = nullptr;
};

TEST_F(MemoTest, LinesChangedInCodeShowInTheBox) {
  Memo->Lines().Add("Port 1: COM1");
  Memo->Lines().Add("Port 2: COM2");
  EXPECT_EQ(Box->toPlainText(), "Port 1: COM1\nPort 2: COM2");
  Memo->SetText("first\r\nsecond\r\n");
  EXPECT_EQ(Box->toPlainText(), "first\nsecond");
  Memo->Lines().SetString(0, "changed");
  EXPECT_EQ(Box->toPlainText(), "changed\nsecond");
  Memo->Lines().Clear();
  EXPECT_EQ(Box->toPlainText(), "");
}

TEST_F(MemoTest, LinesSetBeforeTheBoxExistsAreShownWhenItIsMade) {
  TMemo memo(nullptr);
  memo.Lines().Add("one");
  memo.Lines().Add("two");
  EXPECT_EQ(qobject_cast<QPlainTextEdit*>(memo.Handle())->toPlainText(), "one\ntwo");
}

TEST_F(MemoTest, TypingInTheBoxUpdatesTheLines) {
  QTest::keyClicks(Box, "ab");
  QTest::keyClick(Box, Qt::Key_Return);
  QTest::keyClicks(Box, "c");
  EXPECT_EQ(Memo->Lines().Items(), (std::vector<std::string>{"ab", "c"}));
  EXPECT_EQ(Memo->Text(), "ab\r\nc\r\n");
}

TEST_F(MemoTest, ReadOnlyBoxRefusesTyping) {
  Memo->Lines().Add("fixed");
  Memo->SetReadOnly(true);
  QTest::keyClicks(Box, "xyz");
  EXPECT_EQ(Box->toPlainText(), "fixed");
  EXPECT_EQ(Memo->Lines().Items(), (std::vector<std::string>{"fixed"}));
}

TEST_F(MemoTest, WordWrapBreaksLongLinesAtTheBoxWidth) {
  Memo->Lines().Add("This line is much too long to fit into a memo box only one hundred and sixty pixels wide");
  Show();
  EXPECT_GT(VisualLinesOfFirstBlock(), 1);
  Memo->SetWordWrap(false);
  QCoreApplication::processEvents();
  EXPECT_EQ(VisualLinesOfFirstBlock(), 1);
}

TEST_F(MemoTest, ScrollBarsFollowTheSettingNotTheText) {
  Memo->SetScrollBars(ssVertical);
  Memo->Lines().Add("short");
  Show();
  EXPECT_TRUE(Box->verticalScrollBar()->isVisible());
  EXPECT_FALSE(Box->horizontalScrollBar()->isVisible());
  for (int i = 0; i < 30; ++i) Memo->Lines().Add("line " + std::to_string(i));
  Memo->SetScrollBars(ssNone);
  QCoreApplication::processEvents();
  EXPECT_FALSE(Box->verticalScrollBar()->isVisible());
}

}  // namespace

// The rich-text box: documents loaded from RTF, its colour, and read-only use.
#include <gtest/gtest.h>

#include <QImage>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>
#include <memory>

#include "toolkit/Form.h"
#include "toolkit/RichEdit.h"

namespace {

const char* const kHelp =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Verdana;}}{\\colortbl\\red64\\green64\\blue64;}"
    "\\pard\\f0\\fs24{\\b Yellow circles} set jumpers.\\par\\par Blue circles inform.\\par}";

class RichEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 400, 300);
    Rich = new TRichEdit(Form.get());
    Rich->SetParent(Form.get());
    Rich->SetBounds(8, 8, 300, 200);
    Box = qobject_cast<QTextEdit*>(Rich->Handle());
    ASSERT_NE(Box, nullptr);
  }

  // The colour of the document area's bottom-right corner, below any text.
  TColor EmptyAreaColour() {
    Form->Show();
    QCoreApplication::processEvents();
    const QImage shot = Box->viewport()->grab().toImage();
    const QRgb p = shot.pixel(shot.width() - 5, shot.height() - 5);
    return RGB(qRed(p), qGreen(p), qBlue(p));
  }

  std::unique_ptr<TForm> Form;
  TRichEdit* Rich = nullptr;
  QTextEdit* Box = nullptr;
};

// A hidden box lays its document out only once it is shown; shown, it reads it from the start.
TEST_F(RichEditTest, HiddenBoxShowsItsDocumentOnceShown) {
  Form->Hide();
  Rich->LoadFromRtf(kHelp);
  EXPECT_EQ(Rich->PlainText(), "Yellow circles set jumpers.\n\nBlue circles inform.");
  EXPECT_NE(Box->toPlainText().toStdString(), Rich->PlainText());
  Form->ShowForm();
  EXPECT_EQ(Box->toPlainText().toStdString(), Rich->PlainText());
  EXPECT_EQ(Box->document(), Rich->Document());
  EXPECT_EQ(Box->textCursor().position(), 0);
}

TEST_F(RichEditTest, LoadsTheDocumentWithItsFormattingAndReplacesItOnReload) {
  Rich->LoadFromRtf(kHelp);
  EXPECT_EQ(Rich->PlainText(), "Yellow circles set jumpers.\n\nBlue circles inform.");
  const QTextBlock first = Rich->Document()->firstBlock();
  const QTextFragment bold = first.begin().fragment();
  EXPECT_EQ(bold.text(), "Yellow circles");
  EXPECT_EQ(bold.charFormat().fontWeight(), QFont::Bold);
  EXPECT_NE((++first.begin()).fragment().charFormat().fontWeight(), QFont::Bold);

  Rich->LoadFromRtf("{\\rtf1 Only this.\\par}");
  EXPECT_EQ(Rich->PlainText(), "Only this.");
}

TEST_F(RichEditTest, BackgroundShowsTheControlsColour) {
  Rich->SetColor(RGB(255, 255, 192));
  EXPECT_EQ(EmptyAreaColour(), RGB(255, 255, 192));
  Rich->SetColor(clBtnFace);
  EXPECT_EQ(EmptyAreaColour(), ColorToRGB(clBtnFace));
}

TEST_F(RichEditTest, ReadOnlyBoxKeepsItsDocument) {
  Rich->LoadFromRtf(kHelp);
  Rich->SetReadOnly(true);
  QTest::keyClicks(Box, "typed");
  QTest::keyClick(Box, Qt::Key_Delete);
  EXPECT_EQ(Rich->PlainText(), "Yellow circles set jumpers.\n\nBlue circles inform.");
}

TEST_F(RichEditTest, VerticalScrollBarIsAlwaysThereWhenAskedFor) {
  Rich->SetScrollBars(ssVertical);
  Rich->LoadFromRtf("{\\rtf1 Short.\\par}");
  Form->Show();
  QCoreApplication::processEvents();
  EXPECT_TRUE(Box->verticalScrollBar()->isVisible());
}

}  // namespace

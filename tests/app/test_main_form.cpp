// The main window as its definition builds it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <memory>

#include "app/MainForm.h"
#include "setupctrls/BoardHighlight.h"
#include "setupctrls/BoardImage.h"
#include "toolkit/Application.h"
#include "toolkit/Menu.h"

namespace {
QImage RenderBoard(TBoardImage* board) {
  QImage surface(board->Width(), board->Height(), QImage::Format_RGB32);
  board->PaintHandler(surface, Rect(0, 0, board->Width(), board->Height()));
  return surface;
}

std::vector<std::string> Captions(TMenuItem* parent) {
  std::vector<std::string> out;
  for (int i = 0; i < parent->Count(); ++i) out.push_back(parent->Items(i)->Caption());
  return out;
}

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override { form = std::make_unique<TMainForm>(Application); }
  std::unique_ptr<TMainForm> form;
};
}  // namespace

TEST_F(MainWindow, WindowAndMenusAsDefined) {
  EXPECT_EQ(form->Caption(), "Setup");
  EXPECT_EQ(form->WindowState(), wsMaximized);
  EXPECT_EQ(form->Position(), poScreenCenter);
  EXPECT_EQ(form->NormalBounds(), Bounds(333, 223, 831, 645));
  EXPECT_EQ(form->Color(), clWhite);
  EXPECT_EQ(form->Font().PixelHeight(), 11);
  EXPECT_EQ(MainForm, form.get());
  ASSERT_EQ(form->Menu(), form->MainMenu1);
  EXPECT_EQ(Captions(form->MainMenu1->Items()), (std::vector<std::string>{"&File", "&Help"}));
  EXPECT_EQ(Captions(form->File1), (std::vector<std::string>{"&Exit"}));
  EXPECT_EQ(Captions(form->Help1), (std::vector<std::string>{"H&ow to use this program", "&Technical Support"}));
  EXPECT_EQ(form->FindComponent("Exit2"), form->Exit2);
}

TEST_F(MainWindow, HighlightsSitOnTheBoard) {
  struct Case {
    TBoardHighlight* TMainForm::*Field;
    TRect Bounds;
    const char* Title;
  };
  const Case cases[] = {
      {&TMainForm::BaseA, Bounds(120, 50, 48, 23), "&Base Address"},
      {&TMainForm::IRQ, Bounds(5, 181, 60, 84), "&IRQ Level"},
      {&TMainForm::Load, Bounds(452, 204, 69, 17), "&Load"},
      {&TMainForm::BaseB, Bounds(120, 114, 48, 23), "&Base Address"},
      {&TMainForm::BaseC, Bounds(120, 178, 48, 23), "&Base Address"},
      {&TMainForm::BaseD, Bounds(120, 242, 48, 23), "&Base Address"},
  };
  TBoardImage* board = form->BoardImage1;
  ASSERT_EQ(board->ControlCount(), 6);
  for (int i = 0; i < 6; ++i) {
    TBoardHighlight* h = form.get()->*cases[i].Field;
    EXPECT_EQ(board->Controls(i), h);
    EXPECT_EQ(h->BoundsRect(), cases[i].Bounds) << cases[i].Title;
    EXPECT_EQ(h->Title(), cases[i].Title);
    EXPECT_EQ(h->HighlightType(), htSettings);
  }
  EXPECT_EQ(board->BoundsRect(), Bounds(166, 122, 600, 362));
  EXPECT_EQ(board->First(), form->BaseA);
  EXPECT_EQ(board->Menu(), form->MainMenu1);
  EXPECT_TRUE(board->Stretch());
  EXPECT_EQ(board->Picture().Width(), 600);
  EXPECT_EQ(board->Picture().Height(), 362);
}

TEST_F(MainWindow, FirstPaintCentresTheBoardAndPreparesEachLook) {
  form->SetWindowState(wsNormal);
  form->SetBounds(0, 0, 1288, 1002);
  TBoardImage* board = form->BoardImage1;
  const QImage painted = RenderBoard(board);
  EXPECT_EQ(board->Left(), 344);
  EXPECT_EQ(board->Top(), 320);
  EXPECT_EQ(board->DesignLeft(), 166);
  EXPECT_EQ(board->DesignTop(), 122);
  for (int i = 0; i < board->ControlCount(); ++i) {
    auto* h = static_cast<TBoardHighlight*>(board->Controls(i));
    EXPECT_TRUE(h->Prepared());
    // Outside the ellipse the look is the card picture as it lay under the circle.
    const TBitmap& look = h->NormalBitmap();
    ASSERT_EQ(look.Width(), h->Width());
    const std::uint8_t* corner = look.ScanLine(0);
    const QRgb beneath = board->Picture().Bitmap()->Image()->pixel(h->Left(), h->Top());
    EXPECT_EQ(corner[2], qRed(beneath));
    EXPECT_EQ(corner[1], qGreen(beneath));
    EXPECT_EQ(corner[0], qBlue(beneath));
    // The centre is tinted yellow: more red and green than the picture, less blue.
    const QRgb centre = painted.pixel(h->Left() + h->Width() / 2, h->Top() + h->Height() / 2);
    const QRgb under = board->Picture().Bitmap()->Image()->pixel(h->Left() + h->Width() / 2, h->Top() + h->Height() / 2);
    EXPECT_GE(qRed(centre), qRed(under));
    EXPECT_LE(qBlue(centre), qBlue(under));
  }
  // The circles entered their group in the menu bar before Help.
  EXPECT_EQ(Captions(form->MainMenu1->Items()), (std::vector<std::string>{"&File", "&Settings", "&Help"}));
}

TEST_F(MainWindow, OpensMaximisedAndRestoresToItsNormalSizeCentred) {
  form->ShowForm();
  QCoreApplication::processEvents();
  EXPECT_GT(form->Width(), 1000);
  form->SetWindowState(wsNormal);
  for (int i = 0; i < 20 && form->Width() > 1000; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(form->BoundsRect(), Bounds((1280 - 831) / 2, (1024 - 645) / 2, 831, 645));
}

TEST_F(MainWindow, FileExitClosesTheWindow) {
  form->ShowForm();
  ASSERT_TRUE(form->Visible());
  form->Exit2->Click();
  EXPECT_FALSE(form->Visible());
}

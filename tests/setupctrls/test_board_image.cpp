// The board image: drawing rectangle, centring on its window, design position,
// setters and auto-size.
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <memory>

#include "setupctrls/BoardImage.h"
#include "toolkit/Form.h"

namespace {
void MakePicture(TPicture& picture, int w, int h) {
  TBitmap* bmp = picture.Bitmap();
  bmp->SetPixelFormat(pf24bit);
  bmp->SetSize(w, h);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = bmp->ScanLine(y);
    for (int x = 0; x < w; ++x) {
      row[3 * x] = static_cast<std::uint8_t>(x);
      row[3 * x + 1] = static_cast<std::uint8_t>(y);
      row[3 * x + 2] = 200;
    }
  }
}

// Paints the board the way its window would.
QImage Render(TBoardImage* board) {
  QImage surface(board->Width(), board->Height(), QImage::Format_RGB32);
  surface.fill(Qt::black);
  board->PaintHandler(surface, Rect(0, 0, board->Width(), board->Height()));
  return surface;
}
}  // namespace

TEST(BoardImage, PictureBoundsFollowStretchAndCenter) {
  struct Case {
    bool Stretch, Center;
    TRect Expected;
  };
  const Case cases[] = {
      {true, false, Rect(0, 0, 500, 300)},
      {true, true, Rect(0, 0, 500, 300)},
      {false, true, Bounds(-50, -31, 600, 362)},
      {false, false, Rect(0, 0, 600, 362)},
  };
  for (const Case& c : cases) {
    TBoardImage board(nullptr);
    board.SetAutoSize(false);
    board.SetBounds(0, 0, 500, 300);
    TPicture picture;
    MakePicture(picture, 600, 362);
    board.SetPicture(picture);
    board.SetStretch(c.Stretch);
    board.SetCenter(c.Center);
    EXPECT_EQ(board.PictureBounds(), c.Expected) << c.Stretch << c.Center;
  }
}

TEST(BoardImage, StretchedPictureFillsThePanel) {
  TBoardImage board(nullptr);
  board.SetAutoSize(false);
  board.SetBounds(0, 0, 300, 181);
  TPicture picture;
  MakePicture(picture, 600, 362);
  board.SetPicture(picture);
  board.SetStretch(true);
  board.SetCenterOnForm(false);
  const QImage img = Render(&board);
  // Half size: pixel (x, y) shows the picture near (2x, 2y), whose blue is its x and green its y.
  EXPECT_EQ(qRed(img.pixel(299, 180)), 200);
  EXPECT_NEAR(qGreen(img.pixel(10, 20)), 40, 1);
  EXPECT_NEAR(qBlue(img.pixel(10, 20)), 20, 1);
  EXPECT_NEAR(qBlue(img.pixel(299, 0)), 598 % 256, 1);
}

TEST(BoardImage, CentresOnItsWindowAndKeepsTheDesignPosition) {
  struct Case {
    int FormWidth, FormHeight;
    int Left, Top;
  };
  const Case cases[] = {{1288, 1002, 344, 320}, {595, 362, -2, 0}, {600, 357, 0, -2}};
  for (const Case& c : cases) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, c.FormWidth, c.FormHeight);
    auto* board = new TBoardImage(form.get());
    board->SetAutoSize(false);
    board->SetBounds(166, 122, 600, 362);
    board->SetParent(form.get());
    Render(board);
    EXPECT_EQ(board->Left(), c.Left);
    EXPECT_EQ(board->Top(), c.Top);
    EXPECT_TRUE(board->PositionRecorded());
    EXPECT_EQ(board->DesignLeft(), 166);
    EXPECT_EQ(board->DesignTop(), 122);
    // A later paint neither moves the board again nor records another design position.
    Render(board);
    EXPECT_EQ(board->Left(), c.Left);
    EXPECT_EQ(board->DesignLeft(), 166);
  }
}

TEST(BoardImage, LeftButtonMovesNothingWhileCentred) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBounds(0, 0, 1000, 800);
  auto* board = new TBoardImage(form.get());
  board->SetAutoSize(false);
  board->SetBounds(10, 10, 600, 362);
  board->SetParent(form.get());
  board->Perform(WM_LBUTTONDOWN, 0, MakeMousePos(5, 5));
  board->Perform(WM_MOUSEMOVE, 0, MakeMousePos(50, 50));
  board->Perform(WM_LBUTTONUP, 0, MakeMousePos(50, 50));
  EXPECT_EQ(board->Left(), 10);
  EXPECT_EQ(board->Cursor(), crDefault);
  EXPECT_TRUE(board->LeftButtonReleased());
  // The next press clears the released flag.
  board->Perform(WM_LBUTTONDOWN, 0, MakeMousePos(5, 5));
  EXPECT_FALSE(board->LeftButtonReleased());
}

TEST(BoardImage, SettersRepaintOnlyOnChangeAndAutoSizeTakesThePictureSize) {
  TBoardImage board(nullptr);
  EXPECT_EQ(board.Width(), 105);
  EXPECT_TRUE(board.AutoSize());
  EXPECT_TRUE(board.Scale());
  EXPECT_TRUE(board.CenterOnForm());
  TPicture picture;
  MakePicture(picture, 60, 40);
  board.SetPicture(picture);
  EXPECT_EQ(board.Width(), 60);
  EXPECT_EQ(board.Height(), 40);
  EXPECT_DOUBLE_EQ(board.HeightToWidth(), 40.0 / 60.0);
  // The opaque flag is set once the picture covers the panel.
  EXPECT_TRUE(board.Opaque());

  TBoardImage fixed(nullptr);
  fixed.SetAutoSize(false);
  fixed.SetBounds(0, 0, 600, 362);
  fixed.SetPicture(picture);
  EXPECT_EQ(fixed.Width(), 600);
  EXPECT_FALSE(fixed.Opaque());
  fixed.SetStretch(true);
  EXPECT_TRUE(fixed.Opaque());
}

TEST(BoardImage, EmptyPictureDrawsNothing) {
  TBoardImage board(nullptr);
  board.SetAutoSize(false);
  board.SetBounds(0, 0, 20, 20);
  board.SetCenterOnForm(false);
  EXPECT_FALSE(board.Opaque());
  const QImage img = Render(&board);
  // Only the panel's background colour shows.
  EXPECT_EQ(img.pixel(10, 10), img.pixel(0, 0));
  EXPECT_NE(img.pixel(10, 10), QColor(Qt::black).rgb());
}

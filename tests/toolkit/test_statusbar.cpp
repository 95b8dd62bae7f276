// The status bar: its panel text on the bar's colour under a separating line.
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <memory>

#include "toolkit/Form.h"
#include "toolkit/StatusBar.h"

namespace {

TColor At(const QImage& S, int X, int Y) {
  const QRgb p = S.pixel(X, Y);
  return RGB(qRed(p), qGreen(p), qBlue(p));
}

TEST(StatusBarTest, ShowsItsTextOnItsColourUnderALine) {
  auto form = std::make_unique<TForm>(nullptr);
  auto* bar = new TStatusBar(form.get());
  bar->SetParent(form.get());
  bar->SetBounds(0, 100, 200, 19);
  bar->SetColor(RGB(200, 220, 240));
  bar->SetPanelText("Card found at 300h");
  form->Show();
  const QImage shot = bar->Handle()->grab().toImage();
  ASSERT_EQ(shot.size(), QSize(200, 19));
  EXPECT_EQ(At(shot, 100, 0), clGray);
  EXPECT_EQ(At(shot, 199, 10), RGB(200, 220, 240));
  int textPixels = 0;
  for (int x = 0; x < 120; ++x)
    for (int y = 2; y < 19; ++y) textPixels += At(shot, x, y) != RGB(200, 220, 240) ? 1 : 0;
  EXPECT_GT(textPixels, 20);
}

}  // namespace

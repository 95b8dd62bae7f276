// Windowed controls: their widgets are made when they are first shown, keep the
// controls' order and tab order, and paint the controls' pixels on the screen.
#include <gtest/gtest.h>

#include <QImage>
#include <QScreen>
#include <QtTest>
#include <memory>
#include <vector>

#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Panel.h"

namespace {

TPanel* MakePanel(TComponent* Owner, TWinControl* Parent, TRect Bounds, TColor Color) {
  auto* panel = new TPanel(Owner);
  panel->SetParent(Parent);
  panel->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
  panel->SetBevelOuter(bvNone);
  panel->SetColor(Color);
  return panel;
}

TEST(WinControlTest, WidgetsAreMadeWhenTheirControlsAreFirstShown) {
  TForm form(nullptr);
  form.SetBounds(100, 100, 300, 200);
  // Hidden comes first in the child order, so it lies under Shown where they overlap.
  TPanel* hidden = MakePanel(&form, &form, Rect(10, 10, 110, 90), clRed);
  hidden->SetVisible(false);
  TPanel* shown = MakePanel(&form, &form, Rect(60, 40, 160, 120), clBlue);
  auto* later = new TEdit(&form);
  later->SetParent(hidden);
  later->SetTabOrder(1);
  auto* first = new TEdit(&form);
  first->SetParent(hidden);
  first->SetBounds(0, 30, 80, 21);
  first->SetTabOrder(0);
  auto* inShown = new TEdit(&form);
  inShown->SetParent(shown);

  // Nothing is shown yet, so nothing has a widget (the form's window included).
  for (TWinControl* c : std::vector<TWinControl*>{&form, hidden, shown, first, later, inShown})
    EXPECT_FALSE(c->HandleAllocated()) << c->Name();
  EXPECT_EQ(form.WindowIfMade(), nullptr);

  form.Show();
  EXPECT_NE(form.WindowIfMade(), nullptr);
  EXPECT_TRUE(shown->HandleAllocated());
  EXPECT_TRUE(inShown->HandleAllocated());
  EXPECT_FALSE(hidden->HandleAllocated());
  EXPECT_FALSE(first->HandleAllocated());

  hidden->SetVisible(true);
  ASSERT_TRUE(hidden->HandleAllocated());
  ASSERT_TRUE(first->HandleAllocated());
  EXPECT_EQ(first->Handle()->parentWidget(), hidden->Handle());
  EXPECT_EQ(hidden->Handle()->parentWidget(), form.Handle());
  EXPECT_TRUE(first->Handle()->isVisible());
  // Made last, the hidden panel's widget still lies under the one that follows it.
  EXPECT_EQ(form.Handle()->childAt(80, 70), shown->Handle());
  EXPECT_EQ(form.Handle()->childAt(20, 75), hidden->Handle());
  // The tab order holds among widgets made together.
  EXPECT_EQ(first->Handle()->nextInFocusChain(), later->Handle());
}

TEST(WinControlTest, AskingForAWidgetMakesItsParentsFirst) {
  TForm form(nullptr);
  TPanel* outer = MakePanel(&form, &form, Rect(0, 0, 100, 100), clRed);
  outer->SetVisible(false);
  TPanel* inner = MakePanel(&form, outer, Rect(5, 5, 50, 50), clBlue);
  QWidget* widget = inner->Handle();
  EXPECT_TRUE(outer->HandleAllocated());
  EXPECT_TRUE(form.HandleAllocated());
  EXPECT_EQ(widget->parentWidget(), outer->Handle());
  EXPECT_EQ(outer->Handle()->parentWidget(), form.Handle());
  EXPECT_FALSE(outer->Handle()->isVisibleTo(form.Handle()));
}

// The form's client area with a red panel holding a blue one, read from the screen
// (the window's own pixels) and from a grab of the client widget (drawn afresh).
TEST(WinControlTest, ShownPixelsAreTheControlsPixels) {
  TForm form(nullptr);
  form.SetBounds(40, 30, 200, 150);
  form.SetColor(RGB(0, 128, 0));
  TPanel* red = MakePanel(&form, &form, Rect(30, 20, 70, 50), clRed);
  MakePanel(&form, red, Rect(5, 5, 15, 15), clBlue);
  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Window()));
  QCoreApplication::processEvents();

  const QPoint client = form.Handle()->mapTo(form.Window(), QPoint(0, 0));
  const QImage screen = form.Window()->screen()->grabWindow(form.Window()->winId()).toImage();
  const QImage grab = form.Handle()->grab().toImage();
  struct Case {
    int X, Y;
    TColor Color;
  };
  // Right and bottom edges are exclusive.
  const std::vector<Case> cases = {
      {5, 5, RGB(0, 128, 0)}, {30, 20, clRed}, {69, 49, clRed}, {70, 50, RGB(0, 128, 0)},
      {35, 25, clBlue},       {44, 34, clBlue}, {45, 35, clRed}, {199, 149, RGB(0, 128, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "(" << c.X << ", " << c.Y << ")");
    const QRgb expected = qRgb(GetRValue(c.Color), GetGValue(c.Color), GetBValue(c.Color));
    EXPECT_EQ(screen.pixel(client + QPoint(c.X, c.Y)) | 0xFF000000u, expected);
    EXPECT_EQ(grab.pixel(c.X, c.Y) | 0xFF000000u, expected);
  }
}

}  // namespace

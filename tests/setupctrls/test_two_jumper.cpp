// The two-pin jumper: its picture open and closed, the parent's colour around it,
// clicks, repaint requests and the quarter turn.
#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "setupctrls/RadioPanel.h"
#include "setupctrls/TwoJumper.h"
#include "toolkit/Messages.h"
#include "toolkit/Panel.h"

namespace {

constexpr TColor PanelColor = RGB(20, 160, 200);

// Counts the repaint requests of a jumper; its class name stays "TTwoJumper".
class CountingJumper : public TTwoJumper {
 public:
  using TTwoJumper::TTwoJumper;
  void Invalidate() override {
    ++Invalidations;
    TTwoJumper::Invalidate();
  }
  int Invalidations = 0;
};

// A panel class derived from the settings panel: not a settings panel by name.
class DerivedPanel : public TRadioPanel {
  TK_CLASS_NAME(DerivedPanel)
 public:
  using TRadioPanel::TRadioPanel;
};

struct Pixel {
  int X, Y;
  TColor Color;
};

// A jumper at (4, 3) on a parent panel, painted off screen through the parent.
class JumperTest : public ::testing::Test {
 protected:
  void Place(TWinControl* P) {
    Parent.reset(P);
    Parent->SetBounds(0, 0, 90, 50);
    Parent->SetColor(PanelColor);
    Jumper = new CountingJumper(nullptr);  // freed with its parent
    Jumper->SetParent(Parent.get());
    Jumper->SetLeft(4);
    Jumper->SetTop(3);
  }

  void SetUp() override { Place(new TRadioPanel(nullptr)); }

  void Paint() {
    Surface = QImage(Parent->Width(), Parent->Height(), QImage::Format_RGB32);
    Surface.fill(qRgb(255, 0, 255));
    Parent->PaintHandler(Surface, Parent->ClientRect());
  }

  TColor At(int X, int Y) const {
    const QRgb P = Surface.pixel(Jumper->Left() + X, Jumper->Top() + Y);
    return RGB(qRed(P), qGreen(P), qBlue(P));
  }

  void ExpectPixels(const std::vector<Pixel>& Expected) const {
    for (const Pixel& P : Expected)
      EXPECT_EQ(At(P.X, P.Y), P.Color) << "at (" << P.X << ", " << P.Y << ")";
  }

  // The two pins fill (8, 6)-(14, 12) and (20, 6)-(26, 12): their middle rows and
  // columns reach the box edges, the box corners stay outside the circles.
  std::vector<Pixel> Pins(TColor Around) const {
    std::vector<Pixel> P;
    for (int Left : {8, 20}) {
      const int Mid = Left + 3;
      P.insert(P.end(), {{Left, 9, clYellow},      {Left + 5, 9, clYellow},    {Mid, 6, clYellow},
                         {Mid, 11, clYellow},      {Left - 1, 9, Around},      {Left + 6, 9, Around},
                         {Mid, 5, Around},         {Mid, 12, Around},          {Left, 6, Around}});
    }
    return P;
  }

  std::unique_ptr<TWinControl> Parent;
  CountingJumper* Jumper = nullptr;
  QImage Surface;
};

TEST_F(JumperTest, OpenJumperShowsBaseAndPinsOnThePanelColour) {
  ASSERT_EQ(Jumper->Width(), 34);
  ASSERT_EQ(Jumper->Height(), 18);
  Paint();
  ExpectPixels({
      {0, 0, PanelColor}, {33, 17, PanelColor}, {16, 0, PanelColor}, {0, 9, PanelColor},  // margin
      {1, 1, PanelColor}, {32, 16, PanelColor},                                          // rounded corners
      {16, 1, clBlack},   {16, 16, clBlack},    {1, 9, clBlack},     {32, 9, clBlack},   // outline
      {16, 9, clGray},    {4, 9, clGray},       {29, 9, clGray},                         // base
  });
  ExpectPixels(Pins(clGray));
}

TEST_F(JumperTest, ClosedJumperIsACapWithABlackBorder) {
  Jumper->SetClosed(true);
  Paint();
  ExpectPixels({{0, 0, clBlack}, {33, 17, clBlack}, {16, 0, clBlack}, {0, 9, clBlack},
                {1, 1, clMaroon}, {32, 16, clMaroon}, {16, 9, clMaroon}});
  ExpectPixels(Pins(clMaroon));
}

TEST_F(JumperTest, WithoutBorderTheOutlineTakesTheFillColour) {
  Jumper->SetBorderStyle(bsNone);
  Paint();
  ExpectPixels({{0, 0, PanelColor}, {1, 1, PanelColor}, {16, 1, clGray}, {1, 9, clGray}, {16, 9, clGray}});
  Jumper->SetClosed(true);
  Paint();
  ExpectPixels({{0, 0, clMaroon}, {16, 0, clMaroon}, {16, 9, clMaroon}});
  ExpectPixels(Pins(clMaroon));
}

TEST_F(JumperTest, ColoursComeFromTheProperties) {
  Jumper->SetBaseColor(clNavy);
  Jumper->SetPinColor(clRed);
  Jumper->SetJumperColor(clGreen);
  Paint();
  ExpectPixels({{16, 9, clNavy}, {11, 9, clRed}, {23, 9, clRed}});
  Jumper->SetClosed(true);
  Paint();
  ExpectPixels({{16, 9, clGreen}, {11, 9, clRed}});
}

TEST_F(JumperTest, OnAnyOtherParentTheMarginIsTheButtonFace) {
  const TColor ButtonFace = ColorToRGB(clBtnFace);
  for (TWinControl* Other : {static_cast<TWinControl*>(new TPanel(nullptr)),
                             static_cast<TWinControl*>(new DerivedPanel(nullptr))}) {
    SCOPED_TRACE(Other->ClassName());
    Place(Other);
    Paint();
    ExpectPixels({{0, 0, ButtonFace}, {1, 1, ButtonFace}, {16, 1, clBlack}, {16, 9, clGray}});
  }
}

TEST_F(JumperTest, PinsFollowTheSizeWithHalvesRoundedToEven) {
  struct Case {
    int W, H;
    int CX, CY, R;  // first pin's centre and radius
  };
  // 70 wide: a = 20, so the radius is Round(H / 4): 4.5 gives 4 and 5.5 gives 6.
  const std::vector<Case> Cases{{34, 18, 11, 9, 3}, {70, 18, 21, 9, 4}, {70, 22, 21, 11, 6}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::to_string(C.W) + "x" + std::to_string(C.H));
    Jumper->SetBounds(4, 3, C.W, C.H);
    Paint();
    for (int CX : {C.CX, C.W - C.CX}) {
      ExpectPixels({{CX, C.CY - C.R, clYellow}, {CX, C.CY - C.R - 1, clGray}, {CX - C.R, C.CY, clYellow},
                    {CX - C.R - 1, C.CY, clGray}, {CX + C.R - 1, C.CY, clYellow}, {CX + C.R, C.CY, clGray}});
    }
  }
}

TEST_F(JumperTest, ClickTogglesAndOnClickSeesTheNewState) {
  std::vector<bool> Seen;
  Jumper->OnClick = [&](TObject* Sender) {
    EXPECT_EQ(Sender, Jumper);
    Seen.push_back(Jumper->Closed());
  };
  // Press and release over the jumper, through the parent's mouse routing.
  auto ClickAt = [&](int X, int Y) {
    Parent->HandleMouseMove(X, Y);
    Parent->HandleMouseButton(true, mbLeft, X, Y);
    Parent->HandleMouseButton(false, mbLeft, X, Y);
  };
  const int Before = Jumper->Invalidations;
  ClickAt(20, 10);
  EXPECT_TRUE(Jumper->Closed());
  EXPECT_EQ(Jumper->Invalidations, Before + 1);
  ClickAt(5, 4);
  EXPECT_FALSE(Jumper->Closed());
  EXPECT_EQ(Seen, (std::vector<bool>{true, false}));
  // A click beside the jumper does not reach it.
  ClickAt(50, 40);
  EXPECT_EQ(Seen.size(), 2u);
}

TEST_F(JumperTest, SettersRepaintOnlyOnChangeAndRaiseNoEvent) {
  struct Case {
    const char* Name;
    std::function<void(TTwoJumper&)> SameValue;
    std::function<void(TTwoJumper&)> NewValue;
  };
  const std::vector<Case> Cases{
      {"Closed", [](TTwoJumper& J) { J.SetClosed(false); }, [](TTwoJumper& J) { J.SetClosed(true); }},
      {"BaseColor", [](TTwoJumper& J) { J.SetBaseColor(clGray); }, [](TTwoJumper& J) { J.SetBaseColor(clRed); }},
      {"PinColor", [](TTwoJumper& J) { J.SetPinColor(clYellow); }, [](TTwoJumper& J) { J.SetPinColor(clRed); }},
      {"JumperColor", [](TTwoJumper& J) { J.SetJumperColor(clMaroon); },
       [](TTwoJumper& J) { J.SetJumperColor(clRed); }},
      {"BorderStyle", [](TTwoJumper& J) { J.SetBorderStyle(bsSingle); },
       [](TTwoJumper& J) { J.SetBorderStyle(bsNone); }},
      {"Orientation", [](TTwoJumper& J) { J.SetOrientation(otUp); },
       [](TTwoJumper& J) { J.SetOrientation(otLeft); }},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    CountingJumper J(nullptr);
    int Clicks = 0;
    J.OnClick = [&](TObject*) { ++Clicks; };
    C.SameValue(J);
    EXPECT_EQ(J.Invalidations, 0);
    C.NewValue(J);
    EXPECT_EQ(J.Invalidations, 1);
    C.NewValue(J);
    EXPECT_EQ(J.Invalidations, 1);
    EXPECT_EQ(Clicks, 0);
  }
}

TEST_F(JumperTest, QuarterTurnStandsThePinsOneAboveTheOther) {
  Paint();
  Jumper->SetOrientation(otLeft);
  Paint();
  Paint();
  ASSERT_EQ(Jumper->Width(), 18);
  ASSERT_EQ(Jumper->Height(), 34);
  // Upright (x, y) is now at (y, 33 - x): the right pin on top, the left one below.
  ExpectPixels({{9, 33 - 11, clYellow}, {9, 33 - 23, clYellow}, {9, 16, clGray}, {0, 0, PanelColor},
                {9, 1, clBlack}, {1, 16, clBlack}});
  // Back upright: the size returns.
  Jumper->SetOrientation(otDown);
  Paint();
  Paint();
  EXPECT_EQ(Jumper->Width(), 34);
  EXPECT_EQ(Jumper->Height(), 18);
  ExpectPixels(Pins(clGray));
}

}  // namespace

// Labels: sizing to the caption, keeping the aligned edge, and painting on the parent.
#include <gtest/gtest.h>

#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Canvas.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/qt/QtFont.h"  // FromQRgb

namespace {

constexpr TColor kPanelColour = RGB(0, 0, 160);
constexpr TColor kTextColour = RGB(255, 0, 0);

TCanvas& Measure(const TFont& Font) {
  static TCanvas canvas;
  canvas.Font = Font;
  return canvas;
}
int TextWidth(const TLabel& L) { return Measure(L.Font()).TextWidth(L.Caption()); }
int TextHeight(const TLabel& L) { return Measure(L.Font()).TextHeight(L.Caption()); }

// A flat panel of one colour holding the label, painted as its widget would paint it.
class LabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Panel = std::make_unique<TPanel>(nullptr);
    Panel->SetBevelOuter(bvNone);
    Panel->SetColor(kPanelColour);
    Panel->SetBounds(0, 0, 200, 60);
    Label = new TLabel(Panel.get());
    Label->SetParent(Panel.get());
    TFont font = Label->Font();
    font.Color = kTextColour;
    Label->SetFont(font);
  }

  QImage Paint() {
    QImage surface(Panel->Width(), Panel->Height(), QImage::Format_RGB32);
    surface.fill(Qt::white);
    Panel->PaintHandler(surface, Rect(0, 0, Panel->Width(), Panel->Height()));
    return surface;
  }

  static TColor At(const QImage& S, int X, int Y) { return FromQRgb(S.pixel(X, Y)); }

  // The columns that hold text pixels, as [first, last]; {-1, -1} when none.
  static std::pair<int, int> TextColumns(const QImage& S) {
    int first = -1, last = -1;
    for (int x = 0; x < S.width(); ++x) {
      for (int y = 0; y < S.height(); ++y) {
        if (At(S, x, y) != kTextColour) continue;
        if (first < 0) first = x;
        last = x;
        break;
      }
    }
    return {first, last};
  }

  std::unique_ptr<TPanel> Panel;
  TLabel* Label = nullptr;
};

TEST_F(LabelTest, AutoSizeFitsTheCaptionAndKeepsTheAlignedEdge) {
  struct Case {
    const char* Name;
    TAlignment Alignment;
    int StartWidth;    // the label spans 141 to 141 + StartWidth before the caption is set
    int ExpectedLeft;  // with the caption's width w
  };
  Label->SetCaption("LD");
  const int w = TextWidth(*Label);
  ASSERT_GT(w, 6);
  ASSERT_LT(w, 40);
  const std::vector<Case> cases = {
      {"left-justified keeps its left edge", taLeftJustify, 40, 141},
      {"right-justified keeps its right edge", taRightJustify, 40, 181 - w},
      {"right-justified grows to the left", taRightJustify, 6, 147 - w},
      {"centred keeps its centre", taCenter, 40, 141 + (40 - w) / 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Label->SetCaption("");
    Label->SetAlignment(c.Alignment);
    Label->SetBounds(141, 8, c.StartWidth, 13);
    Label->SetCaption("LD");
    EXPECT_EQ(Label->Left(), c.ExpectedLeft);
    EXPECT_EQ(Label->Width(), w);
    EXPECT_EQ(Label->Height(), TextHeight(*Label));
    EXPECT_EQ(Label->Top(), 8);
  }
}

TEST_F(LabelTest, FontChangeRefitsAndFixedSizeLabelsKeepTheirBounds) {
  Label->SetCaption("Base address");
  const int smallWidth = Label->Width(), smallHeight = Label->Height();
  TFont big = Label->Font();
  big.Size = 14;
  Label->SetFont(big);
  EXPECT_GT(Label->Width(), smallWidth);
  EXPECT_GT(Label->Height(), smallHeight);

  Label->SetAutoSize(false);
  Label->SetBounds(10, 10, 40, 20);
  Label->SetCaption("A much longer caption than before");
  EXPECT_EQ(Label->BoundsRect(), Bounds(10, 10, 40, 20));
}

TEST_F(LabelTest, PaintsParentColourBehindTextInTheFontColour) {
  Label->SetCaption("IRQ");
  Label->SetColor(RGB(255, 255, 0));  // not shown: the label takes its parent's colour
  Label->SetBounds(20, 10, Label->Width(), Label->Height());
  const QImage s = Paint();
  const auto [first, last] = TextColumns(s);
  EXPECT_GE(first, 20);
  EXPECT_LT(last, 20 + Label->Width());
  EXPECT_EQ(At(s, 20, 10), kPanelColour);
}

TEST_F(LabelTest, TransparentLabelLeavesTheBackgroundAndAnOpaqueOneFillsItsOwnColour) {
  Label->SetCaption("IRQ");
  Label->ParentColor = false;
  Label->SetColor(RGB(255, 255, 0));
  Label->SetBounds(20, 10, Label->Width(), Label->Height());
  EXPECT_EQ(At(Paint(), 20, 10), RGB(255, 255, 0));
  Label->SetTransparent(true);
  EXPECT_EQ(At(Paint(), 20, 10), kPanelColour);
}

TEST_F(LabelTest, TextFollowsTheAlignmentInsideAWideLabel) {
  struct Case {
    TAlignment Alignment;
    int ExpectedFirst;  // first text column, from the text width w
    const char* Name;
  };
  Label->SetAutoSize(false);
  Label->SetCaption("COM1");
  Label->SetBounds(10, 5, 150, 20);
  const int w = TextWidth(*Label);
  const std::vector<Case> cases = {
      {taLeftJustify, 10, "left"},
      {taRightJustify, 160 - w, "right"},
      {taCenter, 10 + (150 - w) / 2, "centre"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Label->SetAlignment(c.Alignment);
    const auto [first, last] = TextColumns(Paint());
    // Glyphs start at most a pixel or two inside their advance.
    EXPECT_GE(first, c.ExpectedFirst);
    EXPECT_LE(first, c.ExpectedFirst + 2);
    EXPECT_LT(last, c.ExpectedFirst + w);
  }
}

TEST_F(LabelTest, TopAlignedLabelSpansItsParentWithCentredText) {
  Label->SetAlignment(taCenter);
  Label->SetCaption("Settings");
  Label->SetAlign(alTop);
  EXPECT_EQ(Label->BoundsRect(), Bounds(0, 0, 200, TextHeight(*Label)));
  // A new caption changes the text, not the laid-out width.
  Label->SetCaption("Port settings");
  EXPECT_EQ(Label->Width(), 200);
  EXPECT_EQ(Label->Left(), 0);
  const auto [first, last] = TextColumns(Paint());
  ASSERT_GE(first, 0);
  EXPECT_NEAR((first + last + 1) / 2.0, 100, 2);
}

}  // namespace

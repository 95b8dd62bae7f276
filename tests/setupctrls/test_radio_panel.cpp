// The settings panel: its defaults, its own copy of the text, the anchors it takes in
// its popup, and the radio behaviour over its jumper children.
#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "setupctrls/RadioPanel.h"
#include "setupctrls/TwoJumper.h"
#include "toolkit/Label.h"

namespace {

// A jumper class derived from the two-pin jumper: not a jumper by name.
class DerivedJumper : public TTwoJumper {
  TK_CLASS_NAME(DerivedJumper)
 public:
  using TTwoJumper::TTwoJumper;
};

TEST(RadioPanelTest, NewPanelIsHiddenBareAndSized) {
  TRadioPanel Panel(nullptr);
  EXPECT_STREQ(Panel.ClassName(), "TRadioPanel");
  EXPECT_EQ(Panel.Width(), 194);
  EXPECT_EQ(Panel.Height(), 100);
  EXPECT_FALSE(Panel.Visible());
  EXPECT_EQ(Panel.BevelOuter(), bvNone);
  EXPECT_EQ(Panel.BevelInner(), bvNone);
  EXPECT_EQ(Panel.Caption(), "");
  EXPECT_EQ(Panel.Color(), clBtnFace);
  EXPECT_EQ(Panel.MemoHeight, 58);
  EXPECT_FALSE(Panel.RadioEnabled);
  EXPECT_EQ(Panel.Lines().Count(), 0);
  EXPECT_EQ(Panel.Anchors(), (TAnchors{akLeft, akTop}));
  EXPECT_EQ(Panel.FinalAnchors(), (TAnchors{akLeft, akTop}));
  EXPECT_FALSE(Panel.FFinalAnchorsApplied);
}

TEST(RadioPanelTest, PaintsOnlyItsColour) {
  TRadioPanel Panel(nullptr);
  Panel.SetColor(RGB(12, 34, 56));
  QImage Surface(Panel.Width(), Panel.Height(), QImage::Format_RGB32);
  Surface.fill(qRgb(255, 0, 255));
  Panel.PaintHandler(Surface, Panel.ClientRect());
  int Other = 0;
  for (int Y = 0; Y < Surface.height(); ++Y)
    for (int X = 0; X < Surface.width(); ++X) Other += Surface.pixel(X, Y) != qRgb(12, 34, 56);
  EXPECT_EQ(Other, 0);
}

TEST(RadioPanelTest, LinesAreCopiedOnAssignment) {
  TRadioPanel Panel(nullptr);
  TStringList Source{"first line", "second line"};
  Panel.SetLines(Source);
  Source.SetString(0, "changed");
  Source.Add("third");
  EXPECT_EQ(Panel.Lines().Items(), (std::vector<std::string>{"first line", "second line"}));
  Panel.Lines().Add("own");
  EXPECT_EQ(Source.Count(), 3);
}

TEST(RadioPanelTest, FinalAnchorsApplyOnlyOnceThePanelIsInItsPopup) {
  TRadioPanel Panel(nullptr);
  const TAnchors All{akLeft, akTop, akRight, akBottom};
  Panel.SetFinalAnchors(All);
  EXPECT_EQ(Panel.FinalAnchors(), All);
  EXPECT_EQ(Panel.Anchors(), (TAnchors{akLeft, akTop}));
  // What the popup builder does when it takes the panel.
  Panel.SetAnchors(Panel.FinalAnchors());
  Panel.FFinalAnchorsApplied = true;
  const TAnchors Right{akTop, akRight};
  Panel.SetFinalAnchors(Right);
  EXPECT_EQ(Panel.FinalAnchors(), Right);
  EXPECT_EQ(Panel.Anchors(), Right);
}

// A panel holding three jumpers with a label and a derived jumper among them.
class RadioTest : public ::testing::Test {
 protected:
  RadioTest() {
    Panel.RadioEnabled = true;
    Panel.OnRadioChange = [this](TObject* Sender) { Events.push_back(Sender); };
    for (int I = 0; I < 3; ++I) {
      auto* J = new TTwoJumper(nullptr);  // freed with the panel
      J->SetParent(&Panel);
      J->SetBounds(0, 20 * I, 34, 18);
      Jumpers.push_back(J);
      if (I == 0) {
        auto* L = new TLabel(nullptr);
        L->SetParent(&Panel);
        L->SetCaption("IRQ");
        L->SetLeft(40);
      }
    }
    Other = new DerivedJumper(nullptr);
    Other->SetParent(&Panel);
    Other->SetBounds(100, 0, 34, 18);
    Other->SetClosed(true);
  }

  void SetStates(const std::string& States) {
    for (size_t I = 0; I < Jumpers.size(); ++I) Jumpers[I]->SetClosed(States[I] == '1');
  }
  std::string States() const {
    std::string S;
    for (const TTwoJumper* J : Jumpers) S += J->Closed() ? '1' : '0';
    return S;
  }
  void ClickJumper(int I) {
    const int X = Jumpers[static_cast<size_t>(I)]->Left() + 5, Y = Jumpers[static_cast<size_t>(I)]->Top() + 5;
    Panel.HandleMouseMove(X, Y);
    Panel.HandleMouseButton(true, mbLeft, X, Y);
    Panel.HandleMouseButton(false, mbLeft, X, Y);
  }

  TRadioPanel Panel{nullptr};
  std::vector<TTwoJumper*> Jumpers;
  DerivedJumper* Other = nullptr;
  std::vector<TObject*> Events;
};

TEST_F(RadioTest, RadioClickClosesTheGivenJumperAndReportsChanges) {
  struct Case {
    const char* Name;
    const char* Before;
    int Clicked;
    const char* After;
    bool Event;
  };
  const std::vector<Case> Cases{
      {"the second closed, called for the first", "110", 0, "100", true},
      {"the given jumper already the only closed one", "100", 0, "100", false},
      {"all open", "000", 2, "001", true},
      {"all closed", "111", 1, "010", true},
      {"another one closed", "001", 1, "010", true},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    SetStates(C.Before);
    Events.clear();
    Panel.RadioClick(Jumpers[static_cast<size_t>(C.Clicked)]);
    EXPECT_EQ(States(), C.After);
    EXPECT_EQ(Events, C.Event ? std::vector<TObject*>{Jumpers[static_cast<size_t>(C.Clicked)]}
                              : std::vector<TObject*>{});
    EXPECT_TRUE(Other->Closed());  // only exact jumpers take part
  }
}

TEST_F(RadioTest, ClicksReportChangesAgainstTheStateBeforeTheClick) {
  std::vector<std::string> SeenByOnClick;
  for (TTwoJumper* J : Jumpers) J->OnClick = [&](TObject*) { SeenByOnClick.push_back(States()); };
  struct Step {
    int Clicked;
    const char* After;
    int Events;  // raised so far
  };
  const std::vector<Step> Steps{
      {1, "010", 1},  // closing one while all were open is a change
      {1, "010", 1},  // the closed one again: nothing changed
      {2, "001", 2},
      {0, "100", 3},
  };
  for (const Step& S : Steps) {
    SCOPED_TRACE(S.After);
    ClickJumper(S.Clicked);
    EXPECT_EQ(States(), S.After);
    EXPECT_EQ(static_cast<int>(Events.size()), S.Events);
    // OnClick runs after the panel has settled its jumpers.
    EXPECT_EQ(SeenByOnClick.back(), S.After);
  }
  EXPECT_EQ(Events.back(), Jumpers[0]);
}

TEST_F(RadioTest, WithoutRadioBehaviourJumpersToggleOnTheirOwn) {
  Panel.RadioEnabled = false;
  ClickJumper(0);
  ClickJumper(2);
  EXPECT_EQ(States(), "101");
  ClickJumper(0);
  EXPECT_EQ(States(), "001");
  EXPECT_TRUE(Events.empty());
}

}  // namespace

// Hover popups: the states a group's popup goes through, building and placing it,
// and the group menus with Previous and Next.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QImage>
#include <QWidget>
#include <memory>

#include "support/MainWindowFixture.h"
#include "app/MainForm.h"
#include "setupctrls/BoardHighlight.h"
#include "setupctrls/BoardImage.h"
#include "setupctrls/PopupForm.h"
#include "setupctrls/RadioPanel.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Memo.h"
#include "toolkit/Menu.h"
#include "toolkit/Screen.h"
#include "toolkit/StatusBar.h"

namespace {
enum class State { Absent, Hidden, Open, HeldByHover, Held };
const char* Name(State s) {
  static const char* const names[] = {"Absent", "Hidden", "Open", "HeldByHover", "Held"};
  return names[static_cast<int>(s)];
}

class Popups : public MainWindowTest {
 protected:
  std::vector<TBoardHighlight*> BaseGroup() const { return {form->BaseA, form->BaseB, form->BaseC, form->BaseD}; }
  // The group's one popup, whichever member created it.
  TPopupForm* BasePopup() const {
    for (TBoardHighlight* h : BaseGroup())
      if (h->Popup() != nullptr) return h->Popup();
    return nullptr;
  }
  TBoardHighlight* Creator() const {
    for (TBoardHighlight* h : BaseGroup())
      if (h->Popup() != nullptr) return h;
    return nullptr;
  }
  State Observe() const {
    TPopupForm* p = BasePopup();
    if (p == nullptr) return State::Absent;
    if (!p->Visible()) return State::Hidden;
    if (!Creator()->Pinned()) return State::Open;
    return p->CloseOnLeave() ? State::HeldByHover : State::Held;
  }
  TMenuItem* Entry(const char* name) const { return static_cast<TMenuItem*>(form->FindComponent(name)); }
  TButton* Button(TPopupForm* p, const char* name) const { return static_cast<TButton*>(p->FindComponent(name)); }

  static void MoveMouse(int x, int y) { QCursor::setPos(x, y); }
  void Enter(TBoardHighlight* h) { h->Perform(CM_MOUSEENTER, 0, 0); }
  void LeaveOutside(TBoardHighlight* h) {
    MoveMouse(2, 1020);
    h->Perform(CM_MOUSELEAVE, 0, 0);
  }
  void LeaveIntoPopup(TBoardHighlight* h) {
    TPopupForm* p = BasePopup();
    MoveMouse(p->Left() + p->Width() / 2, p->Top() + p->Height() / 2);
    h->Perform(CM_MOUSELEAVE, 0, 0);
  }
  void LeavePopup() {
    MoveMouse(2, 1020);
    BasePopup()->Perform(CM_MOUSELEAVE, 0, 0);
  }
};

enum class Event { Enter, LeaveOutside, LeaveIntoPopup, Click, LeavePopup, Done, CloseBox, Next, Menu, Start };

}  // namespace

TEST_F(Popups, StateTable) {
  struct Row {
    State From;
    Event What;
    State To;
  };
  const Row rows[] = {
      {State::Absent, Event::Enter, State::Open},
      {State::Hidden, Event::Enter, State::Open},
      {State::Open, Event::LeaveOutside, State::Hidden},
      {State::Open, Event::LeaveIntoPopup, State::HeldByHover},
      {State::Open, Event::Click, State::Held},
      {State::HeldByHover, Event::LeavePopup, State::Hidden},
      {State::HeldByHover, Event::LeaveOutside, State::HeldByHover},
      {State::Held, Event::LeaveOutside, State::Held},
      {State::Held, Event::LeavePopup, State::Held},
      {State::Open, Event::Done, State::Hidden},
      {State::HeldByHover, Event::CloseBox, State::Hidden},
      {State::Held, Event::Done, State::Hidden},
      {State::Held, Event::Next, State::Hidden},
      {State::Open, Event::Next, State::Hidden},
      {State::HeldByHover, Event::Menu, State::Hidden},
      {State::Held, Event::Menu, State::Hidden},
      {State::Absent, Event::Menu, State::Held},
      {State::Hidden, Event::Menu, State::Held},
      {State::Open, Event::Menu, State::Held},
      {State::Absent, Event::Start, State::Held},
      {State::Hidden, Event::Start, State::Held},
  };
  for (const Row& row : rows) {
    SetUp();
    TBoardHighlight* member = form->BaseC;
    switch (row.From) {
      case State::Absent: break;
      case State::Hidden: Enter(member); LeaveOutside(member); break;
      case State::Open: Enter(member); break;
      case State::HeldByHover: Enter(member); LeaveIntoPopup(member); break;
      case State::Held: Enter(member); member->Click(); break;
    }
    ASSERT_EQ(Observe(), row.From) << "setting up " << Name(row.From);
    switch (row.What) {
      case Event::Enter: Enter(member); break;
      case Event::LeaveOutside: LeaveOutside(member); break;
      case Event::LeaveIntoPopup: LeaveIntoPopup(member); break;
      case Event::Click: member->Click(); break;
      case Event::LeavePopup: LeavePopup(); break;
      case Event::Done: Button(BasePopup(), "DoneButton")->Click(); break;
      case Event::CloseBox: BasePopup()->Close(); break;
      case Event::Next: Button(BasePopup(), "NextButton")->Click(); break;
      case Event::Menu: Entry("BaseAddress1")->Click(); break;
      case Event::Start: form->BoardImage1->Perform(WM_BOARDSTART, 0, 0); break;
    }
    const State to = Observe();
    EXPECT_EQ(to, row.To) << Name(row.From) << " -> " << Name(row.To);
    const bool shown = to == State::Open || to == State::HeldByHover || to == State::Held;
    const bool held = to == State::HeldByHover || to == State::Held;
    EXPECT_EQ(Entry("BaseAddress1")->Checked(), held) << Name(row.From) << " -> " << Name(row.To);
    for (TBoardHighlight* h : BaseGroup()) {
      EXPECT_EQ(h->Hot(), shown) << h->Name() << " " << Name(row.From) << " -> " << Name(row.To);
      EXPECT_EQ(h->PopupActive(), shown && BasePopup()->Active()) << h->Name();
    }
    if (row.What == Event::Next) {
      // The neighbouring group's popup is held instead.
      ASSERT_NE(form->IRQ->Popup(), nullptr);
      EXPECT_TRUE(form->IRQ->Popup()->Visible());
      EXPECT_TRUE(form->IRQ->Pinned());
      EXPECT_TRUE(Entry("IRQLevel1")->Checked());
    }
    TearDown();
  }
}

TEST_F(Popups, EnteringAnyMemberCreatesOnePopupThroughTheRelay) {
  Enter(form->BaseB);
  EXPECT_NE(form->BaseB->Popup(), nullptr);
  for (TBoardHighlight* h : {form->BaseA, form->BaseC, form->BaseD}) {
    EXPECT_EQ(h->Popup(), nullptr);
    EXPECT_TRUE(h->Hot());
  }
  EXPECT_FALSE(form->IRQ->Hot());
  LeaveOutside(form->BaseB);
  // Entering another member shows the same window again.
  Enter(form->BaseA);
  EXPECT_EQ(form->BaseA->Popup(), nullptr);
  EXPECT_TRUE(form->BaseB->Popup()->Visible());
  int windows = 0;
  for (int i = 0; i < Application->FormCount(); ++i) windows += Application->Forms(i)->Caption() == "Base Address";
  EXPECT_EQ(windows, 1);
}

TEST_F(Popups, PopupCarriesThePanelItsTextAndButtons) {
  Enter(form->BaseA);
  TPopupForm* p = BasePopup();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->Caption(), "Base Address");
  EXPECT_EQ(p->Tag, 1);
  EXPECT_EQ(p->FormStyle(), fsStayOnTop);
  EXPECT_EQ(p->BorderStyle(), bsSizeToolWin);
  EXPECT_EQ(form->BasePanel->Parent(), p);
  EXPECT_TRUE(form->BasePanel->Visible());
  EXPECT_TRUE(form->BasePanel->FFinalAnchorsApplied);
  const int w = p->ClientWidth(), h = p->ClientHeight();
  // The panel's width, unless the window's smallest width of 194 is more.
  EXPECT_EQ(w, 194);
  EXPECT_EQ(h, 116 + 32 + 58 + 19);
  auto* memo = static_cast<TMemo*>(p->FindComponent("StatusMemo"));
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->BoundsRect(), Bounds(6, h - 50 - 58, w - 12, 58));
  EXPECT_EQ(memo->Lines().Strings(0), form->BasePanel->Lines().Strings(0));
  EXPECT_TRUE(memo->ReadOnly());
  EXPECT_EQ(Button(p, "PreviousButton")->BoundsRect(), Bounds(6, h - 44, 58, 25));
  EXPECT_EQ(Button(p, "NextButton")->BoundsRect(), Bounds((w - 58) / 2, h - 44, 58, 25));
  EXPECT_EQ(Button(p, "DoneButton")->BoundsRect(), Bounds(w - 64, h - 44, 58, 25));
  EXPECT_EQ(p->PopupStatus->BoundsRect(), Bounds(0, h - 19, w, 19));
  // The panel has the focus.
  EXPECT_TRUE(form->BasePanel->ContainsControl(p->ActiveControl()));
  EXPECT_EQ(p->Constraints().MinWidth, 194);
  EXPECT_EQ(p->Constraints().MinHeight, h);
  EXPECT_EQ(p->Window()->minimumWidth(), 194);
}

TEST_F(Popups, PlacedWhereThePanelWasLaidOutShiftedWithTheBoard) {
  // The board centred itself, moving away from its design position (166, 122).
  TBoardImage* board = form->BoardImage1;
  const int dx = board->Left() - 166, dy = board->Top() - 122;
  EXPECT_GT(dx, 100);
  Enter(form->BaseA);
  EXPECT_EQ(BasePopup()->Left(), 78 + dx);
  EXPECT_EQ(BasePopup()->Top(), 88 + dy);
}

TEST_F(Popups, KeptOnTheScreenOnceOnEachAxis) {
  // On a narrow screen the termination popup is moved left to touch the right edge.
  Screen::SetSizeForTesting(800, 600);
  ASSERT_GT(form->BoardImage1->Left() + 415 + 233, 800);
  Enter(form->Load);
  TPopupForm* load = form->Load->Popup();
  ASSERT_NE(load, nullptr);
  // The window is kept on screen as built, before the window manager's frame goes around it.
  EXPECT_EQ(load->Left() + load->ClientWidth(), 800);
  // A window 736 wide centres the board at 68: the base popup would start at -20.
  form->SetBounds(0, 0, 736, 600);
  QCoreApplication::processEvents();
  PaintBoard(form->BoardImage1);
  ASSERT_EQ(form->BoardImage1->Left(), 68);
  Enter(form->BaseA);
  EXPECT_EQ(BasePopup()->Left(), 0);
}

TEST_F(Popups, HighlightWithoutPanelGetsASmallPopupUnderTheBoard) {
  auto* h = new TBoardHighlight(form.get());
  h->SetTitle("&Plain");
  h->SetBounds(300, 300, 40, 40);
  h->SetParent(form->BoardImage1);
  const TRect board = form->BoardImage1->BoundsRect();
  Enter(h);
  TPopupForm* p = h->Popup();
  ASSERT_NE(p, nullptr);
  // Sized before the window manager's frame is known: the frame goes around these.
  EXPECT_EQ(p->ClientWidth(), 194);
  EXPECT_EQ(p->ClientHeight(), 141);
  EXPECT_EQ(p->Left(), board.Left);
  EXPECT_EQ(p->Top(), board.Bottom + 38);
  EXPECT_EQ(static_cast<TMemo*>(p->FindComponent("StatusMemo"))->Lines().Count(), 0);
  EXPECT_EQ(p->ActiveControl(), p->FindComponent("DoneButton"));
}

TEST_F(Popups, CirclesThatOpenNothing) {
  // No popup of its own and none in its group: hot for the rest of the run.
  auto* quiet = new TBoardHighlight(form.get());
  quiet->SetTitle("Quiet");
  quiet->CreatePopup = false;
  quiet->SetParent(form->BoardImage1);
  Enter(quiet);
  LeaveOutside(quiet);
  EXPECT_TRUE(quiet->Hot());
  EXPECT_EQ(quiet->Popup(), nullptr);

  // Same caption and type as an existing window: that window counts as the group's popup.
  Enter(form->BaseA);
  auto* twin = new TBoardHighlight(form.get());
  twin->SetTitle("Base Address");
  twin->SetParent(form->BoardImage1);
  EXPECT_FALSE(twin->IsLinkedWith(form->BaseA));
  Enter(twin);
  EXPECT_EQ(twin->Popup(), nullptr);

  // The main window is "Setup" with Tag 0, so an options circle of that title opens nothing.
  auto* setup = new TBoardHighlight(form.get());
  setup->SetTitle("Setup");
  setup->SetHighlightType(htOptions);
  setup->SetParent(form->BoardImage1);
  Enter(setup);
  EXPECT_EQ(setup->Popup(), nullptr);
}

TEST_F(Popups, ReopensWhereLeftAndKeepsItsLayoutWhenEnlarged) {
  Enter(form->IRQ);
  TPopupForm* p = form->IRQ->Popup();
  const int builtWidth = p->Width(), builtHeight = p->Height();
  auto* memo = static_cast<TMemo*>(p->FindComponent("StatusMemo"));
  TButton* done = Button(p, "DoneButton");
  TButton* next = Button(p, "NextButton");
  const int memoWidth = memo->Width(), doneRight = p->ClientWidth() - done->Left();
  p->SetBounds(p->Left() + 30, p->Top() + 20, builtWidth + 100, builtHeight + 60);
  QCoreApplication::processEvents();
  EXPECT_EQ(memo->Width(), memoWidth + 100);
  EXPECT_EQ(p->ClientWidth() - done->Left(), doneRight);
  EXPECT_NEAR(next->Left() + next->Width() / 2, p->ClientWidth() / 2, 1);
  EXPECT_GE(p->Window()->minimumWidth(), 1);
  const TRect moved = p->BoundsRect();
  LeaveOutside(form->IRQ);
  ASSERT_FALSE(p->Visible());
  Enter(form->IRQ);
  EXPECT_EQ(p->BoundsRect(), moved);
}

TEST_F(Popups, ClickAfterClosingWithoutLeavingShowsThePopupHeld) {
  // Closed from the keyboard while the mouse stays on the circle, then clicked.
  Enter(form->BaseC);
  Button(BasePopup(), "DoneButton")->Click();
  ASSERT_EQ(Observe(), State::Hidden);
  form->BaseC->Click();
  EXPECT_EQ(Observe(), State::Held);
  EXPECT_TRUE(BasePopup()->Active());
  EXPECT_TRUE(Entry("BaseAddress1")->Checked());
  for (TBoardHighlight* h : BaseGroup()) EXPECT_TRUE(h->Hot()) << h->Name();
}

TEST_F(Popups, StartRequestOpensTheFirstGroupHeldAndFocused) {
  form->BoardImage1->Perform(WM_BOARDSTART, 0, 0);
  EXPECT_EQ(Observe(), State::Held);
  EXPECT_TRUE(BasePopup()->Active());
  EXPECT_TRUE(Entry("BaseAddress1")->Checked());
}

TEST_F(Popups, GroupMenusAndTheirEntries) {
  TMenuItem* bar = form->MainMenu1->Items();
  ASSERT_EQ(bar->Count(), 3);
  TMenuItem* settings = bar->Items(1);
  EXPECT_EQ(settings->Caption(), "&Settings");
  EXPECT_EQ(settings->Name(), "Settings1");
  ASSERT_EQ(settings->Count(), 3);
  const char* names[] = {"BaseAddress1", "IRQLevel1", "Load1"};
  const char* captions[] = {"&Base Address", "&IRQ Level", "&Load"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(settings->Items(i)->Name(), names[i]);
    EXPECT_EQ(settings->Items(i)->Caption(), captions[i]);
  }

  // An options circle makes "&Options" before Help; a calibration circle goes between.
  auto* options = new TBoardHighlight(form.get());
  options->SetTitle("&Features");
  options->SetHighlightType(htOptions);
  options->SetParent(form->BoardImage1);
  auto* calibration = new TBoardHighlight(form.get());
  calibration->SetTitle("&Features");
  calibration->SetHighlightType(htCalibration);
  calibration->SetParent(form->BoardImage1);
  // An invisible circle makes no entry until it is painted.
  auto* hidden = new TBoardHighlight(form.get());
  hidden->SetTitle("&Hidden");
  hidden->SetVisible(false);
  hidden->SetParent(form->BoardImage1);
  PaintBoard(form->BoardImage1);
  std::vector<std::string> captionsNow;
  for (int i = 0; i < bar->Count(); ++i) captionsNow.push_back(bar->Items(i)->Caption());
  EXPECT_EQ(captionsNow, (std::vector<std::string>{"&File", "&Settings", "&Calibration", "&Options", "&Help"}));
  EXPECT_EQ(bar->Items(3)->Name(), "Options1");
  EXPECT_EQ(form->FindComponent("Features1")->ClassName(), std::string("TMenuItem"));
  EXPECT_NE(form->FindComponent("Features2"), nullptr);
  EXPECT_FALSE(options->IsLinkedWith(calibration));
  EXPECT_EQ(form->FindComponent("Hidden1"), nullptr);
  hidden->SetVisible(true);
  PaintBoard(form->BoardImage1);
  EXPECT_NE(form->FindComponent("Hidden1"), nullptr);
}

TEST_F(Popups, MenuEntriesOpenHoldAndCloseWithTheirCheckMark) {
  TMenuItem* irq = Entry("IRQLevel1");
  irq->Click();
  ASSERT_NE(form->IRQ->Popup(), nullptr);
  EXPECT_TRUE(form->IRQ->Popup()->Visible());
  EXPECT_TRUE(irq->Checked());
  irq->Click();
  EXPECT_FALSE(form->IRQ->Popup()->Visible());
  EXPECT_FALSE(irq->Checked());
  // Hovering into the popup checks the entry; leaving the popup clears it.
  Enter(form->BaseD);
  LeaveIntoPopup(form->BaseD);
  EXPECT_TRUE(Entry("BaseAddress1")->Checked());
  LeavePopup();
  EXPECT_FALSE(Entry("BaseAddress1")->Checked());
}

TEST_F(Popups, PreviousAndNextWrapAroundTheGroupMenu) {
  Entry("Load1")->Click();
  Button(form->Load->Popup(), "NextButton")->Click();
  EXPECT_FALSE(form->Load->Popup()->Visible());
  EXPECT_EQ(Observe(), State::Held);
  Button(BasePopup(), "PreviousButton")->Click();
  EXPECT_TRUE(form->Load->Popup()->Visible());
  EXPECT_EQ(Observe(), State::Hidden);
  Entry("BaseAddress1")->Click();
  Button(BasePopup(), "NextButton")->Click();
  EXPECT_TRUE(form->IRQ->Popup()->Visible());
  EXPECT_TRUE(form->IRQ->Pinned());
}

TEST_F(Popups, RadioPanelIsSharedOnlyAmongLinkedCircles) {
  form->BaseB->SetRadioPanel(form->IRQPanel);
  EXPECT_EQ(form->BaseB->RadioPanel(), form->BasePanel);
  form->BaseB->SetRadioPanel(nullptr);
  EXPECT_EQ(form->BaseB->RadioPanel(), nullptr);
  form->BaseB->SetRadioPanel(form->BasePanel);
  EXPECT_EQ(form->BaseB->RadioPanel(), form->BasePanel);
}

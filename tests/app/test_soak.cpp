// A long random walk over the six circles and their popups: mouse notices with the
// mouse inside and outside the popups, real mouse moves through the message loop,
// clicks, Done, the close box, menu picks, Previous and Next. After every step the
// groups must agree with what the user sees: one window per group, a check mark on
// exactly the held groups, and a group's circles lit exactly while its popup shows.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <chrono>
#include <cstdio>
#include <cstdint>
#include <deque>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "setupctrls/BoardHighlight.h"
#include "setupctrls/PopupForm.h"
#include "support/MainWindowFixture.h"
#include "toolkit/Button.h"
#include "toolkit/Menu.h"

namespace {
constexpr int kSteps = 10000;
constexpr std::uint32_t kSeed = 20240611;

struct Group {
  const char* Caption;  // the popup window's caption
  const char* Entry;    // its entry in the Settings menu
  std::vector<TBoardHighlight*> Members;
};

enum Action {
  EnterCircle,
  LeaveCircleOutside,
  LeaveCircleIntoPopup,
  LeavePopupOutside,
  LeavePopupInside,
  ClickCircle,
  Done,
  CloseBox,
  MenuPick,
  Previous,
  Next,
  MouseOntoCircle,
  RunMessages,
  ActionCount
};

const char* const kActionNames[] = {"enter circle",     "leave circle outside", "leave circle into popup",
                                    "leave popup outside", "leave popup inside", "click circle",
                                    "Done",             "close box",            "menu pick",
                                    "Previous",         "Next",                 "mouse onto circle",
                                    "run messages"};
static_assert(sizeof(kActionNames) / sizeof(kActionNames[0]) == ActionCount, "one name per action");

class Soak : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    groups = {{"Base Address", "BaseAddress1", {form->BaseA, form->BaseB, form->BaseC, form->BaseD}},
              {"IRQ Level", "IRQLevel1", {form->IRQ}},
              {"Load", "Load1", {form->Load}}};
    for (const Group& g : groups) ASSERT_NE(Entry(g), nullptr) << g.Entry;
  }

  TMenuItem* Entry(const Group& G) const { return dynamic_cast<TMenuItem*>(form->FindComponent(G.Entry)); }
  static TBoardHighlight* Creator(const Group& G) {
    for (TBoardHighlight* h : G.Members)
      if (h->Popup() != nullptr) return h;
    return nullptr;
  }
  static TPopupForm* PopupOf(const Group& G) {
    TBoardHighlight* c = Creator(G);
    return c != nullptr ? c->Popup() : nullptr;
  }
  static bool Shown(const Group& G) {
    TPopupForm* p = PopupOf(G);
    return p != nullptr && p->Visible();
  }
  const Group& GroupOf(const TBoardHighlight* H) const {
    for (const Group& g : groups)
      for (TBoardHighlight* m : g.Members)
        if (m == H) return g;
    return groups.front();
  }

  static void MouseAway() { QCursor::setPos(2, 1020); }
  static void MouseInto(const TPopupForm* P) { QCursor::setPos(P->Left() + P->Width() / 2, P->Top() + P->Height() / 2); }

  // What is wrong after a step, or an empty string.
  std::string Violation() const {
    std::ostringstream out;
    for (const Group& g : groups) {
      int windows = 0;
      for (int i = 0; i < Application->FormCount(); ++i) windows += Application->Forms(i)->Caption() == g.Caption;
      if (windows > 1) out << windows << " windows titled " << g.Caption << "; ";
      int creators = 0;
      for (TBoardHighlight* h : g.Members) creators += h->Popup() != nullptr;
      if (creators > 1) out << creators << " circles own a " << g.Caption << " popup; ";
      const bool shown = Shown(g);
      const bool held = shown && Creator(g)->Pinned();
      if (Entry(g)->Checked() != held)
        out << g.Entry << (held ? " unchecked while its popup is held; " : " checked while its popup is not held; ");
      for (TBoardHighlight* h : g.Members) {
        if (h->Hot() != shown) out << h->Name() << (shown ? " not lit while its popup shows; " : " lit while its popup is hidden; ");
      }
    }
    return out.str();
  }

  // Performs one step; the description says what was done to whom.
  std::string Step(std::mt19937& Random) {
    auto pick = [&](std::size_t N) { return static_cast<std::size_t>(Random() % N); };
    const std::vector<TBoardHighlight*> circles = {form->BaseA, form->BaseB, form->BaseC,
                                                   form->BaseD, form->IRQ,   form->Load};
    TBoardHighlight* circle = circles[pick(circles.size())];
    const Group& group = groups[pick(groups.size())];
    TPopupForm* popup = PopupOf(group);
    const auto action = static_cast<Action>(pick(ActionCount));
    std::string what = std::string(kActionNames[action]) + " ";
    auto button = [&](const char* Name) {
      what += group.Caption;
      // Only a window on the screen has buttons to press.
      if (popup == nullptr || !popup->Visible()) return;
      static_cast<TButton*>(popup->FindComponent(Name))->Click();
    };
    switch (action) {
      case EnterCircle:
        what += circle->Name();
        circle->Perform(CM_MOUSEENTER, 0, 0);
        break;
      case LeaveCircleOutside:
        what += circle->Name();
        MouseAway();
        circle->Perform(CM_MOUSELEAVE, 0, 0);
        break;
      case LeaveCircleIntoPopup: {
        what += circle->Name();
        TPopupForm* own = PopupOf(GroupOf(circle));
        if (own != nullptr && own->Visible())
          MouseInto(own);
        else
          MouseAway();
        circle->Perform(CM_MOUSELEAVE, 0, 0);
        break;
      }
      case LeavePopupOutside:
        what += group.Caption;
        if (popup == nullptr || !popup->Visible()) break;
        MouseAway();
        popup->Perform(CM_MOUSELEAVE, 0, 0);
        break;
      case LeavePopupInside:
        // The notice also comes when the mouse moves between the popup's own controls.
        what += group.Caption;
        if (popup == nullptr || !popup->Visible()) break;
        MouseInto(popup);
        popup->Perform(CM_MOUSELEAVE, 0, 0);
        break;
      case ClickCircle:
        what += circle->Name();
        circle->Click();
        break;
      case Done: button("DoneButton"); break;
      case CloseBox:
        what += group.Caption;
        if (popup != nullptr && popup->Visible()) popup->Close();
        break;
      case MenuPick:
        what += group.Entry;
        Entry(group)->Click();
        break;
      case Previous: button("PreviousButton"); break;
      case Next: button("NextButton"); break;
      case MouseOntoCircle: {
        // A real move: the board finds the circle under the mouse and sends the notices itself.
        what += circle->Name();
        const TPoint centre = circle->ClientToScreen(TPoint{circle->Width() / 2, circle->Height() / 2});
        QCursor::setPos(centre.x, centre.y);
        QCoreApplication::processEvents();
        break;
      }
      case RunMessages:
        MouseAway();
        QCoreApplication::processEvents();
        break;
      case ActionCount: break;
    }
    return what;
  }

  std::vector<Group> groups;
};
}  // namespace

TEST_F(Soak, RandomStepsKeepWindowsCheckMarksAndLightsConsistent) {
  std::mt19937 random(kSeed);
  std::deque<std::string> trail;  // the last steps, to replay a failure by hand
  int shownSteps[3] = {0, 0, 0}, heldSteps[3] = {0, 0, 0};
  const auto start = std::chrono::steady_clock::now();
  for (int step = 0; step < kSteps; ++step) {
    trail.push_back(std::to_string(step) + ": " + Step(random));
    if (trail.size() > 12) trail.pop_front();
    const std::string wrong = Violation();
    if (!wrong.empty()) {
      std::string steps;
      for (const std::string& s : trail) steps += "  " + s + "\n";
      FAIL() << "after step " << step << ": " << wrong << "\nlast steps:\n" << steps;
    }
    for (std::size_t g = 0; g < groups.size(); ++g) {
      shownSteps[g] += Shown(groups[g]);
      heldSteps[g] += Shown(groups[g]) && Creator(groups[g])->Pinned();
    }
  }
  const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%d random steps in %.1f s\n", kSteps, seconds);
  // The walk must have reached every group both open and held, or it proved little.
  for (std::size_t g = 0; g < groups.size(); ++g) {
    EXPECT_GT(shownSteps[g], kSteps / 20) << groups[g].Caption;
    EXPECT_GT(heldSteps[g], kSteps / 50) << groups[g].Caption;
  }
}

// Drives the main window's highlight circles the way the mouse and the menus do,
// for the leak driver and the memory soak. Each step reports through Expect, so a
// run that did not open what it meant to open fails instead of passing unexercised.
#pragma once

#include <QCoreApplication>
#include <QCursor>
#include <cstdio>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "setupctrls/BoardHighlight.h"
#include "setupctrls/PopupForm.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Menu.h"

namespace boarddriver {

// Counts the failed expectations of a run.
inline int& Failures() {
  static int failures = 0;
  return failures;
}

inline void Expect(bool Condition, const std::string& What) {
  if (Condition) return;
  ++Failures();
  std::fprintf(stderr, "expectation failed: %s\n", What.c_str());
}

// A place on the 1280 x 1024 screen that no window of the program covers.
inline void MoveMouseAway() { QCursor::setPos(2, 1020); }

// The six circles, one group after the other.
inline std::vector<TBoardHighlight*> Circles(const TMainForm& Form) {
  return {Form.BaseA, Form.BaseB, Form.BaseC, Form.BaseD, Form.IRQ, Form.Load};
}

// The group's one popup, whichever linked circle created it.
inline TPopupForm* GroupPopup(const TMainForm& Form, const TBoardHighlight* Circle) {
  for (TBoardHighlight* h : Circles(Form))
    if ((h == Circle || h->IsLinkedWith(Circle)) && h->Popup() != nullptr) return h->Popup();
  return nullptr;
}

inline bool PopupShown(const TMainForm& Form, const TBoardHighlight* Circle) {
  const TPopupForm* p = GroupPopup(Form, Circle);
  return p != nullptr && p->Visible();
}

inline void Enter(TBoardHighlight* Circle) { Circle->Perform(CM_MOUSEENTER, 0, 0); }

inline void LeaveOutside(TBoardHighlight* Circle) {
  MoveMouseAway();
  Circle->Perform(CM_MOUSELEAVE, 0, 0);
}

// Leaves the circle with the mouse in the middle of its group's popup.
inline void LeaveIntoPopup(const TMainForm& Form, TBoardHighlight* Circle) {
  if (TPopupForm* p = GroupPopup(Form, Circle)) QCursor::setPos(p->Left() + p->Width() / 2, p->Top() + p->Height() / 2);
  Circle->Perform(CM_MOUSELEAVE, 0, 0);
}

inline void LeavePopup(const TMainForm& Form, const TBoardHighlight* Circle) {
  MoveMouseAway();
  if (TPopupForm* p = GroupPopup(Form, Circle)) p->Perform(CM_MOUSELEAVE, 0, 0);
}

inline void ClickButton(const TMainForm& Form, const TBoardHighlight* Circle, const char* Name) {
  TPopupForm* p = GroupPopup(Form, Circle);
  Expect(p != nullptr, std::string("a popup to click ") + Name + " on for " + Circle->Name());
  if (p == nullptr) return;
  auto* button = dynamic_cast<TButton*>(p->FindComponent(Name));
  Expect(button != nullptr, std::string(Name) + " on the popup of " + Circle->Name());
  if (button != nullptr) button->Click();
}

inline TMenuItem* Entry(const TMainForm& Form, const char* Name) {
  auto* item = dynamic_cast<TMenuItem*>(Form.FindComponent(Name));
  Expect(item != nullptr, std::string("menu entry ") + Name);
  return item;
}

// One pass over a circle: hover and leave, hover into the popup and out of it,
// hover and click to hold it, then Done. Each stage is checked.
inline void HoverClickDone(TMainForm& Form, TBoardHighlight* Circle) {
  const std::string name = Circle->Name();
  Enter(Circle);
  Expect(PopupShown(Form, Circle), "hovering " + name + " opens its popup");
  LeaveOutside(Circle);
  Expect(!PopupShown(Form, Circle), "leaving " + name + " closes its popup");
  Enter(Circle);
  LeaveIntoPopup(Form, Circle);
  Expect(PopupShown(Form, Circle), "moving from " + name + " into its popup keeps it");
  LeavePopup(Form, Circle);
  Expect(!PopupShown(Form, Circle), "leaving the popup of " + name + " closes it");
  Enter(Circle);
  Circle->Click();
  LeaveOutside(Circle);
  Expect(PopupShown(Form, Circle), "clicking " + name + " holds its popup");
  ClickButton(Form, Circle, "DoneButton");
  Expect(!PopupShown(Form, Circle), "Done closes the popup of " + name);
}

// Opens a group through its menu entry, steps to the next group and back, and
// closes the held popup through the entry again.
inline void MenuNextPrevious(TMainForm& Form, const char* EntryName, TBoardHighlight* Circle) {
  TMenuItem* entry = Entry(Form, EntryName);
  if (entry == nullptr) return;
  entry->Click();
  Expect(PopupShown(Form, Circle) && entry->Checked(), std::string(EntryName) + " opens and holds its popup");
  ClickButton(Form, Circle, "NextButton");
  Expect(!PopupShown(Form, Circle), std::string("Next leaves ") + EntryName);
  for (TBoardHighlight* h : Circles(Form)) {
    if (h->Popup() != nullptr && h->Popup()->Visible()) {
      ClickButton(Form, h, "PreviousButton");
      break;
    }
  }
  Expect(PopupShown(Form, Circle), std::string("Previous comes back to ") + EntryName);
  entry->Click();
  Expect(!PopupShown(Form, Circle) && !entry->Checked(), std::string(EntryName) + " again closes its popup");
}

}  // namespace boarddriver

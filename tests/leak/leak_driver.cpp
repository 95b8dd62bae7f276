// The program as app/main.cpp starts it, driven by a script that runs from a zero
// timer inside the message loop: every circle's popup opened, held and closed,
// every group menu entry with Next and Previous, the help and technical-support
// windows shown through the Help menu, then File, Exit. Run under valgrind it shows
// whether anything the program allocates is lost when it ends the way a user ends
// it; the script's own checks make sure the run really went through every window.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <string>

#include "app/MainForm.h"
#include "leak/BoardDriver.h"
#include "setupctrls/SetupSupporter.h"
#include "setupctrls/SupportForms.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Menu.h"

using namespace boarddriver;

namespace {
// Runs the message loop until Ready holds. Valgrind slows everything down many
// times, so the limit is generous; it only stops a run that would never get there.
bool WaitFor(const std::function<bool()>& Ready, const char* What) {
  QElapsedTimer clock;
  clock.start();
  while (!Ready() && clock.elapsed() < 60000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  Expect(Ready(), std::string("waiting for ") + What);
  return Ready();
}

// The application's window with this caption, if there is one.
TForm* FormWithCaption(const std::string& Caption) {
  for (int i = 0; i < Application->FormCount(); ++i)
    if (Application->Forms(i)->Caption() == Caption) return Application->Forms(i);
  return nullptr;
}

bool Shown(const std::string& Caption) {
  const TForm* f = FormWithCaption(Caption);
  return f != nullptr && f->Visible();
}

void RunScript() {
  TMainForm& form = *MainForm;
  // The first activation builds the supporter's windows, and the first paint of
  // the board puts the circles' entries into the Settings menu.
  if (!WaitFor([&] { return form.SetSup->HelpForm() != nullptr; }, "the supporter's start-up")) return;
  if (!WaitFor([&] { return form.FindComponent("Load1") != nullptr; }, "the board's first paint")) return;
  // The help window opens by itself shortly after start-up; close it so that it
  // does not cover the popups.
  if (WaitFor([] { return Shown("Instructions for Settings utility"); }, "the help window to open by itself"))
    FormWithCaption("Instructions for Settings utility")->Close();

  for (TBoardHighlight* circle : Circles(form)) {
    HoverClickDone(form, circle);
    QCoreApplication::processEvents();
  }
  MenuNextPrevious(form, "BaseAddress1", form.BaseA);
  MenuNextPrevious(form, "IRQLevel1", form.IRQ);
  MenuNextPrevious(form, "Load1", form.Load);
  QCoreApplication::processEvents();

  // Help, How to use this program; its Start button hides it and holds the first popup.
  form.Howtousethisprogram1->Click();
  Expect(Shown("Instructions for Settings utility"), "Help, How to use this program shows the help window");
  THelpForm* help = form.SetSup->HelpForm();
  Expect(help->StartButton != nullptr, "the help window has its Start button");
  if (help->StartButton != nullptr) {
    help->StartButton->Click();
    Expect(!help->Visible() && PopupShown(form, form.BaseA), "Start hides the help and opens the first popup");
    ClickButton(form, form.BaseA, "DoneButton");
  }
  form.TechnicalSupport1->Click();
  Expect(Shown("Technical Support"), "Help, Technical Support shows the support window");
  QCoreApplication::processEvents();
  TTechForm* tech = form.SetSup->TechForm();
  Expect(tech->CloseButton != nullptr, "the support window has its Close button");
  if (tech->CloseButton != nullptr) {
    tech->CloseButton->Click();
    Expect(!tech->Visible(), "Close hides the support window");
  }
  // Both windows once more and one popup held, all left open: the program must
  // free open windows as well as hidden ones when it ends.
  form.Howtousethisprogram1->Click();
  form.TechnicalSupport1->Click();
  if (TMenuItem* irq = Entry(form, "IRQLevel1")) irq->Click();
  Expect(Shown("Instructions for Settings utility") && Shown("Technical Support") && PopupShown(form, form.IRQ),
         "the help, support and IRQ windows are open at exit");
}
}  // namespace

int main(int argc, char** argv) {
  TApplication application(argc, argv);
  application.Initialize();
  application.CreateForm(MainForm);
  application.SetIcon(":/icon.bmp");
  QTimer::singleShot(0, [] {
    RunScript();
    // File, Exit ends the message loop as it does for a user.
    MainForm->Exit2->Click();
    Expect(Application->Terminated(), "File, Exit ends the program");
    // Should the message loop go on all the same, this ends it with a clear failure
    // instead of leaving the run to the test's time limit.
    QTimer::singleShot(120000, [] {
      Expect(false, "the message loop ended after File, Exit");
      QCoreApplication::exit(1);
    });
  });
  application.Run();
  std::fprintf(stderr, "leak driver: %d failed expectation(s)\n", Failures());
  return Failures() == 0 ? 0 : 1;
}

// The main window's wiring of its setup supporter: the start-up at the first
// activation, the help window that opens by itself, and the Help menu's entries.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "driver/LLKLYDRV.h"
#include "setupctrls/SetupSupporter.h"
#include "setupctrls/SupportForms.h"
#include "support/TestHelpers.h"
#include "toolkit/Application.h"
#include "toolkit/Label.h"
#include "toolkit/Menu.h"
#include "toolkit/Screen.h"
#include "toolkit/UtilityWindow.h"

namespace {
int gLoads = 0;
void* CountingLoader(const char*, int) {
  ++gLoads;
  return nullptr;
}

int CountNamed(const TComponent& Owner, const std::string& Name) {
  int n = 0;
  for (int i = 0; i < Owner.ComponentCount(); ++i) n += Owner.Components(i)->Name() == Name;
  return n;
}

// Runs the message loop until the window is visible, for at most two seconds.
bool WaitUntilVisible(const TForm* Form) {
  QElapsedTimer clock;
  clock.start();
  while (!Form->Visible() && clock.elapsed() < 2000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return Form->Visible();
}

class SupportWiring : public ::testing::Test {
 protected:
  void SetUp() override {
    Screen::SetSizeForTesting(1280, 1024);
    gLoads = 0;
    previousLoader = LLKLYDRV::SetLibraryLoaderForTesting(&CountingLoader);
    form = std::make_unique<TMainForm>(Application);
    form->SetWindowState(wsNormal);
    form->SetBounds(0, 0, 1288, 1002);
  }
  void TearDown() override {
    form.reset();
    SetTimersFailForTesting(false);
    LLKLYDRV::SetLibraryLoaderForTesting(previousLoader);
    Screen::SetSizeForTesting(0, 0);
  }
  void Reactivate() {
    Application->SetActiveForm(nullptr);
    Application->SetActiveForm(form.get());
  }
  bool TimerRunning() const { return TimerActive(form->SetSup->TimerWindow(), TSetupSupporter::kTimerId); }

  std::unique_ptr<TMainForm> form;
  LLKLYDRV::LibraryLoader previousLoader = nullptr;
};
}  // namespace

TEST_F(SupportWiring, SupporterAsTheWindowDefinesIt) {
  TSetupSupporter* sup = form->SetSup;
  ASSERT_NE(sup, nullptr);
  EXPECT_EQ(sup->Owner(), form.get());
  EXPECT_EQ(form->FindComponent("SetSup"), sup);
  EXPECT_EQ(sup->CompanyName(), "Kelmory");
  EXPECT_EQ(sup->CardNameA(), "SRX-8T");
  EXPECT_EQ(sup->CardNameB(), "");
  EXPECT_FALSE(sup->UseCardNameB());
  EXPECT_TRUE(sup->MultiPort());
  EXPECT_TRUE(sup->ChangeButtons());
  EXPECT_TRUE(sup->bSeries());
  EXPECT_EQ(sup->Channels(), 8);
  EXPECT_FALSE(sup->OnGetCardString);
  EXPECT_FALSE(sup->OnGetCalibString);
  EXPECT_FALSE(sup->Calibrating());
  EXPECT_NE(sup->SupportText().find("You can call us Monday through Friday, 8:00 a.m. to 5:00 p.m. Pacific Time, "
                                    "at (555) 010-4477 for any of your product questions."),
            std::string::npos);
}

TEST_F(SupportWiring, HelpOpensByItselfAfterTheFirstActivation) {
  form->ShowForm();
  EXPECT_FALSE(form->OnActivate);
  TSetupSupporter* sup = form->SetSup;
  ASSERT_NE(sup->HelpForm(), nullptr);
  ASSERT_NE(sup->TechForm(), nullptr);
  EXPECT_EQ(sup->HeaderLabel()->Caption(), "SRX-8T Series Settings Program");
  EXPECT_EQ(sup->HeaderLabel()->Parent(), form.get());
  // The card list is off: no driver library, no File-menu entry, no card window.
  EXPECT_EQ(gLoads, 0);
  EXPECT_EQ(sup->PCIForm(), nullptr);
  ASSERT_EQ(form->File1->Count(), 1);
  EXPECT_EQ(form->File1->Items(0), form->Exit2);

  EXPECT_FALSE(sup->HelpForm()->Visible());
  EXPECT_TRUE(TimerRunning());
  ASSERT_TRUE(WaitUntilVisible(sup->HelpForm()));
  EXPECT_EQ(sup->HelpForm()->Caption(), "Instructions for Settings utility");
  EXPECT_FALSE(sup->ShowHelpPending());
  EXPECT_FALSE(TimerRunning());
  EXPECT_FALSE(sup->TechForm()->Visible());
}

// The Help menu shows the window; an open one stays where it is and is not activated.
TEST_F(SupportWiring, HelpMenuShowsTheSupporterWindowsOnce) {
  struct Case {
    const char* Label;
    TMenuItem* TMainForm::*Entry;
    TForm* (*Window)(TSetupSupporter*);
  };
  const Case cases[] = {
      {"help", &TMainForm::Howtousethisprogram1, [](TSetupSupporter* s) -> TForm* { return s->HelpForm(); }},
      {"technical support", &TMainForm::TechnicalSupport1,
       [](TSetupSupporter* s) -> TForm* { return s->TechForm(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Label);
    TearDown();
    SetUp();
    form->ShowForm();
    TForm* window = c.Window(form->SetSup);
    window->Hide();
    const int forms = Application->FormCount();
    TMenuItem* entry = form.get()->*c.Entry;
    entry->Click();
    EXPECT_TRUE(window->Visible());
    Application->SetActiveForm(form.get());
    entry->Click();
    EXPECT_TRUE(window->Visible());
    EXPECT_EQ(Application->ActiveForm(), form.get());
    EXPECT_EQ(Application->FormCount(), forms);
    EXPECT_EQ(CountNamed(*form, window->Name()), 1);
  }
}

TEST_F(SupportWiring, LaterActivationsDoNotRepeatTheStartUp) {
  form->ShowForm();
  THelpForm* help = form->SetSup->HelpForm();
  Reactivate();
  Reactivate();
  EXPECT_EQ(form->SetSup->HelpForm(), help);
  EXPECT_EQ(CountNamed(*form, "HeaderLabel"), 1);
  EXPECT_EQ(CountNamed(*form, "HelpForm"), 1);
  EXPECT_EQ(CountNamed(*form, "TechForm"), 1);
}

TEST_F(SupportWiring, FailedStartUpIsReportedAndRunsAgain) {
  MessageBoxRecorder boxes;
  SetTimersFailForTesting(true);
  form->ShowForm();
  ASSERT_EQ(boxes.Requests.size(), 1u);
  EXPECT_EQ(boxes.Requests[0].Text, "Not enough timers available");
  EXPECT_EQ(boxes.Requests[0].Type, mtError);
  EXPECT_TRUE(form->OnActivate);

  SetTimersFailForTesting(false);
  Reactivate();
  EXPECT_EQ(boxes.Requests.size(), 1u);
  EXPECT_FALSE(form->OnActivate);
  EXPECT_TRUE(TimerRunning());
  // One header line and one set of windows, whatever the failed run left.
  EXPECT_EQ(CountNamed(*form, "HeaderLabel"), 1);
  EXPECT_EQ(CountNamed(*form, "HelpForm"), 1);
  EXPECT_EQ(CountNamed(*form, "TechForm"), 1);
  ASSERT_TRUE(WaitUntilVisible(form->SetSup->HelpForm()));
}

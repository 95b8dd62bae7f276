// The setup supporter's start-up: its texts, the header line, the help, support and
// installed-cards windows with their layout, the File-menu entry and the timer that
// shows the help window.
//
// The installed-cards cases load stand-in driver libraries (tests/setupctrls/
// CMakeLists.txt) through the driver module's test loader, which opens a stand-in's
// file in place of "KLYDRV.dll" and records each load.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/MainWindowFixture.h"
#include "app/MainForm.h"
#include "driver/LLKLYDRV.h"
#include "setupctrls/BoardHighlight.h"
#include "setupctrls/BoardImage.h"
#include "setupctrls/PopupForm.h"
#include "setupctrls/SetupSupporter.h"
#include "setupctrls/SupportForms.h"
#include "support/TestHelpers.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Exceptions.h"
#include "toolkit/Label.h"
#include "toolkit/Memo.h"
#include "toolkit/Menu.h"
#include "toolkit/RichEdit.h"
#include "toolkit/Screen.h"
#include "toolkit/UtilityWindow.h"
#include "toolkit/qt/RtfToQt.h"

namespace {

// ---- The driver library as the supporter finds it ----

const char* gStubPath = nullptr;  // nullptr: no library can be loaded
std::vector<std::string> gLoads;

void* StubLoader(const char* Name, int Flags) {
  gLoads.push_back(Name);
  return gStubPath != nullptr ? ::dlopen(gStubPath, Flags) : nullptr;
}

// ---- The expected help document ----

const std::string kCrLf = "\r\n";

std::string ExpectedHelp(const std::string& Title, bool Note, const std::string& ListCard) {
  std::string doc =
      R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fprq2\fcharset0 Verdana;}})"
      R"({\colortbl\red64\green64\blue64;\red255\green255\blue64;\red64\green64\blue255;\red255\green64\blue64;})"
      R"(\viewkind4\uc1\pard\f0\fs32\cf0)" + kCrLf +
      R"({\b )" + Title + R"( Settings Program}\par\par\fs24)" + kCrLf +
      R"(This program will help you configure the option jumpers and settings associated with this product. )"
      R"(You should have the product in-hand when first using this program.\par\par)" + kCrLf +
      R"({\cf1\fs24\b Yellow circles} provide information on configuring jumpers and switches.\par\par)" + kCrLf +
      R"({\cf2\fs24\b Blue circles} are informational only. They provide information on standard and optional )"
      R"(features of the product family.\par\par)" + kCrLf +
      R"({\cf3\fs24\b Red circles} handle calibration and types of configuration that require actually )"
      R"(controlling the hardware device. Run this settings program again once the card is installed. )"
      R"(Repeat the {\cf1 setup circles} (using the same settings) to configure this program, then perform the )"
      R"({\cf3 calibration circles}.\par\par)" + kCrLf +
      R"(Mouse over the highlight circles to see configuration or information popups for {\cf1 setup}, )"
      R"({\cf2 features}, and {\cf3 calibration}. Click a highlight circle to make its popup remain on-screen. )"
      R"(You can have all or as many of these popups onscreen at the same time as you desire.\par\par)" + kCrLf;
  if (Note)
    doc += R"({\fs32\b Note:} Make sure to set the jumpers for each option group \emdash  the configuration )"
           R"(options for each port are handled identically; this program only shows the setup once, but you )"
           R"(need to perform this setup for each group of options on your device.\par\par)" + kCrLf;
  if (!ListCard.empty())
    doc += "To see a list of " + ListCard + " cards installed, click \"Display " + ListCard +
           " Cards Installed\" under the File menu.\\par\\par" + kCrLf;
  return doc + "}";
}

std::vector<std::string> Captions(TMenuItem* Parent) {
  std::vector<std::string> out;
  for (int i = 0; i < Parent->Count(); ++i) out.push_back(Parent->Items(i)->Caption());
  return out;
}

int CountNamed(const TComponent& Owner, const std::string& Name) {
  int n = 0;
  for (int i = 0; i < Owner.ComponentCount(); ++i) n += Owner.Components(i)->Name() == Name;
  return n;
}

void PressKey(TForm* Form, int Key) {
  QKeyEvent press(QEvent::KeyPress, Key, Qt::NoModifier);
  QCoreApplication::sendEvent(Form->Window(), &press);
}

// A window with a File and a Help menu and a supporter configured as the program's
// main window configures its own; the driver library is replaced by a stand-in.
class Supporter : public ::testing::Test {
 protected:
  void SetUp() override {
    Screen::SetSizeForTesting(800, 600);
    LLKLYDRV::ResetBindingForTesting();
    previousLoader = LLKLYDRV::SetLibraryLoaderForTesting(&StubLoader);
    gStubPath = nullptr;
    gLoads.clear();
    cardCalls.clear();
    host = std::make_unique<TForm>(Application);
    menu = new TMainMenu(host.get());
    file = AddItem(menu->Items(), "&File");
    AddItem(file, "&Exit");
    AddItem(menu->Items(), "&Help");
    host->SetMenu(menu);
    // The start-up runs when the main window is first activated, so it is on screen.
    host->ShowForm();
    sup = new TSetupSupporter(host.get());
    sup->SetCompanyName("Kelmory");
    sup->SetCardNameA("SRX-8T");
    sup->SetCallHow("Monday through Friday, 8:00 a.m. to 5:00 p.m. Pacific Time, at (555) 010-4477");
    sup->SetMultiPort(true);
  }
  void TearDown() override {
    host.reset();
    LLKLYDRV::SetLibraryLoaderForTesting(previousLoader);
    LLKLYDRV::ResetBindingForTesting();
    Screen::SetSizeForTesting(0, 0);
  }

  TMenuItem* AddItem(TMenuItem* Parent, const char* Caption) {
    auto* item = new TMenuItem(host.get());
    item->SetCaption(Caption);
    Parent->Add(item);
    return item;
  }
  // The event answers from a list of lines and records the calls.
  void AssignCardLines(std::vector<std::string> Lines) {
    sup->OnGetCardString = [this, Lines](TObject* Sender, std::int32_t Index) {
      EXPECT_EQ(Sender, sup);
      cardCalls.push_back(Index);
      return Index < static_cast<std::int32_t>(Lines.size()) ? Lines[static_cast<size_t>(Index)] : std::string();
    };
  }

  std::unique_ptr<TForm> host;
  TMainMenu* menu = nullptr;
  TMenuItem* file = nullptr;
  TSetupSupporter* sup = nullptr;
  std::vector<std::int32_t> cardCalls;
  LLKLYDRV::LibraryLoader previousLoader = nullptr;
};

}  // namespace

// ---- Texts ----

TEST(SupporterTexts, HelpDocumentOfTheMainWindow) {
  TMainForm form(Application);
  EXPECT_EQ(form.SetSup->HelpDocument(), ExpectedHelp("Kelmory SRX-8T Series", true, ""));
}

TEST_F(Supporter, HelpDocumentWithoutNoteAndWithCardList) {
  sup->SetMultiPort(false);
  AssignCardLines({});
  EXPECT_EQ(sup->HelpDocument(), ExpectedHelp("Kelmory SRX-8T Series", false, "SRX-8T"));
}

TEST_F(Supporter, HelpTitleFollowsNamesAndSeries) {
  struct Case {
    const char* Company;
    bool Series;
    bool UseB;
    const char* Title;
  };
  const Case cases[] = {
      {"Kelmory", false, false, "Kelmory SRX-8T"},
      {"Kelmory", true, true, "Kelmory SRX-8B Series"},
      {"", true, false, " SRX-8T Series"},  // no maker: the title starts with a space
  };
  sup->SetCardNameB("SRX-8B");
  for (const Case& c : cases) {
    sup->SetCompanyName(c.Company);
    sup->SetbSeries(c.Series);
    sup->SetUseCardNameB(c.UseB);
    EXPECT_EQ(sup->HelpDocument(), ExpectedHelp(c.Title, true, "")) << c.Title;
  }
}

TEST_F(Supporter, SupportTextInTheMemo) {
  sup->CreateSupportWindows();
  const std::string first =
      "There are several ways to get technical support. First and fastest is to skim the relevant sections of the "
      "manual. However, some questions require personal assistance, and Kelmory stands ready to provide that help. "
      "You can call us Monday through Friday, 8:00 a.m. to 5:00 p.m. Pacific Time, at (555) 010-4477 for any of "
      "your product questions.";
  const std::string second =
      "In order to provide the best and fastest support possible, we ask that you be at your computer when you "
      "call, and have the Kelmory product manual and Software Master CD at hand.";
  EXPECT_EQ(sup->SupportText(), first + "\r\n\r\n" + second);
  TMemo* memo = sup->TechForm()->TechMemo;
  // Two paragraphs with an empty line between them; the memo wraps the long lines.
  EXPECT_EQ(memo->Lines().Items(), (std::vector<std::string>{first, "", second}));
  EXPECT_TRUE(memo->WordWrap());
  EXPECT_TRUE(memo->ReadOnly());
  EXPECT_EQ(memo->ScrollBars(), ssVertical);
}

// The help document as the rich-text control shows it.
TEST_F(Supporter, HelpRunsKeepColoursBoldAndSizes) {
  sup->CreateSupportWindows();
  ASSERT_NE(qobject_cast<QTextEdit*>(sup->HelpForm()->HelpRich->Handle()), nullptr);
  const QTextDocument& doc = *sup->HelpForm()->HelpRich->Document();

  struct Run {
    const char* Text;
    bool Prefix;  // the fragment only starts with the text
    QColor Colour;
    bool Bold;
    double Points;
  };
  const QColor grey(64, 64, 64), yellow(255, 255, 64), blue(64, 64, 255), red(255, 64, 64);
  const Run runs[] = {
      {"Kelmory SRX-8T Series Settings Program", false, grey, true, 16},
      {"This program will help you configure", true, grey, false, 12},
      {"Yellow circles", false, yellow, true, 12},
      {" provide information on configuring", true, grey, false, 12},
      {"Blue circles", false, blue, true, 12},
      {"Red circles", false, red, true, 12},
      {"setup circles", false, yellow, false, 12},
      {"calibration circles", false, red, false, 12},
      {"setup", false, yellow, false, 12},
      {"features", false, blue, false, 12},
      {"calibration", false, red, false, 12},
      {"Note:", false, grey, true, 16},
      {" Make sure to set the jumpers", true, grey, false, 12},
  };
  const QString verdana = RtfFontFamilyFor("Verdana", RtfFontFamily::Swiss);
  for (const Run& run : runs) {
    std::optional<QTextCharFormat> format;
    for (QTextBlock b = doc.begin(); b.isValid() && !format; b = b.next()) {
      for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QString text = it.fragment().text();
        if (run.Prefix ? text.startsWith(QString(run.Text)) : text == QString(run.Text)) {
          format = it.fragment().charFormat();
          break;
        }
      }
    }
    ASSERT_TRUE(format.has_value()) << run.Text;
    EXPECT_EQ(format->foreground().color(), run.Colour) << run.Text;
    EXPECT_EQ(format->fontWeight() >= QFont::Bold, run.Bold) << run.Text;
    EXPECT_DOUBLE_EQ(format->fontPointSize(), run.Points) << run.Text;
    EXPECT_EQ(format->font().family(), verdana) << run.Text;
  }
  // The control word eats one of the two spaces after the em dash.
  EXPECT_NE(doc.toPlainText().indexOf(QString::fromUtf8("option group \u2014 the configuration")), -1);
  EXPECT_EQ(sup->HelpForm()->HelpRich->Color(), RGB(221, 221, 221));
  EXPECT_TRUE(sup->HelpForm()->HelpRich->ReadOnly());
  EXPECT_EQ(sup->HelpForm()->HelpRich->ScrollBars(), ssVertical);
}

// ---- The header line and the installed cards ----

TEST_F(Supporter, HeaderLineOnTheMainWindow) {
  sup->CreateSupportWindows();
  TLabel* header = sup->HeaderLabel();
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->Owner(), host.get());
  EXPECT_EQ(header->Parent(), host.get());
  EXPECT_EQ(host->FindComponent("HeaderLabel"), header);
  EXPECT_EQ(header->Align(), alTop);
  EXPECT_EQ(header->Top(), 0);
  EXPECT_EQ(header->Width(), host->ClientWidth());
  EXPECT_EQ(header->Alignment(), taCenter);
  EXPECT_EQ(header->Font().Name, "Tahoma");
  EXPECT_EQ(header->Font().Size, 18);
  EXPECT_EQ(header->Font().Style, static_cast<unsigned>(fsBold));
  EXPECT_EQ(header->Font().Color, clBlack);
}

TEST_F(Supporter, HeaderCaptions) {
  struct Case {
    const char* Label;
    bool Series;
    bool UseB;
    bool ListCards;
    const char* Stub;
    const char* Header;
  };
  const Case cases[] = {
      {"no card list", true, false, false, nullptr, "SRX-8T Series Settings Program"},
      {"no card list, no series", false, false, false, nullptr, "SRX-8T Settings Program"},
      {"cards found", true, false, true, KLYDRV_STUB_THREE_CARDS, "SRX-8T Series Settings Program"},
      {"no card found", true, false, true, KLYDRV_STUB_NO_CARDS, "No SRX-8T Series Card Found"},
      {"no card found, no series", false, false, true, KLYDRV_STUB_NO_CARDS, "No SRX-8T Found"},
      {"card name B", true, true, false, nullptr, "SRX-8B Series Settings Program"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Label);
    TearDown();
    SetUp();
    sup->SetbSeries(c.Series);
    sup->SetCardNameB("SRX-8B");
    sup->SetUseCardNameB(c.UseB);
    if (c.ListCards) AssignCardLines({"Card A", "Card B", "Card C"});
    gStubPath = c.Stub;
    sup->CreateSupportWindows();
    EXPECT_EQ(sup->HeaderLabel()->Caption(), c.Header);
  }
}

TEST_F(Supporter, WithoutCardListNothingIsLoadedOrAdded) {
  sup->CreateSupportWindows();
  EXPECT_TRUE(gLoads.empty());
  EXPECT_EQ(sup->PCIForm(), nullptr);
  EXPECT_EQ(sup->DisplayPCIItem(), nullptr);
  EXPECT_EQ(Captions(file), (std::vector<std::string>{"&Exit"}));
}

TEST_F(Supporter, InstalledCardsListed) {
  struct Case {
    const char* Label;
    const char* Stub;
    std::vector<std::string> Answers;
    std::vector<std::int32_t> Calls;
    std::vector<std::string> Lines;
  };
  const Case cases[] = {
      {"three cards, the second without a line", KLYDRV_STUB_THREE_CARDS, {"Card A", "", "Card C"}, {0, 1, 2},
       {"Card A", "Card C"}},
      {"three cards, none with a line", KLYDRV_STUB_THREE_CARDS, {"", "", ""}, {0, 1, 2}, {"No Card Found"}},
      {"no card", KLYDRV_STUB_NO_CARDS, {"Card A"}, {}, {"No Card Found"}},
      // A library without GetNumCards, or none at all: the empty entry point is never called.
      {"no GetNumCards", KLYDRV_STUB_NO_COUNT, {"Card A"}, {}, {"No Card Found"}},
      {"no library", nullptr, {"Card A"}, {}, {"No Card Found"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Label);
    TearDown();
    SetUp();
    gStubPath = c.Stub;
    AssignCardLines(c.Answers);
    sup->CreateSupportWindows();
    EXPECT_EQ(gLoads, (std::vector<std::string>{"KLYDRV.dll"}));
    EXPECT_EQ(cardCalls, c.Calls);
    TPCIForm* pci = sup->PCIForm();
    ASSERT_NE(pci, nullptr);
    EXPECT_EQ(pci->PCIMemo->Lines().Items(), c.Lines);
    EXPECT_TRUE(pci->Visible());
    EXPECT_EQ(pci->Caption(), "SRX-8T Cards installed");
  }
}

TEST_F(Supporter, CardNameBEverywhere) {
  sup->SetCardNameB("SRX-8B");
  sup->SetUseCardNameB(true);
  gStubPath = KLYDRV_STUB_THREE_CARDS;
  AssignCardLines({"Card A"});
  sup->CreateSupportWindows();
  EXPECT_EQ(sup->HelpDocument(), ExpectedHelp("Kelmory SRX-8B Series", true, "SRX-8B"));
  EXPECT_EQ(sup->HeaderLabel()->Caption(), "SRX-8B Series Settings Program");
  EXPECT_EQ(sup->PCIForm()->Caption(), "SRX-8B Cards installed");
  EXPECT_EQ(Captions(file), (std::vector<std::string>{"Display SRX-8B Cards Installed", "&Exit"}));
}

TEST_F(Supporter, DisplayEntryOpensTheCardWindowAndCloseHidesIt) {
  gStubPath = KLYDRV_STUB_THREE_CARDS;
  AssignCardLines({"Card A"});
  sup->CreateSupportWindows();
  TMenuItem* entry = file->Items(0);
  EXPECT_EQ(entry, sup->DisplayPCIItem());
  EXPECT_EQ(entry->Name(), "DisplayPCI");
  EXPECT_EQ(entry->Owner(), file);
  EXPECT_EQ(entry->Caption(), "Display SRX-8T Cards Installed");

  TPCIForm* pci = sup->PCIForm();
  pci->CloseButton->Click();
  EXPECT_FALSE(pci->Visible());
  entry->Click();
  EXPECT_TRUE(pci->Visible());
  PressKey(pci, Qt::Key_Escape);
  EXPECT_FALSE(pci->Visible());
}

TEST_F(Supporter, CardWindowWithoutFileMenu) {
  struct Case {
    const char* Label;
    bool Menu;
    const char* Caption;
  };
  const Case cases[] = {{"no main menu", false, "&File"}, {"no &File item", true, "&file"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Label);
    TearDown();
    SetUp();
    file->SetCaption(c.Caption);
    if (!c.Menu) host->SetMenu(nullptr);
    gStubPath = KLYDRV_STUB_THREE_CARDS;
    AssignCardLines({"Card A"});
    sup->CreateSupportWindows();
    EXPECT_EQ(sup->DisplayPCIItem(), nullptr);
    EXPECT_EQ(Captions(file), (std::vector<std::string>{"&Exit"}));
    ASSERT_NE(sup->PCIForm(), nullptr);
    EXPECT_EQ(sup->PCIForm()->PCIMemo->Lines().Items(), (std::vector<std::string>{"Card A"}));
  }
}

// ---- Window layout ----

TEST_F(Supporter, HelpWindowFitsItsChildrenAndGrowsWithTheScreen) {
  struct Case {
    int ScreenWidth, ScreenHeight;
    int ClientWidth, ClientHeight;
  };
  const Case cases[] = {
      {640, 480, 305, 138},   // a small screen never shrinks the window
      {800, 600, 305, 138},   // scale 1
      {1024, 768, 390, 177},  // scale 1.28
      {1600, 900, 610, 276},  // scale 2
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.ScreenWidth) + " x " + std::to_string(c.ScreenHeight));
    TearDown();
    SetUp();
    Screen::SetSizeForTesting(c.ScreenWidth, c.ScreenHeight);
    sup->CreateSupportWindows();
    THelpForm* help = sup->HelpForm();
    EXPECT_EQ(help->ClientWidth(), c.ClientWidth);
    EXPECT_EQ(help->ClientHeight(), c.ClientHeight);
    // The rich text follows all four edges; Start keeps its distance from the bottom
    // and its horizontal centre.
    const int dx = c.ClientWidth - 305, dy = c.ClientHeight - 138;
    EXPECT_EQ(help->HelpRich->BoundsRect(), Bounds(0, 24, 305 + dx, 73 + dy));
    EXPECT_EQ(help->StartButton->BoundsRect(), Bounds(66 + dx / 2, 105 + dy, 173, 25));
    EXPECT_EQ(help->HelpLabel->BoundsRect().Top, 0);
    EXPECT_EQ(help->HelpLabel->Width(), c.ClientWidth);
  }
}

TEST_F(Supporter, HelpWindowAsBuilt) {
  sup->CreateSupportWindows();
  THelpForm* help = sup->HelpForm();
  EXPECT_EQ(help->Owner(), host.get());
  EXPECT_EQ(help->Name(), "HelpForm");
  EXPECT_EQ(help->Caption(), "Instructions for Settings utility");
  EXPECT_EQ(help->FormStyle(), fsStayOnTop);
  EXPECT_EQ(help->Position(), poMainFormCenter);
  EXPECT_FALSE(help->Visible());
  EXPECT_EQ(help->CloseButton, nullptr);
  EXPECT_EQ(help->HelpLabel->Caption(), "How to use this program");
  EXPECT_EQ(help->HelpLabel->Align(), alTop);
  EXPECT_EQ(help->HelpLabel->Alignment(), taCenter);
  EXPECT_EQ(help->HelpLabel->Font().Name, "Verdana");
  EXPECT_EQ(help->HelpLabel->Font().Size, 12);
  EXPECT_EQ(help->HelpLabel->Font().Style, static_cast<unsigned>(fsBold));
  TButton* start = help->StartButton;
  EXPECT_EQ(help->FindComponent("StartButton"), start);
  EXPECT_EQ(start->Caption(), "Start");
  EXPECT_TRUE(start->Default());
  EXPECT_TRUE(start->Cancel());
  EXPECT_EQ(start->TabOrder(), 0);
  // Children in creation order.
  ASSERT_EQ(help->ControlCount(), 3);
  EXPECT_EQ(help->Controls(0), help->HelpLabel);
  EXPECT_EQ(help->Controls(1), help->HelpRich);
  EXPECT_EQ(help->Controls(2), start);
}

TEST_F(Supporter, SupportAndCardWindowsFitTheirChildren) {
  gStubPath = KLYDRV_STUB_THREE_CARDS;
  AssignCardLines({"Card A"});
  sup->CreateSupportWindows();
  TTechForm* tech = sup->TechForm();
  EXPECT_EQ(tech->Name(), "TechForm");
  EXPECT_EQ(tech->Caption(), "Technical Support");
  EXPECT_EQ(tech->FormStyle(), fsStayOnTop);
  EXPECT_EQ(tech->Position(), poDefaultPosOnly);
  EXPECT_FALSE(tech->Visible());
  EXPECT_EQ(tech->ClientWidth(), 305);
  EXPECT_EQ(tech->ClientHeight(), 122);
  EXPECT_EQ(tech->TechMemo->BoundsRect(), Bounds(0, 0, 305, 89));
  EXPECT_EQ(tech->CloseButton->BoundsRect(), Bounds(116, 97, 73, 25));
  EXPECT_EQ(tech->TechMemo->Anchors(), (TAnchors{akLeft, akTop, akRight, akBottom}));
  EXPECT_EQ(tech->CloseButton->Anchors(), TAnchors{akBottom});
  EXPECT_EQ(tech->CloseButton->Caption(), "Close");
  EXPECT_TRUE(tech->CloseButton->Cancel());
  EXPECT_FALSE(tech->CloseButton->Default());

  TPCIForm* pci = sup->PCIForm();
  EXPECT_EQ(pci->Name(), "PCIForm");
  EXPECT_EQ(pci->FormStyle(), fsStayOnTop);
  EXPECT_EQ(pci->Position(), poDefaultPosOnly);
  EXPECT_EQ(pci->ClientWidth(), 305);
  EXPECT_EQ(pci->ClientHeight(), 122);
  EXPECT_EQ(pci->PCIMemo->BoundsRect(), Bounds(0, 0, 305, 89));
  // Centred on the new window's outer width before fitting, not centred again.
  EXPECT_EQ(pci->CloseButton->BoundsRect(), Bounds(115, 97, 73, 25));
  EXPECT_EQ(pci->PCIMemo->Font().Name, "Tahoma");
  EXPECT_EQ(pci->PCIMemo->Font().Size, 10);
  EXPECT_EQ(pci->PCIMemo->Font().Style, static_cast<unsigned>(fsBold));
  EXPECT_TRUE(pci->PCIMemo->ReadOnly());
}

TEST_F(Supporter, EscAndCloseHideTheSupportWindow) {
  sup->CreateSupportWindows();
  TTechForm* tech = sup->TechForm();
  tech->ShowForm();
  PressKey(tech, Qt::Key_Escape);
  EXPECT_FALSE(tech->Visible());
  tech->ShowForm();
  tech->CloseButton->Click();
  EXPECT_FALSE(tech->Visible());
}

// ---- The timer ----

TEST_F(Supporter, FirstTickShowsTheHelpWindowAndStopsTheTimer) {
  sup->CreateSupportWindows();
  EXPECT_TRUE(sup->ShowHelpPending());
  EXPECT_TRUE(TimerActive(sup->TimerWindow(), TSetupSupporter::kTimerId));
  EXPECT_FALSE(sup->HelpForm()->Visible());

  // Other messages go to the default procedure and are no tick.
  TMessage other;
  other.Msg = WM_USER;
  other.Result = 7;
  sup->TimerWndProc(other);
  EXPECT_EQ(other.Result, 0);
  EXPECT_TRUE(sup->ShowHelpPending());

  TMessage tick;
  tick.Msg = WM_TIMER;
  tick.WParam = TSetupSupporter::kTimerId;
  sup->TimerWndProc(tick);
  EXPECT_TRUE(sup->HelpForm()->Visible());
  EXPECT_FALSE(sup->ShowHelpPending());
  EXPECT_FALSE(TimerActive(sup->TimerWindow(), TSetupSupporter::kTimerId));
}

TEST_F(Supporter, NoTimerIsAnError) {
  SetTimersFailForTesting(true);
  try {
    sup->CreateSupportWindows();
    ADD_FAILURE() << "no error raised";
  } catch (const EOutOfResources& e) {
    EXPECT_STREQ(e.what(), "Not enough timers available");
  }
  SetTimersFailForTesting(false);
  // Running the start-up again replaces what the failed one built.
  sup->CreateSupportWindows();
  EXPECT_EQ(CountNamed(*host, "HeaderLabel"), 1);
  EXPECT_EQ(CountNamed(*host, "HelpForm"), 1);
  EXPECT_EQ(CountNamed(*host, "TechForm"), 1);
  EXPECT_EQ(host->IndexOfControl(sup->HeaderLabel()), host->ControlCount() - 1);
  EXPECT_TRUE(TimerActive(sup->TimerWindow(), TSetupSupporter::kTimerId));
}

TEST_F(Supporter, NothingIsBuiltWhileDesigning) {
  sup->SetComponentState(csDesigning, true);
  sup->CreateSupportWindows();
  EXPECT_EQ(sup->HeaderLabel(), nullptr);
  EXPECT_EQ(sup->HelpForm(), nullptr);
  EXPECT_EQ(host->ControlCount(), 0);
  EXPECT_FALSE(TimerActive(sup->TimerWindow(), TSetupSupporter::kTimerId));
}

// ---- The Start button ----

namespace {
// A board image of a derived class that records the start messages it receives.
class TRecordingBoard : public TBoardImage {
 public:
  using TBoardImage::TBoardImage;
  std::vector<TMessage> Starts;

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_BOARDSTART) {
      Starts.push_back(Message);
      return;
    }
    TBoardImage::WndProc(Message);
  }
};
}  // namespace

TEST_F(Supporter, StartSendsTheFirstBoardOfTheMainWindowItsStartMessage) {
  auto* label = new TLabel(host.get());
  label->SetParent(host.get());
  auto* first = new TRecordingBoard(host.get());
  first->SetParent(host.get());
  auto* second = new TRecordingBoard(host.get());
  second->SetParent(host.get());
  sup->CreateSupportWindows();
  THelpForm* help = sup->HelpForm();
  help->ShowForm();
  help->StartButton->Click();
  EXPECT_FALSE(help->Visible());
  ASSERT_EQ(first->Starts.size(), 1u);
  EXPECT_EQ(first->Starts[0].WParam, 0);
  EXPECT_EQ(first->Starts[0].LParam, 0);
  EXPECT_TRUE(second->Starts.empty());
}

TEST_F(Supporter, StartWithoutBoardOnlyHidesTheHelp) {
  sup->CreateSupportWindows();
  THelpForm* help = sup->HelpForm();
  help->ShowForm();
  const int controls = host->ControlCount();
  help->StartButton->Click();
  EXPECT_FALSE(help->Visible());
  EXPECT_EQ(host->ControlCount(), controls);
}

namespace {
// The program's main window, shown and painted, so that its board has entered its
// groups in the menu; its first activation ran the supporter's start-up.
class HelpStart : public MainWindowTest {};
}  // namespace

// Start, Enter and Esc all hide the help and open the base-address popup, held, with
// the check mark on its menu entry.
TEST_F(HelpStart, StartEnterAndEscOpenTheFirstPopupHeld) {
  enum Action { Click, Enter, Esc };
  for (Action action : {Click, Enter, Esc}) {
    SCOPED_TRACE(action);
    TearDown();
    SetUp();
    THelpForm* help = form->SetSup->HelpForm();
    ASSERT_NE(help, nullptr);
    help->ShowForm();
    auto* entry = dynamic_cast<TMenuItem*>(form->FindComponent("BaseAddress1"));
    ASSERT_NE(entry, nullptr);
    EXPECT_FALSE(entry->Checked());
    if (action == Click) help->StartButton->Click();
    if (action == Enter) PressKey(help, Qt::Key_Return);
    if (action == Esc) PressKey(help, Qt::Key_Escape);
    EXPECT_FALSE(help->Visible());
    TPopupForm* popup = form->BaseA->Popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->Visible());
    EXPECT_EQ(popup->Caption(), "Base Address");
    EXPECT_TRUE(form->BaseA->Pinned());
    EXPECT_TRUE(entry->Checked());
  }
}

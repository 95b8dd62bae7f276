#include "SetupSupporter.h"

#include <utility>

#include "SupportForms.h"
#include "driver/LLKLYDRV.h"
#include "toolkit/Application.h"
#include "toolkit/Exceptions.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Memo.h"
#include "toolkit/Menu.h"

namespace {
const char* const kCrLf = "\r\n";

// The fixed parts of the help document, in the order they are joined.
const char* const kHelpOpening =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Verdana;}}"
    "{\\colortbl\\red64\\green64\\blue64;\\red255\\green255\\blue64;\\red64\\green64\\blue255;\\red255\\green64\\blue64;}"
    "\\viewkind4\\uc1\\pard\\f0\\fs32\\cf0";
const char* const kHelpTitleStart = "{\\b ";
const char* const kHelpTitleEnd = " Settings Program}\\par\\par\\fs24";
const char* const kHelpIntroduction =
    "This program will help you configure the option jumpers and settings associated with this product. You should "
    "have the product in-hand when first using this program.\\par\\par";
const char* const kHelpYellow =
    "{\\cf1\\fs24\\b Yellow circles} provide information on configuring jumpers and switches.\\par\\par";
const char* const kHelpBlue =
    "{\\cf2\\fs24\\b Blue circles} are informational only. They provide information on standard and optional "
    "features of the product family.\\par\\par";
const char* const kHelpRed =
    "{\\cf3\\fs24\\b Red circles} handle calibration and types of configuration that require actually controlling "
    "the hardware device. Run this settings program again once the card is installed. ";
const char* const kHelpRepeat =
    "Repeat the {\\cf1 setup circles} (using the same settings) to configure this program, then perform the "
    "{\\cf3 calibration circles}.\\par\\par";
const char* const kHelpMouseOver =
    "Mouse over the highlight circles to see configuration or information popups for {\\cf1 setup}, "
    "{\\cf2 features}, and {\\cf3 calibration}. Click a highlight circle to make its popup remain on-screen. ";
const char* const kHelpManyPopups =
    "You can have all or as many of these popups onscreen at the same time as you desire.\\par\\par";
const char* const kHelpMultiPortNote =
    "{\\fs32\\b Note:} Make sure to set the jumpers for each option group \\emdash  the configuration options for "
    "each port are handled identically; "
    "this program only shows the setup once, but you need to perform this setup for each group of options on your "
    "device.\\par\\par";
const char* const kHelpClosing = "}";

const char* const kHeaderSuffix = " Settings Program";
const char* const kNoCardFound = "No Card Found";

template <class T>
void Assign(T& Field, const T& Value) {
  if (Field != Value) Field = Value;
}
}  // namespace

TSetupSupporter::TSetupSupporter(TComponent* AOwner) : TComponent(AOwner) {
  FTimerWindow = AllocateHWnd([this](TMessage& Message) { TimerWndProc(Message); });
}

TSetupSupporter::~TSetupSupporter() {
  // The timer must not tick into a half-destroyed supporter; stopping it cannot fail,
  // unlike a restart, and a destructor must not raise.
  FCalibrating = false;
  FShowHelpPending = false;
  KillTimer(FTimerWindow, kTimerId);
  DeallocateHWnd(FTimerWindow);
  FTimerWindow = nullptr;
}

void TSetupSupporter::SetCompanyName(const std::string& Value) { Assign(FCompanyName, Value); }
void TSetupSupporter::SetCardNameA(const std::string& Value) { Assign(FCardNameA, Value); }
void TSetupSupporter::SetCardNameB(const std::string& Value) { Assign(FCardNameB, Value); }
void TSetupSupporter::SetUseCardNameB(bool Value) { Assign(FUseCardNameB, Value); }
void TSetupSupporter::SetCallHow(const std::string& Value) { Assign(FCallHow, Value); }
void TSetupSupporter::SetMultiPort(bool Value) { Assign(FMultiPort, Value); }
void TSetupSupporter::SetChannels(std::uint8_t Value) { Assign(FChannels, Value); }
void TSetupSupporter::SetChangeButtons(bool Value) { Assign(FChangeButtons, Value); }
void TSetupSupporter::SetbSeries(bool Value) { Assign(FbSeries, Value); }

void TSetupSupporter::SetOnBeginCalib(TNotifyEvent Value) {
  FOnBeginCalib = std::move(Value);
  RestartTimer();
}

std::string TSetupSupporter::CardName() const { return FUseCardNameB ? FCardNameB : FCardNameA; }

std::string TSetupSupporter::HelpDocument() const {
  const std::string card = CardName();
  std::string doc;
  doc += kHelpOpening;
  doc += kCrLf;
  doc += kHelpTitleStart;
  doc += FCompanyName + " " + card + (FbSeries ? " Series" : "");
  doc += kHelpTitleEnd;
  doc += kCrLf;
  for (const char* paragraph : {kHelpIntroduction, kHelpYellow, kHelpBlue}) {
    doc += paragraph;
    doc += kCrLf;
  }
  // The red circles and the repeat advice form one paragraph, as do the two on popups.
  doc += kHelpRed;
  doc += kHelpRepeat;
  doc += kCrLf;
  doc += kHelpMouseOver;
  doc += kHelpManyPopups;
  doc += kCrLf;
  if (FMultiPort) {
    doc += kHelpMultiPortNote;
    doc += kCrLf;
  }
  if (OnGetCardString) {
    doc += "To see a list of " + card + " cards installed, click \"Display " + card +
           " Cards Installed\" under the File menu.\\par\\par";
    doc += kCrLf;
  }
  doc += kHelpClosing;
  return doc;
}

std::string TSetupSupporter::SupportText() const {
  return "There are several ways to get technical support. First and fastest is to skim the relevant sections of the "
         "manual. However, some questions require personal assistance, and " +
         FCompanyName + " stands ready to provide that help. You can call us " + FCallHow +
         " for any of your product questions." + kCrLf + kCrLf +
         "In order to provide the best and fastest support possible, we ask that you be at your computer when you "
         "call, and have the " +
         FCompanyName + " product manual and Software Master CD at hand.";
}

std::string TSetupSupporter::HeaderCaption(bool Found) const {
  if (Found) return CardName() + (FbSeries ? " Series" : "") + kHeaderSuffix;
  return "No " + CardName() + (FbSeries ? " Series Card" : "") + " Found";
}

TForm* TSetupSupporter::MainWindow() const {
  if (auto* form = dynamic_cast<TForm*>(Owner())) return form;
  return Application != nullptr ? Application->MainForm() : nullptr;
}

void TSetupSupporter::CreateSupportWindows() {
  if (IsDesigning()) return;
  TForm* main = MainWindow();
  if (main == nullptr) throw Exception("The setup supporter needs a form to place its windows on");
  ReleaseSupportWindows();

  BuildHeaderLabel(*main);
  FHelpForm = new THelpForm(main);
  FHelpForm->Build(HelpDocument());
  FTechForm = new TTechForm(main);
  FTechForm->Build(SupportText(), [this](TObject* Sender) { CloseButtonClick(Sender); });

  // Without a handler for the card lines there is nothing to list: the outcome counts as found.
  bool found = true;
  if (OnGetCardString) {
    AddDisplayPCIEntry(*main);
    FPCIForm = new TPCIForm(main);
    FPCIForm->Build(CardName() + " Cards installed", [this](TObject* Sender) { CloseButtonClick(Sender); });
    found = ListInstalledCards();
  }
  FHeaderLabel->SetCaption(HeaderCaption(found));

  FShowHelpPending = true;
  RestartTimer();
}

void TSetupSupporter::ReleaseSupportWindows() {
  delete FDisplayPCIItem;
  FDisplayPCIItem = nullptr;
  delete FPCIForm;
  FPCIForm = nullptr;
  delete FTechForm;
  FTechForm = nullptr;
  delete FHelpForm;
  FHelpForm = nullptr;
  delete FHeaderLabel;
  FHeaderLabel = nullptr;
}

void TSetupSupporter::BuildHeaderLabel(TForm& Main) {
  FHeaderLabel = new TLabel(&Main);
  FHeaderLabel->SetName("HeaderLabel");
  FHeaderLabel->SetParent(&Main);
  FHeaderLabel->SetAlign(alTop);
  FHeaderLabel->SetAlignment(taCenter);
  TFont font = FHeaderLabel->Font();
  font.Name = "Tahoma";
  font.Size = 18;
  font.Style = fsBold;
  font.Color = clBlack;
  FHeaderLabel->SetFont(font);
}

void TSetupSupporter::AddDisplayPCIEntry(TForm& Main) {
  TMainMenu* menu = Main.Menu();
  if (menu == nullptr) return;
  TMenuItem* top = menu->Items();
  for (int i = 0; i < top->Count(); ++i) {
    TMenuItem* file = top->Items(i);
    if (file->Caption() != "&File") continue;
    FDisplayPCIItem = new TMenuItem(file);
    FDisplayPCIItem->SetName("DisplayPCI");
    FDisplayPCIItem->SetCaption("Display " + CardName() + " Cards Installed");
    FDisplayPCIItem->OnClick = [this](TObject* Sender) { DisplayPCIClick(Sender); };
    file->Insert(0, FDisplayPCIItem);
    return;
  }
}

bool TSetupSupporter::ListInstalledCards() {
  LLKLYDRV::BindDriverLibrary();
  // A missing library or entry point leaves the slot empty; that counts as no card.
  const std::int32_t count = LLKLYDRV::GetNumCards != nullptr ? LLKLYDRV::GetNumCards() : 0;
  TStringList& lines = FPCIForm->PCIMemo->Lines();
  bool found = false;
  if (count > 0) {
    lines.Clear();
    const TPCIEvent getCardString = OnGetCardString;
    for (std::int32_t index = 0; index < count; ++index) {
      const std::string line = getCardString(this, index);
      if (line.empty()) continue;
      lines.Add(line);
      found = true;
    }
  }
  if (!found) FPCIForm->PCIMemo->SetText(kNoCardFound);
  return found;
}

void TSetupSupporter::DisplayPCIClick(TObject*) {
  if (FPCIForm != nullptr) FPCIForm->ShowForm();
}

void TSetupSupporter::CloseButtonClick(TObject* Sender) {
  auto* button = dynamic_cast<TControl*>(Sender);
  if (button != nullptr && button->Parent() != nullptr) button->Parent()->Hide();
}

void TSetupSupporter::RestartTimer() {
  KillTimer(FTimerWindow, kTimerId);
  if (!FCalibrating && !FShowHelpPending) return;
  if (!SetTimer(FTimerWindow, kTimerId, kTimerPeriod)) throw EOutOfResources("Not enough timers available");
}

void TSetupSupporter::TimerWndProc(TMessage& Message) {
  if (Message.Msg != WM_TIMER) {
    Message.Result = DefWindowProc(FTimerWindow, Message);
    return;
  }
  // The error report is a modal message box with a message loop of its own, in which
  // a running sequence would keep ticking and failing; ticks arriving while a tick or
  // its report still runs are dropped instead of piling up.
  if (FInTick) return;
  struct TTickScope {
    bool& Flag;
    explicit TTickScope(bool& F) : Flag(F) { Flag = true; }
    ~TTickScope() { Flag = false; }
    TTickScope(const TTickScope&) = delete;
    TTickScope& operator=(const TTickScope&) = delete;
  } scope(FInTick);
  if (Application != nullptr)
    Application->Guard(this, [this] { TimerTick(); });
  else
    TimerTick();
}

void TSetupSupporter::TimerTick() {
  if (FShowHelpPending) {
    if (FHelpForm != nullptr) FHelpForm->ShowForm();
    FShowHelpPending = false;
    RestartTimer();
    return;
  }
  CalibrationTick();
}

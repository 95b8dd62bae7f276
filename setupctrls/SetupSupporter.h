// The setup supporter: a non-visual component that builds everything around the
// card picture that is not the picture itself: the header line across the main
// window, the help window, the technical-support window and, when the application
// asks for it, the installed-cards window with its File-menu entry. Its timer,
// driven through a hidden window of its own, shows the help window shortly after
// start-up and carries the calibration ticks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/UtilityWindow.h"

class TButton;
class TComboBox;
class TControl;
class TForm;
class TLabel;
class TMenuItem;
class THelpForm;
class TTechForm;
class TPCIForm;

// Supplies the line of one installed card (CardIndex counts from 0); empty for none.
using TPCIEvent = std::function<std::string(TObject* Sender, std::int32_t CardIndex)>;
// Reads one calibration channel and returns its status text; a handler that got a
// usable reading sets ItsAllBad to false.
using TCalibEvent = std::function<std::string(TObject* Sender, std::uint8_t Channel, bool& ItsAllBad)>;

// The controls of one calibration channel entry in the application's windows.
struct TChannelEntry {
  TComboBox* StatusList = nullptr;     // item n shows the line of channel n
  TButton* StartStopButton = nullptr;  // reset to "Start" when the sequence stops
  TControl* HiddenDuringCalib = nullptr;
};

class TSetupSupporter : public TComponent {
  TK_CLASS_NAME(TSetupSupporter)
 public:
  explicit TSetupSupporter(TComponent* AOwner);
  ~TSetupSupporter() override;

  const std::string& CompanyName() const { return FCompanyName; }
  void SetCompanyName(const std::string& Value);
  const std::string& CardNameA() const { return FCardNameA; }
  void SetCardNameA(const std::string& Value);
  const std::string& CardNameB() const { return FCardNameB; }
  void SetCardNameB(const std::string& Value);
  bool UseCardNameB() const { return FUseCardNameB; }
  void SetUseCardNameB(bool Value);
  const std::string& CallHow() const { return FCallHow; }
  void SetCallHow(const std::string& Value);
  bool MultiPort() const { return FMultiPort; }
  void SetMultiPort(bool Value);
  std::uint8_t Channels() const { return FChannels; }
  void SetChannels(std::uint8_t Value);
  bool ChangeButtons() const { return FChangeButtons; }
  void SetChangeButtons(bool Value);
  bool bSeries() const { return FbSeries; }
  void SetbSeries(bool Value);

  // Assigning it switches the installed-cards feature on.
  TPCIEvent OnGetCardString;
  TCalibEvent OnGetCalibString;
  TNotifyEvent OnStopButtonClick;
  TNotifyEvent OnStartButtonClick;
  const TNotifyEvent& OnBeginCalib() const { return FOnBeginCalib; }
  // Also re-evaluates the timer, which restarts its period while a sequence runs.
  void SetOnBeginCalib(TNotifyEvent Value);

  // CardNameB when UseCardNameB is set, else CardNameA.
  std::string CardName() const;
  // The RTF text of the help window.
  std::string HelpDocument() const;
  // The text of the technical-support window.
  std::string SupportText() const;
  // The header line's caption, depending on whether any installed card was found.
  std::string HeaderCaption(bool Found) const;

  // The start-up, run once at the main window's first activation: header line, help
  // and technical-support windows, the installed-cards window when asked for, and
  // the timer that shows the help window. Errors are left to the caller.
  void CreateSupportWindows();

  void DisplayPCIClick(TObject* Sender);
  // Hides the window that holds the clicked Close button.
  void CloseButtonClick(TObject* Sender);

  // Kills timer 1, then starts it at 100 ms while a sequence runs or the help window
  // is pending; raises EOutOfResources when no timer can be had.
  void RestartTimer();
  void TimerWndProc(TMessage& Message);
  void TimerTick();

  // Calibration sequence.
  bool Calibrating() const { return FCalibrating; }
  void SetCalibrating(bool Value);
  void StopCalibration();
  void ShowChannelString(std::uint8_t Channel, const std::string& Text);
  // Registers a channel entry; at most 256, as channels are numbered by a byte.
  void AddChannelEntry(const TChannelEntry& Entry);
  const std::vector<TChannelEntry>& ChannelEntries() const { return FChannelEntries; }

  // What the start-up built; nullptr before it (and the installed-cards window and
  // its menu entry stay nullptr while OnGetCardString is unassigned).
  TLabel* HeaderLabel() const { return FHeaderLabel; }
  THelpForm* HelpForm() const { return FHelpForm; }
  TTechForm* TechForm() const { return FTechForm; }
  TPCIForm* PCIForm() const { return FPCIForm; }
  TMenuItem* DisplayPCIItem() const { return FDisplayPCIItem; }
  bool ShowHelpPending() const { return FShowHelpPending; }
  HWND TimerWindow() const { return FTimerWindow; }

  static constexpr std::uintptr_t kTimerId = 1;
  static constexpr unsigned kTimerPeriod = 100;
  static constexpr std::size_t kMaxChannelEntries = 256;

 private:
  // The form the supporter sits on: its owner, else the application's main form.
  TForm* MainWindow() const;
  // Frees what an earlier start-up built before it raised an error, so that running
  // it again leaves one header line and one set of windows.
  void ReleaseSupportWindows();
  void BuildHeaderLabel(TForm& Main);
  // Adds "Display ... Cards Installed" at the top of the main menu's "&File" item.
  void AddDisplayPCIEntry(TForm& Main);
  // Fills the installed-cards window through the driver library; true when any card
  // gave a line.
  bool ListInstalledCards();
  void CalibrationTick();

  std::string FCompanyName;
  std::string FCardNameA;
  std::string FCardNameB;
  bool FUseCardNameB = false;
  std::string FCallHow;
  bool FMultiPort = false;
  std::uint8_t FChannels = 8;
  bool FChangeButtons = true;
  bool FbSeries = true;
  TNotifyEvent FOnBeginCalib;

  bool FShowHelpPending = false;
  bool FCalibrating = false;
  HWND FTimerWindow = nullptr;
  TLabel* FHeaderLabel = nullptr;
  TPCIForm* FPCIForm = nullptr;
  THelpForm* FHelpForm = nullptr;
  TTechForm* FTechForm = nullptr;
  TMenuItem* FDisplayPCIItem = nullptr;
  std::vector<TChannelEntry> FChannelEntries;
  // Set while a tick, or the error report of a failed one, runs.
  bool FInTick = false;
};

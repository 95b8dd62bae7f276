// The setup supporter's calibration sequence: while it runs, every timer tick polls
// each channel through OnGetCalibString, writes the channels' status lines into the
// registered entries and stops with a dialog when no channel gives a usable reading.
#include <string>

#include "SetupSupporter.h"
#include "toolkit/Button.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Exceptions.h"

namespace {
// Both dialogs come to the front and stay on top: the user must answer before the
// sequence can go on, whatever window is in front.
int AskUser(const std::string& Text, const std::string& Caption, TMsgDlgButtons Buttons, TMsgDlgBtn DefaultButton) {
  TMessageBoxRequest request;
  request.Text = Text;
  request.Caption = Caption;
  request.Type = mtWarning;
  request.Buttons = Buttons;
  request.DefaultButton = DefaultButton;
  request.OnTop = true;
  return ShowMessageBox(request);
}
}  // namespace

void TSetupSupporter::SetCalibrating(bool Value) {
  if (Value == FCalibrating) return;
  FCalibrating = Value;
  RestartTimer();
}

void TSetupSupporter::StopCalibration() {
  if (FChangeButtons) {
    for (const TChannelEntry& entry : FChannelEntries) {
      if (entry.StartStopButton == nullptr) continue;
      entry.StartStopButton->OnClick = OnStartButtonClick;
      entry.StartStopButton->SetCaption("Start");
    }
  }
  SetCalibrating(false);
}

void TSetupSupporter::ShowChannelString(std::uint8_t Channel, const std::string& Text) {
  const std::string line = "Channel " + std::to_string(static_cast<int>(Channel)) + "\t" + Text;
  for (const TChannelEntry& entry : FChannelEntries) {
    if (entry.StatusList != nullptr) entry.StatusList->Items().SetString(Channel, line);
  }
}

void TSetupSupporter::AddChannelEntry(const TChannelEntry& Entry) {
  if (FChannelEntries.size() >= kMaxChannelEntries) throw Exception("Too many calibration channel entries");
  FChannelEntries.push_back(Entry);
}

void TSetupSupporter::CalibrationTick() {
  const TNotifyEvent beginCalib = FOnBeginCalib;
  if (beginCalib) beginCalib(this);

  const TCalibEvent getCalibString = OnGetCalibString;
  if (!getCalibString) {
    // The timer stops before the dialog opens, so no tick runs while it is shown.
    SetCalibrating(false);
    AskUser("Error: calibration begun, but OnGetCalibString isn't assigned.", "OnGetCalibString Not Assigned", mbOK,
            mbOK);
    StopCalibration();
    return;
  }

  for (const TChannelEntry& entry : FChannelEntries) {
    if (entry.HiddenDuringCalib != nullptr) entry.HiddenDuringCalib->Hide();
  }
  bool itsAllBad = true;
  for (int channel = 0; channel < FChannels; ++channel) {
    const auto number = static_cast<std::uint8_t>(channel);
    const std::string text = getCalibString(this, number, itsAllBad);
    ShowChannelString(number, text);
  }
  if (!itsAllBad) return;

  SetCalibrating(false);
  const int answer = AskUser(
      "Total A/D failure. The card may not be installed, or it may be installed at a different base address.",
      "Total A/D failure", mbRetry | mbCancel, mbCancel);
  if (answer == mrRetry)
    SetCalibrating(true);
  else
    StopCalibration();
}

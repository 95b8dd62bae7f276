// The calibration sequence: each tick polls every channel, writes the status lines
// into the registered entries and stops with a dialog when nothing can be read.
// Ticks are delivered as WM_TIMER through the supporter's window procedure.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "setupctrls/SetupSupporter.h"
#include "support/TestHelpers.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Exceptions.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/UtilityWindow.h"

namespace {
const char* const kMissingText = "Error: calibration begun, but OnGetCalibString isn't assigned.";
const char* const kFailureText =
    "Total A/D failure. The card may not be installed, or it may be installed at a different base address.";

struct TEntryControls {
  TComboBox* List;
  TButton* Button;
  TLabel* Hidden;
};

// A supporter with two channel entries whose lists hold 16 lines each; every request
// of a dialog is recorded together with the sequence's state while it is open.
class Calibration : public ::testing::Test {
 protected:
  void SetUp() override {
    // Cases that run several times start from a clean record.
    entries.clear();
    requests.clear();
    stateInDialog.clear();
    polled.clear();
    flagSeen.clear();
    startSenders.clear();
    stopClicks = 0;
    answer = mrCancel;
    retickInErrorReport = false;
    host = std::make_unique<TForm>(Application);
    sup = new TSetupSupporter(host.get());
    for (int i = 0; i < 2; ++i) {
      TEntryControls e{new TComboBox(host.get()), new TButton(host.get()), new TLabel(host.get())};
      for (TControl* c : {static_cast<TControl*>(e.List), static_cast<TControl*>(e.Button),
                          static_cast<TControl*>(e.Hidden)})
        c->SetParent(host.get());
      for (int n = 0; n < 16; ++n) e.List->Items().Add("line " + std::to_string(n));
      e.Button->SetCaption("Stop");
      e.Button->OnClick = [this](TObject*) { ++stopClicks; };
      sup->AddChannelEntry({e.List, e.Button, e.Hidden});
      entries.push_back(e);
    }
    sup->OnStartButtonClick = [this](TObject* Sender) { startSenders.push_back(Sender); };
    SetMessageBoxHook([this](const TMessageBoxRequest& R) {
      requests.push_back(R);
      stateInDialog.push_back({sup->Calibrating(), TimerRunning()});
      if (R.Type == mtError && retickInErrorReport) {
        retickInErrorReport = false;
        Tick();
      }
      return R.Buttons == mbOK ? static_cast<int>(mrOk) : answer;
    });
  }
  void TearDown() override {
    SetMessageBoxHook(nullptr);
    SetTimersFailForTesting(false);
    host.reset();
  }

  void Tick() {
    TMessage m;
    m.Msg = WM_TIMER;
    m.WParam = TSetupSupporter::kTimerId;
    sup->TimerWndProc(m);
  }
  bool TimerRunning() const { return TimerActive(sup->TimerWindow(), TSetupSupporter::kTimerId); }
  // A handler that records its calls and never gets a usable reading.
  void AssignBadReadings() {
    sup->OnGetCalibString = [this](TObject* Sender, std::uint8_t Channel, bool& ItsAllBad) {
      EXPECT_EQ(Sender, sup);
      polled.push_back(Channel);
      flagSeen.push_back(ItsAllBad);
      return std::string("Bad");
    };
  }
  // The dialog opened only after the timer stopped, and the sequence ended with the buttons reset.
  void ExpectStoppedBeforeTheDialog() {
    EXPECT_FALSE(stateInDialog[0].Calibrating);
    EXPECT_FALSE(stateInDialog[0].TimerRunning);
    EXPECT_FALSE(sup->Calibrating());
    EXPECT_FALSE(TimerRunning());
    ExpectButtonsReset();
  }
  void ExpectButtonsReset() {
    for (const TEntryControls& e : entries) {
      EXPECT_EQ(e.Button->Caption(), "Start");
      e.Button->Click();
      EXPECT_EQ(startSenders.back(), e.Button);
    }
    EXPECT_EQ(stopClicks, 0);
  }
  void ExpectButtonsUntouched() {
    for (const TEntryControls& e : entries) {
      EXPECT_EQ(e.Button->Caption(), "Stop");
      e.Button->Click();
    }
    EXPECT_EQ(stopClicks, 2);
    EXPECT_TRUE(startSenders.empty());
  }

  struct TState {
    bool Calibrating;
    bool TimerRunning;
  };
  std::unique_ptr<TForm> host;
  TSetupSupporter* sup = nullptr;
  std::vector<TEntryControls> entries;
  std::vector<TMessageBoxRequest> requests;
  std::vector<TState> stateInDialog;
  std::vector<int> polled;
  std::vector<bool> flagSeen;
  std::vector<TObject*> startSenders;
  int stopClicks = 0;
  int answer = mrCancel;
  bool retickInErrorReport = false;
};
}  // namespace

TEST_F(Calibration, MissingEventStopsWithItsDialog) {
  int begins = 0;
  sup->SetOnBeginCalib([&](TObject* Sender) {
    EXPECT_EQ(Sender, sup);
    ++begins;
  });
  sup->SetCalibrating(true);
  EXPECT_TRUE(TimerRunning());
  Tick();
  EXPECT_EQ(begins, 1);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].Text, kMissingText);
  EXPECT_EQ(requests[0].Caption, "OnGetCalibString Not Assigned");
  EXPECT_EQ(requests[0].Type, mtWarning);
  EXPECT_EQ(requests[0].Buttons, static_cast<TMsgDlgButtons>(mbOK));
  EXPECT_TRUE(requests[0].OnTop);
  // The timer stopped before the dialog opened.
  ExpectStoppedBeforeTheDialog();
  // Nothing was hidden: the tick ended before the channels.
  EXPECT_TRUE(entries[0].Hidden->Visible());
}

TEST_F(Calibration, TotalFailureAnsweredWithCancelStops) {
  AssignBadReadings();
  sup->SetCalibrating(true);
  Tick();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].Text, kFailureText);
  EXPECT_EQ(requests[0].Caption, "Total A/D failure");
  EXPECT_EQ(requests[0].Type, mtWarning);
  EXPECT_EQ(requests[0].Buttons, static_cast<TMsgDlgButtons>(mbRetry | mbCancel));
  EXPECT_EQ(requests[0].DefaultButton, mbCancel);
  EXPECT_TRUE(requests[0].OnTop);
  ExpectStoppedBeforeTheDialog();
}

TEST_F(Calibration, RetryPollsAgainWithTheFlagReset) {
  answer = mrRetry;
  AssignBadReadings();
  sup->SetCalibrating(true);
  Tick();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_TRUE(sup->Calibrating());
  EXPECT_TRUE(TimerRunning());
  ExpectButtonsUntouched();
  Tick();
  EXPECT_EQ(requests.size(), 2u);
  ASSERT_EQ(polled.size(), 16u);
  EXPECT_TRUE(flagSeen[8]);  // channel 0 of the second tick
}

// One readable channel, wherever it is, suppresses the failure dialog for that tick;
// the flag is one for the whole tick.
TEST_F(Calibration, OneReadableChannelKeepsTheSequenceRunning) {
  for (int good : {0, 7}) {
    SCOPED_TRACE(good);
    TearDown();
    SetUp();
    std::vector<bool> seen;
    sup->OnGetCalibString = [&](TObject*, std::uint8_t Channel, bool& ItsAllBad) {
      seen.push_back(ItsAllBad);
      if (Channel == good) ItsAllBad = false;
      return std::string("OK");
    };
    sup->SetCalibrating(true);
    Tick();
    EXPECT_TRUE(requests.empty());
    EXPECT_TRUE(sup->Calibrating());
    EXPECT_TRUE(TimerRunning());
    ASSERT_EQ(seen.size(), 8u);
    for (int ch = 0; ch < 8; ++ch) EXPECT_EQ(seen[static_cast<size_t>(ch)], ch <= good) << ch;
    // The next tick starts from a bad reading again.
    Tick();
    ASSERT_EQ(seen.size(), 16u);
    EXPECT_TRUE(seen[8]);
  }
}

TEST_F(Calibration, ChannelCountLimitsThePoll) {
  struct Case {
    std::uint8_t Channels;
    std::vector<int> Polled;
  };
  const Case cases[] = {{1, {0}}, {0, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Channels));
    TearDown();
    SetUp();
    sup->SetChannels(c.Channels);
    AssignBadReadings();
    sup->SetCalibrating(true);
    Tick();
    EXPECT_EQ(polled, c.Polled);
    // Nothing read: the failure dialog, also when no channel was polled.
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Text, kFailureText);
  }
}

TEST_F(Calibration, TickWritesStatusLinesAndHidesControls) {
  int begins = 0;
  sup->SetOnBeginCalib([&](TObject*) {
    // Raised first, before any channel is read.
    EXPECT_TRUE(polled.empty());
    ++begins;
  });
  sup->OnGetCalibString = [&](TObject*, std::uint8_t Channel, bool& ItsAllBad) {
    polled.push_back(Channel);
    ItsAllBad = false;
    return "OK" + std::to_string(Channel);
  };
  sup->SetCalibrating(true);
  Tick();
  EXPECT_EQ(begins, 1);
  EXPECT_EQ(polled, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  for (const TEntryControls& e : entries) {
    EXPECT_FALSE(e.Hidden->Visible());
    for (int n = 0; n < 16; ++n) {
      const std::string expected =
          n < 8 ? "Channel " + std::to_string(n) + "\tOK" + std::to_string(n) : "line " + std::to_string(n);
      EXPECT_EQ(e.List->Items().Strings(n), expected);
    }
  }
}

TEST_F(Calibration, ChannelLines) {
  struct Case {
    std::uint8_t Channel;
    const char* Text;
    const char* Line;
  };
  const Case cases[] = {{0, "OK", "Channel 0\tOK"}, {7, "", "Channel 7\t"}, {12, "Bad", "Channel 12\tBad"}};
  for (const Case& c : cases) {
    sup->ShowChannelString(c.Channel, c.Text);
    for (const TEntryControls& e : entries) EXPECT_EQ(e.List->Items().Strings(c.Channel), c.Line);
  }
}

TEST_F(Calibration, StopWithoutChangingButtons) {
  sup->SetChangeButtons(false);
  sup->SetCalibrating(true);
  sup->StopCalibration();
  EXPECT_FALSE(sup->Calibrating());
  EXPECT_FALSE(TimerRunning());
  ExpectButtonsUntouched();
}

TEST_F(Calibration, EmptyEntryListStillCallsTheEventsAndShowsTheDialog) {
  host.reset();
  entries.clear();
  host = std::make_unique<TForm>(Application);
  sup = new TSetupSupporter(host.get());
  int begins = 0;
  sup->SetOnBeginCalib([&](TObject*) { ++begins; });
  AssignBadReadings();
  sup->SetCalibrating(true);
  Tick();
  EXPECT_EQ(begins, 1);
  EXPECT_EQ(polled.size(), 8u);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].Text, kFailureText);
  EXPECT_FALSE(sup->Calibrating());
}

// An error inside a tick goes to the error report; ticks that arrive while the report
// is open are dropped, and the sequence goes on afterwards.
TEST_F(Calibration, ErrorInATickIsReportedWithoutPilingUpTicks) {
  int calls = 0;
  sup->OnGetCalibString = [&](TObject*, std::uint8_t, bool&) -> std::string {
    ++calls;
    throw Exception("A/D converter not responding");
  };
  retickInErrorReport = true;
  sup->SetCalibrating(true);
  Tick();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].Type, mtError);
  EXPECT_EQ(requests[0].Text, "A/D converter not responding");
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(sup->Calibrating());
  EXPECT_TRUE(TimerRunning());
  Tick();
  EXPECT_EQ(calls, 2);
}

TEST_F(Calibration, SettingTheFlagDrivesTheTimer) {
  sup->SetCalibrating(false);
  EXPECT_FALSE(TimerRunning());
  // Assigning the begin event re-evaluates the timer: off while idle, on while running.
  sup->SetOnBeginCalib([](TObject*) {});
  EXPECT_FALSE(TimerRunning());
  sup->SetCalibrating(true);
  EXPECT_TRUE(TimerRunning());
  sup->SetOnBeginCalib(nullptr);
  EXPECT_TRUE(TimerRunning());
  sup->SetCalibrating(false);
  EXPECT_FALSE(TimerRunning());

  SetTimersFailForTesting(true);
  try {
    sup->SetCalibrating(true);
    ADD_FAILURE() << "no error raised";
  } catch (const EOutOfResources& e) {
    EXPECT_STREQ(e.what(), "Not enough timers available");
  }
}

TEST_F(Calibration, AtMost256Entries) {
  for (int i = 2; i < 256; ++i) sup->AddChannelEntry({});
  EXPECT_EQ(sup->ChannelEntries().size(), 256u);
  EXPECT_THROW(sup->AddChannelEntry({}), Exception);
}

// Paint and popup micro-benchmarks. Each figure is the median of many timed runs, in
// microseconds, printed one a line for scripts/bench.sh:
//   PAINT key median_us=... min_us=... runs=...
// Run with the argument "hover" for the popup figures only.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "setupctrls/BaseAddress.h"
#include "setupctrls/BoardHighlight.h"
#include "setupctrls/BoardImage.h"
#include "setupctrls/OrientedDrawing.h"
#include "setupctrls/PopupForm.h"
#include "setupctrls/SetupSupporter.h"
#include "setupctrls/TwoJumper.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Button.h"
#include "toolkit/Canvas.h"
#include "toolkit/Messages.h"
#include "toolkit/Panel.h"

namespace {

using Clock = std::chrono::steady_clock;

double UsBetween(Clock::time_point From, Clock::time_point To) {
  return std::chrono::duration<double, std::micro>(To - From).count();
}

struct Figure {
  double Median = 0.0;
  double Min = 0.0;
  size_t Runs = 0;
};

Figure Summarise(std::vector<double> Samples) {
  Figure f;
  f.Runs = Samples.size();
  if (Samples.empty()) return f;
  std::sort(Samples.begin(), Samples.end());
  const size_t n = Samples.size();
  f.Median = n % 2 == 1 ? Samples[n / 2] : (Samples[n / 2 - 1] + Samples[n / 2]) / 2.0;
  f.Min = Samples.front();
  return f;
}

void Print(const char* Key, const Figure& F) {
  std::printf("PAINT %s median_us=%.1f min_us=%.1f runs=%zu\n", Key, F.Median, F.Min, F.Runs);
  std::fflush(stdout);
}

// Times Body Runs times after Warmup untimed calls; Setup runs untimed before each call.
Figure Measure(int Warmup, int Runs, const std::function<void()>& Body, const std::function<void()>& Setup = {}) {
  for (int i = 0; i < Warmup; ++i) {
    if (Setup) Setup();
    Body();
  }
  std::vector<double> samples;
  samples.reserve(static_cast<size_t>(Runs));
  for (int i = 0; i < Runs; ++i) {
    if (Setup) Setup();
    const Clock::time_point t0 = Clock::now();
    Body();
    samples.push_back(UsBetween(t0, Clock::now()));
  }
  return Summarise(std::move(samples));
}

// Runs the event loop until Done() holds or Limit has passed; false on timeout.
bool PumpUntil(const std::function<bool()>& Done, std::chrono::milliseconds Limit) {
  const Clock::time_point end = Clock::now() + Limit;
  while (!Done()) {
    if (Clock::now() > end) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
  return true;
}

void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// Notes which top-level windows received a paint since it was last cleared.
class PaintSpy : public QObject {
 public:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() == QEvent::Paint && Watched->isWidgetType())
      FPainted.insert(static_cast<QWidget*>(Watched)->window());
    return false;
  }
  void Clear() { FPainted.clear(); }
  bool Painted(QWidget* Window) const { return FPainted.count(Window) != 0; }

 private:
  std::set<QWidget*> FPainted;
};

// The main window as the user first sees it: shown, the help window that the
// supporter opens shortly after start-up already up, the board painted once.
std::unique_ptr<TMainForm> ShowMainWindow() {
  auto form = std::make_unique<TMainForm>(Application);
  form->SetWindowState(wsNormal);
  form->SetBounds(0, 0, 1288, 1002);
  form->ShowForm();
  PumpUntil([&] { return !form->SetSup->ShowHelpPending(); }, std::chrono::milliseconds(2000));
  Settle();
  QImage surface(form->BoardImage1->Width(), form->BoardImage1->Height(), QImage::Format_RGB32);
  form->BoardImage1->PaintHandler(surface, form->BoardImage1->ClientRect());
  Settle();
  return form;
}

std::vector<TBoardHighlight*> Highlights(const TMainForm& Form) {
  return {Form.BaseA, Form.IRQ, Form.Load, Form.BaseB, Form.BaseC, Form.BaseD};
}

// The looks of the six highlights as their first paint makes them: for each, three
// new 32-bit pictures holding the board beneath, each tinted.
void BenchPrepareLooks(TMainForm& Form) {
  TBoardImage* board = Form.BoardImage1;
  QImage surface(board->Width(), board->Height(), QImage::Format_RGB32);
  {
    TCanvas canvas;
    canvas.Attach(&surface, TPoint{0, 0}, board->ClientRect());
    canvas.StretchDraw(board->ClientRect(), board->Picture().Graphic());
  }
  const std::vector<TBoardHighlight*> highlights = Highlights(Form);
  const Figure f = Measure(20, 301, [&] {
    for (TBoardHighlight* h : highlights) {
      const int w = h->Width(), ht = h->Height();
      TCanvas beneath;
      beneath.Attach(&surface, TPoint{h->Left(), h->Top()}, board->ClientRect());
      const struct {
        bool Bright;
        float Alpha;
      } looks[] = {{false, h->NormalAlpha()}, {true, h->BrightAlpha()}, {false, h->StrongAlpha()}};
      for (const auto& look : looks) {
        TBitmap bitmap;
        bitmap.SetPixelFormat(pf32bit);
        bitmap.SetSize(w, ht);
        bitmap.Canvas().CopyRect(Rect(0, 0, w, ht), beneath, Rect(0, 0, w, ht));
        TintEllipse(bitmap, w - 1, ht - 1, look.Bright, h->HighlightColor(), look.Alpha);
      }
    }
  });
  Print("prepare_looks", f);
}

// A full repaint of the board and its highlights after the first paint, and for
// comparison the plainest copy of the same pixels: the card as 32-bit rows and the
// six prepared pictures, row by row.
void BenchBoardRepaint(TMainForm& Form) {
  TBoardImage* board = Form.BoardImage1;
  QImage surface(600, 362, QImage::Format_RGB32);
  const TRect all = Rect(0, 0, 600, 362);
  const Figure repaint = Measure(20, 501, [&] { board->PaintHandler(surface, all); });
  Print("board_repaint", repaint);

  const QImage card = board->Picture().Graphic()->Image()->convertToFormat(QImage::Format_RGB32);
  const std::vector<TBoardHighlight*> highlights = Highlights(Form);
  const Figure copy = Measure(20, 501, [&] {
    for (int y = 0; y < card.height(); ++y)
      std::memcpy(surface.scanLine(y), card.constScanLine(y), static_cast<size_t>(card.bytesPerLine()));
    for (TBoardHighlight* h : highlights) {
      const TBitmap& look = h->NormalBitmap();
      for (int y = 0; y < look.Height(); ++y)
        std::memcpy(surface.scanLine(h->Top() + y) + 4 * h->Left(), look.ScanLine(y), static_cast<size_t>(look.Width()) * 4);
    }
  });
  Print("board_plain_copy", copy);
}

const char* OrientationName(TOrientationType O) {
  switch (O) {
    case otUp: return "up";
    case otDown: return "down";
    case otLeft: return "left";
    case otRight: return "right";
  }
  return "?";
}

// One paint of Drawing in each orientation, through its parent panel's paint pass
// over the drawing's own rectangle. The untimed first paint in an orientation makes
// the size swap that a change between upright and sideways brings.
void BenchOriented(const char* Name, TOrientedGraphic* Drawing, TPanel& Parent) {
  QImage surface(Parent.Width(), Parent.Height(), QImage::Format_RGB32);
  for (TOrientationType o : {otUp, otDown, otLeft, otRight}) {
    Drawing->SetOrientation(o);
    Parent.PaintHandler(surface, Parent.ClientRect());
    const Figure f = Measure(20, 501, [&] { Parent.PaintHandler(surface, Drawing->BoundsRect()); });
    const std::string key = std::string(Name) + "_" + OrientationName(o);
    Print(key.c_str(), f);
  }
  Drawing->SetOrientation(otUp);
  Parent.PaintHandler(surface, Parent.ClientRect());
}

void BenchDrawings() {
  TPanel bankParent(nullptr);
  bankParent.SetBounds(0, 0, 120, 120);
  auto* bank = new TBaseAddress(nullptr);  // freed with its parent
  bank->SetParent(&bankParent);
  bank->SetBounds(4, 4, bank->Width(), bank->Height());
  BenchOriented("base_address", bank, bankParent);

  TPanel jumperParent(nullptr);
  jumperParent.SetBounds(0, 0, 60, 60);
  auto* jumper = new TTwoJumper(nullptr);
  jumper->SetParent(&jumperParent);
  jumper->SetBounds(4, 4, jumper->Width(), jumper->Height());
  BenchOriented("two_jumper", jumper, jumperParent);
}

// From the mouse-enter notice to the popup shown and painted: the first time, when
// the popup is built, on a new main window each run; and again after Done hid it.
void BenchHover() {
  PaintSpy spy;
  qApp->installEventFilter(&spy);
  struct Group {
    const char* Key;
    TBoardHighlight* TMainForm::*Member;
    std::vector<double> First;
    std::vector<double> Again;
  };
  Group groups[] = {{"base", &TMainForm::BaseA, {}, {}}, {"irq", &TMainForm::IRQ, {}, {}}, {"load", &TMainForm::Load, {}, {}}};
  double cold = -1.0;
  int timeouts = 0;
  constexpr int kWindows = 12;
  constexpr int kAgain = 6;

  auto showAndTime = [&](TBoardHighlight* h, TPopupForm* known) -> double {
    spy.Clear();
    const Clock::time_point t0 = Clock::now();
    h->Perform(CM_MOUSEENTER, 0, 0);
    TPopupForm* popup = known != nullptr ? known : h->Popup();
    if (popup == nullptr) return -1.0;
    QWidget* window = popup->Window();
    if (!PumpUntil([&] { return spy.Painted(window); }, std::chrono::milliseconds(3000))) ++timeouts;
    return UsBetween(t0, Clock::now()) / 1000.0;
  };
  auto done = [&](TPopupForm* popup) {
    static_cast<TButton*>(popup->FindComponent("DoneButton"))->Click();
    Settle();
  };

  for (int run = 0; run < kWindows; ++run) {
    std::unique_ptr<TMainForm> form = ShowMainWindow();
    for (Group& g : groups) {
      TBoardHighlight* h = (*form).*g.Member;
      const double first = showAndTime(h, nullptr);
      if (first < 0) continue;
      if (cold < 0) cold = first;
      g.First.push_back(first * 1000.0);
      TPopupForm* popup = h->Popup();
      Settle();
      done(popup);
      for (int i = 0; i < kAgain; ++i) {
        g.Again.push_back(showAndTime(h, popup) * 1000.0);
        Settle();
        done(popup);
      }
    }
    form.reset();
    Settle();
  }
  qApp->removeEventFilter(&spy);
  if (cold >= 0) {
    // The process's very first popup: one sample.
    Print("hover_cold", Figure{cold * 1000.0, cold * 1000.0, 1});
  }
  for (Group& g : groups) {
    Print((std::string("hover_first_") + g.Key).c_str(), Summarise(g.First));
    Print((std::string("hover_again_") + g.Key).c_str(), Summarise(g.Again));
  }
  if (timeouts > 0) std::printf("PAINT note: %d popup(s) were not painted within 3 s\n", timeouts);
}

}  // namespace

int main(int argc, char** argv) {
  // Headless on a 1280 x 1024 screen unless the caller chose a platform.
  setenv("QT_QPA_PLATFORM", "offscreen:configfile=" SRX_BENCH_DIR "/offscreen.json", 0);
  TApplication application(argc, argv);
  application.Initialize();
  const bool hoverOnly = argc > 1 && std::strcmp(argv[1], "hover") == 0;
  std::printf("PAINT platform %s\n", QApplication::platformName().toUtf8().constData());
  if (!hoverOnly) {
    std::unique_ptr<TMainForm> form = ShowMainWindow();
    BenchPrepareLooks(*form);
    BenchBoardRepaint(*form);
    form.reset();
    Settle();
    BenchDrawings();
  }
  BenchHover();
  return 0;
}

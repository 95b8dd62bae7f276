// Memory soak: 10,000 cycles of hovering, clicking, Done and the group menus in one
// process, with the message loop run after each cycle as the program's own loop
// would. Resident memory after the first 1,000 cycles is the baseline, by when the
// popups, their widgets and the caches below Qt exist; after all 10,000 cycles it
// must have grown by less than 1 MiB. A cycle that lost as little as about 120
// bytes would grow it by more.
#include <QCoreApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/MainForm.h"
#include "leak/BoardDriver.h"
#include "setupctrls/BoardImage.h"
#include "toolkit/Application.h"
#include "toolkit/Screen.h"

using namespace boarddriver;

namespace {
constexpr int kCycles = 10000;
constexpr int kWarmUp = 1000;
constexpr long kAllowedGrowthKiB = 1024;

// VmRSS from /proc/self/status, in KiB; -1 when it cannot be read.
long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.compare(0, 6, "VmRSS:") == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

// One cycle on one circle: hover and leave, hover into the popup and out, click to
// hold and Done; then its group's menu entry with Next, Previous and the entry again.
void Cycle(TMainForm& Form, int Index) {
  TBoardHighlight* circle = Circles(Form)[static_cast<size_t>(Index % 6)];
  HoverClickDone(Form, circle);
  static const struct {
    const char* Entry;
    TBoardHighlight* TMainForm::*Circle;
  } kGroups[] = {{"BaseAddress1", &TMainForm::BaseA}, {"IRQLevel1", &TMainForm::IRQ}, {"Load1", &TMainForm::Load}};
  const auto& group = kGroups[Index % 3];
  MenuNextPrevious(Form, group.Entry, Form.*group.Circle);
  QCoreApplication::processEvents();
}
}  // namespace

int main(int argc, char** argv) {
  TApplication application(argc, argv);
  application.Initialize();
  Screen::SetSizeForTesting(1280, 1024);
  application.CreateForm(MainForm);
  TMainForm& form = *MainForm;
  form.SetWindowState(wsNormal);
  form.SetBounds(0, 0, 1288, 1002);
  form.ShowForm();
  QCoreApplication::processEvents();
  // The board's first paint adds the circles' menu entries.
  QImage surface(form.BoardImage1->Width(), form.BoardImage1->Height(), QImage::Format_RGB32);
  form.BoardImage1->PaintHandler(surface, Rect(0, 0, form.BoardImage1->Width(), form.BoardImage1->Height()));

  long baseline = -1;
  for (int i = 0; i < kCycles && Failures() == 0; ++i) {
    if (i == kWarmUp) baseline = ResidentKiB();
    Cycle(form, i);
  }
  const long final = ResidentKiB();
  std::printf("resident memory after %d cycles: %ld KiB; after %d: %ld KiB; growth %ld KiB (allowed < %ld)\n",
              kWarmUp, baseline, kCycles, final, final - baseline, kAllowedGrowthKiB);
  if (Failures() != 0) {
    std::printf("the cycles did not do what they should: %d failed expectation(s)\n", Failures());
    return 1;
  }
  if (baseline < 0 || final < 0) {
    std::printf("VmRSS could not be read from /proc/self/status\n");
    return 1;
  }
  return final - baseline < kAllowedGrowthKiB ? 0 : 1;
}

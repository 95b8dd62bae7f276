// The program's own start-up, as app/main.cpp runs it, ended right after the first
// complete paint of the main window: the board drawn where it stays, with its six
// highlights prepared. Reports the same figures as bench_baseline.
#include "StartupProbe.h"
#include "app/MainForm.h"
#include "setupctrls/BoardHighlight.h"
#include "setupctrls/BoardImage.h"
#include "toolkit/Application.h"

int main(int argc, char** argv) {
  const bench::Clock::time_point start = bench::Clock::now();
  TApplication application(argc, argv);
  application.Initialize();
  application.CreateForm(MainForm);
  TMainForm* form = MainForm;
  bench::FirstPaintWatch watch("startup", start, form->Window(), form->BoardImage1->Handle(), [form] {
    for (TBoardHighlight* h : {form->BaseA, form->IRQ, form->Load, form->BaseB, form->BaseC, form->BaseD})
      if (!h->Prepared()) return false;
    return true;
  });
  application.Run();
  return 0;
}

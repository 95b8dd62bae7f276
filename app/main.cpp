// The program's entry: the application object, the main window, the message loop.
#include "MainForm.h"
#include "toolkit/Application.h"

int main(int argc, char** argv) {
  TApplication application(argc, argv);
  application.Initialize();
  application.CreateForm(MainForm);
  // The icon lives in the resources that the main window registers.
  application.SetIcon(":/icon.bmp");
  application.Run();
  return 0;
}

#include "Application.h"

#include <QApplication>
#include <QIcon>
#include <QWidget>
#include <algorithm>

#include "Dialogs.h"
#include "Form.h"
#include "qt/WidgetGlue.h"

TApplication* Application = nullptr;

namespace {
// Qt moves the keyboard focus; the form that holds the newly focused control raises
// OnExit and OnEnter. Focus moving into a drop-down list or out of the program's
// windows is not a move between controls.
void FollowQtFocus(QWidget* /*old*/, QWidget* now) {
  if (now == nullptr || Application == nullptr) return;
  if (now->window()->windowType() == Qt::Popup) return;
  TWinControl* control = ControlForWidget(now);
  if (control == nullptr) return;
  TForm* form = nullptr;
  for (TControl* c = control; c != nullptr; c = c->Parent()) {
    if ((form = dynamic_cast<TForm*>(c)) != nullptr) break;
  }
  if (form == nullptr || form->ActiveControl() == control || (control == form && form->ActiveControl() == nullptr)) return;
  Application->Guard(form, [&] { form->SetActiveControl(control, true); });
}
}  // namespace

TApplication::TApplication(int& Argc, char** Argv) : TComponent(nullptr), FArgc(Argc), FArgv(Argv) {
  Application = this;
}

TApplication::~TApplication() {
  SetComponentState(csDestroying, true);
  DestroyComponents();
  if (FOwnsQtApp) delete QCoreApplication::instance();
  if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
  if (QCoreApplication::instance() == nullptr) {
    new QApplication(FArgc, FArgv);
    FOwnsQtApp = true;
  }
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(qApp, &QApplication::focusChanged, qApp, &FollowQtFocus);
}

void TApplication::SetIcon(const std::string& ResourcePath) {
  QApplication::setWindowIcon(QIcon(QString::fromStdString(ResourcePath)));
}

void TApplication::FormCreated(TForm* F) {
  if (FMainForm == nullptr) FMainForm = F;
}

void TApplication::Run() {
  if (FMainForm == nullptr) return;
  Guard(FMainForm, [&] { FMainForm->ShowForm(); });
  if (!FTerminated) QApplication::exec();
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void TApplication::Terminate() {
  FTerminated = true;
  // Ends the message loop whatever windows are open. Qt's quit() would first ask every
  // visible window to close, and the forms answer Qt's close request by hiding
  // themselves through their own Close, so an open popup or support window would
  // keep the program running without its main window.
  QCoreApplication::exit(0);
}

void TApplication::MainFormClosed() { Terminate(); }

void TApplication::HandleException(TObject* Sender) {
  std::string text = "Unknown error";
  try {
    throw;
  } catch (const std::exception& e) {
    if (OnException) {
      OnException(Sender, e);
      return;
    }
    text = e.what();
  } catch (...) {
  }
  TMessageBoxRequest box;
  box.Text = text;
  box.Caption = QCoreApplication::applicationName().toStdString();
  box.Type = mtError;
  box.Buttons = mbOK;
  ShowMessageBox(box);
}

void TApplication::AddForm(TForm* F) { FForms.push_back(F); }

void TApplication::RemoveForm(TForm* F) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), F), FForms.end());
  if (FActiveForm == F) FActiveForm = nullptr;
  if (FMainForm == F) FMainForm = nullptr;
}

void TApplication::SetActiveForm(TForm* F) {
  if (F == FActiveForm) return;
  TForm* old = FActiveForm;
  FActiveForm = F;
  // The notices are delivered as the window system would: an error in a handler is reported.
  if (old != nullptr && !old->IsDestroying()) Guard(old, [&] { old->Activated(false); });
  if (F != nullptr && FActiveForm == F && !F->IsDestroying()) Guard(F, [&] { F->Activated(true); });
}

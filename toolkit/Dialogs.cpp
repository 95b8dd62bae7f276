#include "Dialogs.h"

#include <QMessageBox>
#include <utility>

namespace {
TMessageBoxHook gHook;

struct ButtonMap {
  TMsgDlgBtn Ours;
  QMessageBox::StandardButton Qt;
  int Answer;
};
constexpr ButtonMap kButtons[] = {
    {mbYes, QMessageBox::Yes, mrYes},       {mbNo, QMessageBox::No, mrNo},
    {mbOK, QMessageBox::Ok, mrOk},          {mbCancel, QMessageBox::Cancel, mrCancel},
    {mbRetry, QMessageBox::Retry, mrRetry}, {mbAbort, QMessageBox::Abort, mrAbort},
    {mbIgnore, QMessageBox::Ignore, mrIgnore},
};

QMessageBox::Icon IconFor(TMsgDlgType Type) {
  switch (Type) {
    case mtWarning: return QMessageBox::Warning;
    case mtError: return QMessageBox::Critical;
    case mtInformation: return QMessageBox::Information;
    case mtConfirmation: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
  }
}
}  // namespace

void SetMessageBoxHook(TMessageBoxHook Hook) { gHook = std::move(Hook); }

int ShowMessageBox(const TMessageBoxRequest& Request) {
  if (gHook) return gHook(Request);
  QMessageBox box(IconFor(Request.Type), QString::fromStdString(Request.Caption),
                  QString::fromStdString(Request.Text));
  QMessageBox::StandardButtons buttons;
  for (const ButtonMap& b : kButtons) {
    if (Request.Buttons & b.Ours) buttons |= b.Qt;
  }
  box.setStandardButtons(buttons);
  for (const ButtonMap& b : kButtons) {
    if (Request.DefaultButton == b.Ours && (Request.Buttons & b.Ours)) box.setDefaultButton(b.Qt);
  }
  if (Request.OnTop) box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  const int answer = box.exec();
  for (const ButtonMap& b : kButtons) {
    if (answer == b.Qt) return b.Answer;
  }
  return mrCancel;
}

int MessageDlg(const std::string& Text, TMsgDlgType Type, TMsgDlgButtons Buttons) {
  static const char* const kCaptions[] = {"Warning", "Error", "Information", "Confirm", ""};
  TMessageBoxRequest r;
  r.Text = Text;
  r.Caption = kCaptions[Type];
  r.Type = Type;
  r.Buttons = Buttons;
  r.DefaultButton = (Buttons & mbOK) ? mbOK : (Buttons & mbYes) ? mbYes : mbCancel;
  return ShowMessageBox(r);
}

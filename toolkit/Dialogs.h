// Message boxes, with a hook through which tests answer them.
#pragma once

#include <functional>
#include <string>

enum TMsgDlgType : std::uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbRetry = 16, mbAbort = 32, mbIgnore = 64 };
using TMsgDlgButtons = unsigned;

// Answers, as a dialog returns them.
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

struct TMessageBoxRequest {
  std::string Text;
  std::string Caption;
  TMsgDlgType Type = mtInformation;
  TMsgDlgButtons Buttons = mbOK;
  TMsgDlgBtn DefaultButton = mbOK;
  bool OnTop = false;
};

// Shows a modal message box and returns the answer.
int ShowMessageBox(const TMessageBoxRequest& Request);
// The designer-style dialog: text, kind and buttons, caption from the kind.
int MessageDlg(const std::string& Text, TMsgDlgType Type, TMsgDlgButtons Buttons);

// While set, message boxes are not shown; the hook sees each request and gives the answer.
using TMessageBoxHook = std::function<int(const TMessageBoxRequest&)>;
void SetMessageBoxHook(TMessageBoxHook Hook);

// Small helpers shared by the tests.
#pragma once

#include <string>
#include <vector>

#include "toolkit/Dialogs.h"

// Answers every message box with a fixed answer and records what was asked,
// for as long as it lives.
class MessageBoxRecorder {
 public:
  explicit MessageBoxRecorder(int Answer = mrOk);
  ~MessageBoxRecorder();
  std::vector<TMessageBoxRequest> Requests;
  int Answer;
};

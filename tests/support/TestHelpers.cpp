#include "TestHelpers.h"

MessageBoxRecorder::MessageBoxRecorder(int AAnswer) : Answer(AAnswer) {
  SetMessageBoxHook([this](const TMessageBoxRequest& R) {
    Requests.push_back(R);
    return Answer;
  });
}

MessageBoxRecorder::~MessageBoxRecorder() { SetMessageBoxHook(nullptr); }

// The root of every toolkit class, and the shape of a plain notification event.
#pragma once

#include <functional>

class TObject {
 public:
  virtual ~TObject() = default;
  virtual const char* ClassName() const { return "TObject"; }
};

// A plain notification: called only when assigned, with the calling object as Sender.
using TNotifyEvent = std::function<void(TObject* Sender)>;

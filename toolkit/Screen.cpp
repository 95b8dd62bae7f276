#include "Screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace {
int gTestWidth = 0;
int gTestHeight = 0;
}  // namespace

namespace Screen {
int Width() {
  if (gTestWidth > 0) return gTestWidth;
  QScreen* s = QGuiApplication::primaryScreen();
  return s != nullptr ? s->geometry().width() : 0;
}

int Height() {
  if (gTestHeight > 0) return gTestHeight;
  QScreen* s = QGuiApplication::primaryScreen();
  return s != nullptr ? s->geometry().height() : 0;
}

void SetSizeForTesting(int W, int H) {
  gTestWidth = W;
  gTestHeight = H;
}
}  // namespace Screen

bool GetCursorPos(TPoint& P) {
  const QPoint q = QCursor::pos();
  P = TPoint{q.x(), q.y()};
  return true;
}

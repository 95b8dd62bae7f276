// The Qt side of windowed controls: the widget that paints a control's surface and
// turns Qt's mouse, focus and geometry events into the control's own handling.
#pragma once

#include <QImage>
#include <QObject>
#include <QWidget>

class TWinControl;
class TForm;

// Associates a widget with its control so that Qt events can find it.
void RegisterWidget(QWidget* Widget, TWinControl* Control);
// The control of the widget or of its nearest registered ancestor widget.
TWinControl* ControlForWidget(QWidget* Widget);

// Watches enter, leave, resize, move, close, activation and focus events of every
// control's widget and form window, and hands each to its control once.
class TkEventFilter : public QObject {
 public:
  static TkEventFilter* Instance();
  void Watch(QWidget* Widget);
  bool eventFilter(QObject* Watched, QEvent* Event) override;
};

// The widget of controls that paint themselves: panels, the board image, form clients.
class TkWidget : public QWidget {
 public:
  explicit TkWidget(TWinControl* Control);
  TWinControl* Control() const { return FControl; }

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;

 private:
  TWinControl* FControl;
};

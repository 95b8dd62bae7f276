#include "WidgetGlue.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <optional>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/WinControl.h"
#include "toolkit/qt/DialogKeys.h"
#include "toolkit/qt/SurfacePixels.h"

namespace {
const char* const kControlProperty = "tkControl";

TMouseButton ToButton(Qt::MouseButton b) {
  if (b == Qt::RightButton) return mbRight;
  if (b == Qt::MiddleButton) return mbMiddle;
  return mbLeft;
}

// Every Qt event handled here may run program handlers; an exception must not
// cross Qt, so it goes to the application's error report.
template <class Fn>
void Guarded(TObject* Sender, Fn&& F) {
  if (Application != nullptr)
    Application->Guard(Sender, F);
  else
    F();
}
}  // namespace

void RegisterWidget(QWidget* Widget, TWinControl* Control) {
  Widget->setProperty(kControlProperty, QVariant::fromValue(reinterpret_cast<quintptr>(Control)));
}

TWinControl* ControlForWidget(QWidget* Widget) {
  for (QWidget* w = Widget; w != nullptr; w = w->parentWidget()) {
    const QVariant v = w->property(kControlProperty);
    if (v.isValid()) return reinterpret_cast<TWinControl*>(v.value<quintptr>());
  }
  return nullptr;
}

TkEventFilter* TkEventFilter::Instance() {
  static TkEventFilter* instance = new TkEventFilter();
  return instance;
}

void TkEventFilter::Watch(QWidget* Widget) { Widget->installEventFilter(this); }

bool TkEventFilter::eventFilter(QObject* Watched, QEvent* Event) {
  auto* widget = qobject_cast<QWidget*>(Watched);
  if (widget == nullptr) return false;
  const QVariant v = widget->property(kControlProperty);
  if (!v.isValid()) return false;
  auto* control = reinterpret_cast<TWinControl*>(v.value<quintptr>());
  auto* form = dynamic_cast<TForm*>(control);
  const bool isFormWindow = form != nullptr && widget == form->WindowIfMade();
  switch (Event->type()) {
    case QEvent::Enter:
      if (!isFormWindow) Guarded(control, [&] { control->HandleMouseEnterWindow(); });
      break;
    case QEvent::Leave:
      if (!isFormWindow) Guarded(control, [&] { control->HandleMouseExit(); });
      break;
    case QEvent::Resize:
      if (!isFormWindow) {
        const QSize s = static_cast<QResizeEvent*>(Event)->size();
        Guarded(control, [&] { control->WidgetResized(s.width(), s.height()); });
      } else {
        Guarded(control, [&] { form->WidgetMoved(widget->x(), widget->y()); });
      }
      break;
    case QEvent::Move:
      if (isFormWindow) Guarded(control, [&] { form->WidgetMoved(widget->x(), widget->y()); });
      break;
    case QEvent::WindowActivate:
      if (isFormWindow && Application != nullptr) Application->SetActiveForm(form);
      break;
    case QEvent::WindowDeactivate:
      if (isFormWindow && Application != nullptr && Application->ActiveForm() == form)
        Application->SetActiveForm(nullptr);
      break;
    case QEvent::KeyPress:
      // Enter and Esc that no control took reach the form window last.
      if (isFormWindow && HandleDialogKey(*form, *static_cast<QKeyEvent*>(Event))) return true;
      break;
    case QEvent::Close:
      if (isFormWindow) {
        // The form decides: its close handler runs and the window is hidden.
        Event->ignore();
        Guarded(control, [&] { form->Close(); });
        return true;
      }
      break;
    default:
      break;
  }
  return false;
}

TkWidget::TkWidget(TWinControl* Control) : FControl(Control) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  RegisterWidget(this, Control);
  TkEventFilter::Instance()->Watch(this);
}

namespace {
// The image that a paint event draws into (the device its painting is redirected to),
// when the toolkit can draw there itself: a window's backing store of one device pixel
// per pixel in a layout the toolkit writes. Otherwise nullptr (a grab into a pixmap, a
// scaled display).
QImage* DirectSurface(QPaintDevice* Device) {
  if (Device == nullptr || Device->devType() != QInternal::Image) return nullptr;
  auto* image = static_cast<QImage*>(Device);
  if (image->devicePixelRatio() != 1.0 || !surface::IsSupported(image->format())) return nullptr;
  return image;
}
}  // namespace

void TkWidget::paintEvent(QPaintEvent* Event) {
  // The damaged area is drawn rectangle by rectangle (Qt leaves out the opaque
  // children), straight into the window's backing store when possible, as Qt's own
  // widgets draw. The redirection runs from the widget to the backing store: its
  // negation is where the widget's (0, 0) lies there.
  QPoint redirection;
  QImage* direct = DirectSurface(redirected(&redirection));
  // Otherwise each rectangle goes through a scratch image of its own size, copied in one
  // block; nothing of it is kept between paints. The painter is clipped to that one
  // rectangle so that Qt copies the block straight: a clip of several rectangles would
  // send it through a general path that starts a pool of threads.
  std::optional<QPainter> painter;
  if (direct == nullptr) painter.emplace(this);
  for (const QRect& r : Event->region()) {
    if (r.isEmpty()) continue;
    const TRect damaged = Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    if (direct != nullptr) {
      Guarded(FControl, [&] { FControl->PaintHandler(*direct, damaged, TPoint{-redirection.x(), -redirection.y()}); });
      continue;
    }
    QImage scratch(r.size(), QImage::Format_RGB32);
    Guarded(FControl, [&] { FControl->PaintHandler(scratch, damaged, TPoint{-r.left(), -r.top()}); });
    painter->setClipRect(r);
    painter->drawImage(r.topLeft(), scratch);
  }
}

void TkWidget::mouseMoveEvent(QMouseEvent* Event) {
  const QPoint pos = Event->position().toPoint();
  Guarded(FControl, [&] { FControl->HandleMouseMove(pos.x(), pos.y()); });
}

void TkWidget::mousePressEvent(QMouseEvent* Event) {
  const QPoint pos = Event->position().toPoint();
  Guarded(FControl, [&] { FControl->HandleMouseButton(true, ToButton(Event->button()), pos.x(), pos.y()); });
}

void TkWidget::mouseReleaseEvent(QMouseEvent* Event) {
  const QPoint pos = Event->position().toPoint();
  Guarded(FControl, [&] { FControl->HandleMouseButton(false, ToButton(Event->button()), pos.x(), pos.y()); });
}

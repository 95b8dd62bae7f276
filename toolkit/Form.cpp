#include "Form.h"

#include <QMainWindow>
#include <QMenuBar>
#include <algorithm>
#include <cmath>

#include "Application.h"
#include "Menu.h"
#include "Screen.h"
#include "qt/MenuBarGlue.h"
#include "qt/WidgetGlue.h"

namespace {
// The window manager's frame around a shown window's client area. Until a window is
// shown its frame is unknown and taken as none: sizes given then are client sizes,
// and the frame is added around them when it becomes known.
QMargins FrameOf(QWidget* Window) {
  if (Window == nullptr || !Window->isVisible()) return QMargins();
  const QRect f = Window->frameGeometry(), g = Window->geometry();
  return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
}

TRect AsRect(const QMargins& m) { return Rect(m.left(), m.top(), m.right(), m.bottom()); }

class TkFormWindow : public QMainWindow {
 public:
  TkFormWindow() { setAttribute(Qt::WA_DeleteOnClose, false); }
};
}  // namespace

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
  FVisible = false;
  FColor = clBtnFace;
  FLeft = 0;
  FTop = 0;
  FWidth = 320;
  FHeight = 240;
  FNormalBounds = BoundsRect();
  if (Application != nullptr) Application->AddForm(this);
}

TForm::~TForm() {
  SetComponentState(csDestroying, true);
  DestroyComponents();
  while (!FControls.empty()) delete FControls.back();
  if (Application != nullptr) Application->RemoveForm(this);
  if (FWindow != nullptr) {
    FWindow->hide();
    if (FWidget != nullptr) FWidget->setParent(nullptr);
    delete FWindow;
    FWindow = nullptr;
  }
}

QWidget* TForm::CreateWidget() {
  auto* window = new TkFormWindow();
  FWindow = window;
  RegisterWidget(window, this);
  TkEventFilter::Instance()->Watch(window);
  auto* client = new TkWidget(this);
  window->setCentralWidget(client);
  window->setWindowTitle(QString::fromStdString(FCaption));
  ApplyWindowFlags();
  ApplyConstraints();
  return client;
}

QWidget* TForm::Window() {
  Handle();
  return FWindow;
}

int TForm::FrameExtraWidth() const {
  const QMargins m = FrameOf(FWindow);
  return m.left() + m.right();
}

int TForm::FrameExtraHeight() const {
  const QMargins m = FrameOf(FWindow);
  int menu = 0;
  if (FWindow != nullptr) {
    auto* mw = static_cast<QMainWindow*>(FWindow);
    if (FMenu != nullptr && mw->menuWidget() != nullptr) menu = mw->menuWidget()->sizeHint().height();
  }
  return m.top() + m.bottom() + menu;
}

int TForm::ClientWidth() const { return std::max(0, FWidth - FrameExtraWidth()); }
int TForm::ClientHeight() const { return std::max(0, FHeight - FrameExtraHeight()); }
void TForm::SetClientWidth(int Value) { SetBounds(FLeft, FTop, Value + FrameExtraWidth(), FHeight); }
void TForm::SetClientHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value + FrameExtraHeight()); }

void TForm::SetCaption(const std::string& Value) {
  FCaption = Value;
  if (FWindow != nullptr) FWindow->setWindowTitle(QString::fromStdString(Value));
}

void TForm::SetBorderStyle(TFormBorderStyle Value) {
  FBorderStyle = Value;
  ApplyWindowFlags();
}

void TForm::SetFormStyle(TFormStyle Value) {
  FFormStyle = Value;
  ApplyWindowFlags();
}

void TForm::ApplyWindowFlags() {
  if (FWindow == nullptr) return;
  Qt::WindowFlags flags = Qt::Window;
  if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) {
    // A small caption with a close box and no minimise or maximise box.
    flags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
  } else if (FBorderStyle == bsDialog) {
    flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
  }
  if (FFormStyle == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
  const bool visible = FWindow->isVisible();
  FWindow->setWindowFlags(flags);
  if (visible) FWindow->show();
}

void TForm::SetWindowState(TWindowState Value) {
  FWindowState = Value;
  if (FWindow == nullptr || !FWindow->isVisible()) return;
  if (Value == wsMaximized)
    FWindow->showMaximized();
  else if (Value == wsMinimized)
    FWindow->showMinimized();
  else
    FWindow->showNormal();
}

void TForm::SetMenu(TMainMenu* Value) {
  if (FMenu == Value) return;
  if (FMenu != nullptr) FMenu->FForm = nullptr;
  FMenu = Value;
  if (FMenu != nullptr) FMenu->FForm = this;
  MenuChanged();
}

// A form with a menu bar makes its window at once: the bar's height is part of the
// frame around the client area, which the form's client size needs.
void TForm::MenuChanged() {
  if (FMenu == nullptr && FWindow == nullptr) return;
  RebuildMenuBar(static_cast<QMainWindow*>(Window()), FMenu);
}

void TForm::SetConstraints(const TSizeConstraints& Value) {
  FConstraints = Value;
  ApplyConstraints();
}

void TForm::ApplyConstraints() {
  if (FWindow == nullptr) return;
  // The constraints are outer sizes; the window's own size leaves out the frame (its menu bar is inside).
  const QMargins m = FrameOf(FWindow);
  FWindow->setMinimumSize(std::max(0, FConstraints.MinWidth - m.left() - m.right()),
                          std::max(0, FConstraints.MinHeight - m.top() - m.bottom()));
}

void TForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  if (ALeft != FLeft || ATop != FTop) FPlacedByProgram = true;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (FWindowState == wsNormal || FWindow == nullptr || !FWindow->isVisible()) FNormalBounds = BoundsRect();
  SyncWidgetGeometry();
}

void TForm::SyncWidgetGeometry() {
  // A form's window is made when it is first shown (or asked for); it takes the bounds then.
  QWidget* w = FWindow;
  if (w == nullptr) return;
  if (w->isVisible() && (w->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))) return;
  const QMargins m = FrameOf(w);
  const int left = FLeft, top = FTop;
  const int width = std::max(1, FWidth - m.left() - m.right());
  const int height = std::max(1, FHeight - m.top() - m.bottom());
  // The move and resize report back through WidgetMoved; the fields already hold the target.
  FSyncedFrame = AsRect(m);
  FSyncing = true;
  if (PlacedByProgram()) w->move(left, top);
  w->resize(width, height);
  FSyncing = false;
}

bool TForm::PlacedByProgram() const {
  // A window at the default position that the program never moved is placed by the window manager.
  return FPlacedByProgram || (FPosition != poDefault && FPosition != poDefaultPosOnly);
}

void TForm::WidgetMoved(int, int) {
  if (FSyncing || FWindow == nullptr || !FWindow->isVisible()) return;
  if (FWindow->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) {
    FWasMaximized = true;
    ReadWindowGeometry();
    return;
  }
  if (FWasMaximized) {
    // Restored: the window takes its normal bounds again, frame included.
    FWasMaximized = false;
    RestoreNormalBounds();
    return;
  }
  // When the window manager frames the window, the frame goes around the client area
  // and its corner goes where the program placed the window.
  if (!(AsRect(FrameOf(FWindow)) == FSyncedFrame)) {
    PlaceFrame();
    return;
  }
  ReadWindowGeometry();
  FNormalBounds = BoundsRect();
}

void TForm::RestoreNormalBounds() {
  const QMargins m = FrameOf(FWindow);
  FSyncedFrame = AsRect(m);
  FLeft = FNormalBounds.Left;
  FTop = FNormalBounds.Top;
  FWidth = FNormalBounds.Width();
  FHeight = FNormalBounds.Height();
  FSyncing = true;
  FWindow->move(FLeft, FTop);
  FWindow->resize(std::max(1, FWidth - m.left() - m.right()), std::max(1, FHeight - m.top() - m.bottom()));
  FSyncing = false;
}

void TForm::ReadWindowGeometry() {
  const QRect f = FWindow->frameGeometry();
  FLeft = f.x();
  FTop = f.y();
  FWidth = f.width();
  FHeight = f.height();
}

void TForm::PlaceFrame() {
  const QMargins m = FrameOf(FWindow);
  const QSize client = FWindow->geometry().size();
  FSyncedFrame = AsRect(m);
  FWidth = client.width() + m.left() + m.right();
  FHeight = client.height() + m.top() + m.bottom();
  if (PlacedByProgram()) {
    FSyncing = true;
    FWindow->move(FLeft, FTop);
    FSyncing = false;
  } else {
    FLeft = FWindow->frameGeometry().x();
    FTop = FWindow->frameGeometry().y();
  }
  FNormalBounds = BoundsRect();
}

void TForm::WidgetResized(int ClientW, int ClientH) {
  WidgetMoved(0, 0);
  AlignControls();
  for (TControl* c : std::vector<TControl*>(FControls)) c->AnchorToParentSize(ClientW, ClientH);
}

bool TForm::Showing() const { return FVisible && FWindow != nullptr && FWindow->isVisible(); }

void TForm::SetVisible(bool Value) {
  if (Value == FVisible) return;
  if (Value) {
    ShowForm();
    return;
  }
  FVisible = false;
  if (FWindow != nullptr) FWindow->hide();
  if (OnHide) OnHide(this);
  // Hiding the active window deactivates it at once.
  if (Application != nullptr && Application->ActiveForm() == this) Application->SetActiveForm(nullptr);
}

void TForm::ShowForm() {
  QWidget* w = Window();
  if (!FShownOnce) {
    FShownOnce = true;
    if (FPosition == poScreenCenter || FPosition == poMainFormCenter) {
      TForm* main = Application != nullptr ? Application->MainForm() : nullptr;
      TRect area = Rect(0, 0, Screen::Width(), Screen::Height());
      if (FPosition == poMainFormCenter && main != nullptr && main != this) area = main->BoundsRect();
      const TRect r = FNormalBounds;
      const int left = area.Left + (area.Width() - r.Width()) / 2;
      const int top = area.Top + (area.Height() - r.Height()) / 2;
      SetBounds(left, top, r.Width(), r.Height());
    }
  }
  const bool wasVisible = FVisible;
  FVisible = true;
  if (FWindowState == wsMaximized && !wasVisible) {
    w->showMaximized();
  } else {
    const TPoint placed{FLeft, FTop};
    w->show();
    // The frame may be known now that the window is shown: put its corner where the program placed it.
    if (!wasVisible) {
      FLeft = placed.x;
      FTop = placed.y;
      PlaceFrame();
    }
  }
  w->raise();
  w->activateWindow();
  if (!wasVisible && OnShow) OnShow(this);
  // Showing activates the window at once, whatever the window system does later.
  if (Application != nullptr) Application->SetActiveForm(this);
}

void TForm::Close() {
  TCloseAction action = caHide;
  const TCloseEvent handler = OnClose;
  if (handler) handler(this, action);
  if (action == caNone) return;
  if (Application != nullptr && Application->MainForm() == this) {
    SetVisible(false);
    Application->MainFormClosed();
    return;
  }
  SetVisible(false);
}

bool TForm::Active() const { return Application != nullptr && Application->ActiveForm() == this; }

bool TForm::CanFocus() const { return FVisible && FEnabled; }

void TForm::SetFocus() {
  if (!FVisible) return;
  QWidget* w = Window();
  w->raise();
  w->activateWindow();
  if (Application != nullptr) Application->SetActiveForm(this);
}

void TForm::FocusControl(TWinControl* Control) {
  if (Control == nullptr || Control == this) {
    SetFocus();
    return;
  }
  if (FVisible) SetFocus();
  SetActiveControl(Control);
  Control->Handle()->setFocus(Qt::OtherFocusReason);
}

void TForm::SetActiveControl(TWinControl* Control, bool /*FromQt*/) {
  if (Control == this) Control = nullptr;
  TWinControl* old = FActiveControl;
  if (old == Control) return;
  FActiveControl = Control;
  // The focus leaves the old control and its parents up to the one that holds both,
  // then enters the new control's parents from the outermost down.
  TWinControl* common = nullptr;
  for (TWinControl* c = Control; c != nullptr && c != this; c = c->Parent()) {
    if (old != nullptr && c->ContainsControl(old)) {
      common = c;
      break;
    }
  }
  for (TWinControl* c = old; c != nullptr && c != this && c != common; c = c->Parent()) c->DoExit();
  std::vector<TWinControl*> entered;
  for (TWinControl* c = Control; c != nullptr && c != this && c != common; c = c->Parent()) entered.push_back(c);
  for (auto it = entered.rbegin(); it != entered.rend(); ++it) {
    // A handler may move the focus again; stop entering controls it has left.
    if (FActiveControl != Control) break;
    (*it)->DoEnter();
  }
}

void TForm::Activated(bool IsActive) {
  Perform(WM_ACTIVATE, IsActive ? WA_ACTIVE : WA_INACTIVE, 0);
  // A copy: the handler may replace itself while it runs.
  const TNotifyEvent handler = IsActive ? OnActivate : OnDeactivate;
  if (handler) handler(this);
}


// Top-level windows: the main window, popups and tool windows.
#pragma once

#include <string>

#include "WinControl.h"

class TMainMenu;
class QWidget;

enum TFormBorderStyle : std::uint8_t { bsSizeable, bsDialog, bsSingleFrame, bsToolWindow, bsSizeToolWin };
enum TFormStyle : std::uint8_t { fsNormal, fsStayOnTop };
enum TPosition : std::uint8_t { poDesigned, poDefault, poDefaultPosOnly, poScreenCenter, poMainFormCenter };
enum TWindowState : std::uint8_t { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

struct TSizeConstraints {
  int MinWidth = 0;
  int MinHeight = 0;
};

// Left, Top, Width and Height of a form are its outer window rectangle on the screen,
// frame and caption included; the client area holds the child controls.
class TForm : public TWinControl {
  TK_CLASS_NAME(TForm)
 public:
  // Builds an empty form in code (no stored definition).
  explicit TForm(TComponent* AOwner);
  ~TForm() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value);
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  const TSizeConstraints& Constraints() const { return FConstraints; }
  void SetConstraints(const TSizeConstraints& Value);
  bool AutoScroll = false;

  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  // Bounds in the normal (not maximised) state.
  TRect NormalBounds() const { return FNormalBounds; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetVisible(bool Value) override;
  bool Showing() const override;
  // Shows the window, brings it to the front and activates it.
  void ShowForm();
  // Asks OnClose; with the action left at hide the window is hidden.
  void Close();
  bool Active() const;
  void SetFocus() override;
  bool CanFocus() const override;
  // Gives the focus to a control of this form, activating the form when it is shown.
  void FocusControl(TWinControl* Control);
  TWinControl* ActiveControl() const { return FActiveControl; }

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

  // The top-level window (the client widget is Handle()), made when the form is first
  // shown or given a menu bar, or on first use.
  QWidget* Window();
  // The window if it has been made; never makes it.
  QWidget* WindowIfMade() const { return FWindow; }
  // The frame around the client area: window outer size less client size.
  int FrameExtraWidth() const;
  int FrameExtraHeight() const;

  // Called by the toolkit when this form becomes or stops being the active form.
  void Activated(bool Active);
  void WidgetMoved(int ScreenX, int ScreenY) override;
  void WidgetResized(int ClientW, int ClientH) override;
  // Moves the form's focused control, raising OnExit and OnEnter on the controls
  // that the focus leaves and enters. FromQt: the widget already has the focus.
  void SetActiveControl(TWinControl* Control, bool FromQt = false);
  void ForgetActiveControl() { FActiveControl = nullptr; }

 protected:
  QWidget* CreateWidget() override;
  void SyncWidgetGeometry() override;
  void ApplyWindowFlags();
  void ApplyConstraints();
  // Reads the window's outer rectangle into the bounds.
  void ReadWindowGeometry();
  // Keeps the client size, adds the frame now known around it, and moves the frame's corner to Left, Top.
  void PlaceFrame();
  // Back from maximised: the normal bounds again, as an outer rectangle.
  void RestoreNormalBounds();
  // Whether the program chose where the window stands, rather than the window manager.
  bool PlacedByProgram() const;
  void MenuChanged();

 private:
  std::string FCaption;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TFormStyle FFormStyle = fsNormal;
  TPosition FPosition = poDefaultPosOnly;
  TWindowState FWindowState = wsNormal;
  TMainMenu* FMenu = nullptr;
  TSizeConstraints FConstraints;
  TRect FNormalBounds;
  QWidget* FWindow = nullptr;
  bool FShownOnce = false;
  bool FSyncing = false;
  bool FWasMaximized = false;
  bool FPlacedByProgram = false;
  TRect FSyncedFrame;  // the frame's left, top, right and bottom widths at the last placement
  TWinControl* FActiveControl = nullptr;
  friend class TMainMenu;
};

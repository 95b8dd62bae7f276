// Shows a main menu in a window's menu bar.
#pragma once

class QMainWindow;
class QWidget;
class TMainMenu;
class TMenuItem;

// Builds the menu bar from the menu at once (none: no menu bar).
void RebuildMenuBar(QMainWindow* Window, TMainMenu* Menu);
// Rebuilds later, from the message loop: a change may come from inside a menu
// command, whose action must outlive its own handler.
void ScheduleMenuBarRebuild(QWidget* Window);
// Shows an item's check mark without rebuilding.
void UpdateMenuItemCheck(QWidget* Window, TMenuItem* Item);

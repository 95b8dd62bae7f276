#include "MenuBarGlue.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

#include "WidgetGlue.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Menu.h"

namespace {
const char* const kItemProperty = "tkMenuItem";
const char* const kPendingProperty = "tkMenuRebuildPending";

void BindAction(QAction* Action, TMenuItem* Item) {
  Action->setProperty(kItemProperty, QVariant::fromValue(reinterpret_cast<quintptr>(Item)));
  Action->setCheckable(Item->Checked());
  Action->setChecked(Item->Checked());
  QObject::connect(Action, &QAction::triggered, Action, [Item] {
    if (Application != nullptr)
      Application->Guard(Item, [&] { Item->Click(); });
    else
      Item->Click();
  });
}

void AddItems(QMenu* Menu, TMenuItem* Parent) {
  for (int i = 0; i < Parent->Count(); ++i) {
    TMenuItem* item = Parent->Items(i);
    if (item->Count() > 0) {
      AddItems(Menu->addMenu(QString::fromStdString(item->Caption())), item);
    } else {
      BindAction(Menu->addAction(QString::fromStdString(item->Caption())), item);
    }
  }
}
}  // namespace

void RebuildMenuBar(QMainWindow* Window, TMainMenu* Menu) {
  Window->setProperty(kPendingProperty, false);
  if (Menu == nullptr) {
    if (Window->menuWidget() != nullptr) Window->menuWidget()->hide();
    return;
  }
  QMenuBar* bar = Window->menuBar();
  bar->clear();
  bar->show();
  TMenuItem* root = Menu->Items();
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* item = root->Items(i);
    if (item->Count() > 0) {
      QMenu* m = bar->addMenu(QString::fromStdString(item->Caption()));
      m->menuAction()->setProperty(kItemProperty, QVariant::fromValue(reinterpret_cast<quintptr>(item)));
      AddItems(m, item);
    } else {
      BindAction(bar->addAction(QString::fromStdString(item->Caption())), item);
    }
  }
}

void ScheduleMenuBarRebuild(QWidget* Window) {
  auto* main = qobject_cast<QMainWindow*>(Window);
  if (main == nullptr || main->property(kPendingProperty).toBool()) return;
  main->setProperty(kPendingProperty, true);
  QPointer<QMainWindow> guard(main);
  QTimer::singleShot(0, main, [guard] {
    if (guard.isNull() || !guard->property(kPendingProperty).toBool()) return;
    auto* form = dynamic_cast<TForm*>(ControlForWidget(guard.data()));
    if (form != nullptr) RebuildMenuBar(guard.data(), form->Menu());
  });
}

void UpdateMenuItemCheck(QWidget* Window, TMenuItem* Item) {
  auto* main = qobject_cast<QMainWindow*>(Window);
  if (main == nullptr || main->menuWidget() == nullptr) return;
  const auto actions = main->menuWidget()->findChildren<QAction*>();
  for (QAction* a : actions) {
    if (a->property(kItemProperty).value<quintptr>() == reinterpret_cast<quintptr>(Item)) {
      a->setCheckable(Item->Checked());
      a->setChecked(Item->Checked());
    }
  }
}

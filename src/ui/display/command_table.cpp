// SPDX-License-Identifier: MIT
#include "command_table.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <algorithm>

#include "qt_convert.h"

namespace fernplot {

namespace {

// The menus: their titles (in the window's translation context), where each
// submenu stands in its parent, and the object names tests and styles find
// them by.
struct MenuRow {
  MenuId id;
  MenuId parent;
  const char* title;
  bool literalTitle;
  Place place;  // in the parent menu
  const char* objectName;
};

constexpr MenuRow kMenus[] = {
    {MenuId::kFile,
     MenuId::kNone,
     QT_TRANSLATE_NOOP("fernplot::CMainFrame", "ﾌｧｲﾙ(&F)"),
     false,
     {0, 0},
     "fileMenu"},
    {MenuId::kView,
     MenuId::kNone,
     QT_TRANSLATE_NOOP("fernplot::CMainFrame", "表示(&V)"),
     false,
     {1, 0},
     "viewMenu"},
    {MenuId::kZoom,
     MenuId::kView,
     QT_TRANSLATE_NOOP("fernplot::CMainFrame", "表示倍率"),
     false,
     {2, 0},
     "zoomMenu"},
    {MenuId::kCompare,
     MenuId::kNone,
     QT_TRANSLATE_NOOP("fernplot::CMainFrame", "比較(&C)"),
     false,
     {2, 0},
     "compareMenu"},
    {MenuId::kSettings,
     MenuId::kNone,
     QT_TRANSLATE_NOOP("fernplot::CMainFrame", "設定(&S)"),
     false,
     {3, 0},
     "settingsMenu"},
    // In both languages: whoever cannot read the one shown must find it.
    {MenuId::kLanguage, MenuId::kSettings, "言語/Language", true, {3, 0}, "languageMenu"},
    {MenuId::kHelp,
     MenuId::kNone,
     QT_TRANSLATE_NOOP("fernplot::CMainFrame", "ﾍﾙﾌﾟ(&H)"),
     false,
     {4, 0},
     "helpMenu"},
};

bool Before(const Place& a, const Place& b) {
  return a.group != b.group ? a.group < b.group : a.order < b.order;
}

// One entry of a menu or the tool bar while it is laid out.
struct Entry {
  Place place;
  QAction* action = nullptr;
  const MenuRow* submenu = nullptr;
  QWidget* widget = nullptr;
  int id = 0;
};

std::vector<Entry> Sorted(std::vector<Entry> entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry& a, const Entry& b) { return Before(a.place, b.place); });
  return entries;
}

}  // namespace

QString CommandTr(std::string_view source) {
  // The table's texts are string literals, so data() ends with a NUL.
  return source.empty() ? QString() : QCoreApplication::translate("Commands", source.data());
}

void CommandTable::Add(CommandRow row) {
  rows_.push_back(std::move(row));
}

void CommandTable::AddToolWidget(QWidget* widget, Place place) {
  toolWidgets_.emplace_back(widget, place);
}

QAction* CommandTable::MakeAction(CommandRow& row, QObject* owner) {
  if (row.action) return row.action;
  const QString text =
      row.literalText ? QStringFromUtf8(std::string(row.text)) : CommandTr(row.text);
  auto* action = new QAction(text, owner);
  const QString prompt = CommandTr(row.prompt);
  if (!prompt.isEmpty()) {
    action->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
    if (prompt.contains(QLatin1Char('\n'))) {
      action->setToolTip(prompt.section(QLatin1Char('\n'), 1));
    }
  }
  // The tool bar pictures belong to the tool bar; menus show text only.
  action->setIconVisibleInMenu(false);
  if (!row.icon.isNull()) action->setIcon(row.icon);
  if (!row.shortcut.isEmpty()) action->setShortcut(row.shortcut);
  action->setCheckable(row.checkable);
  if (row.run) connect(action, &QAction::triggered, this, [run = row.run] { run(); });
  return action;
}

void CommandTable::Build(QMainWindow& window, QToolBar& toolBar) {
  std::map<int, QActionGroup*> groups;
  for (CommandRow& row : rows_) {
    QAction* action = MakeAction(row, &window);
    actions_[row.id] = action;
    if (row.exclusiveGroup != 0) {
      QActionGroup*& group = groups[row.exclusiveGroup];
      if (!group) group = new QActionGroup(this);
      group->addAction(action);
    }
  }
  // Each menu's entries, submenus first made empty so that parents can hold
  // them.
  for (const MenuRow& menuRow : kMenus) {
    const QString title = menuRow.literalTitle
                              ? QString::fromUtf8(menuRow.title)
                              : QCoreApplication::translate("fernplot::CMainFrame", menuRow.title);
    auto* menu = new QMenu(title, &window);
    menu->setObjectName(QString::fromLatin1(menuRow.objectName));
    menus_[menuRow.id] = menu;
    // Enable states are refreshed whenever a menu opens, as a menu's own
    // update pass would.
    connect(menu, &QMenu::aboutToShow, this, &CommandTable::UpdateStates);
  }
  std::vector<Entry> top;
  for (const MenuRow& menuRow : kMenus) {
    std::vector<Entry> entries;
    for (const CommandRow& row : rows_) {
      if (row.menu == menuRow.id && row.menuPlace.group >= 0) {
        entries.push_back({row.menuPlace, actions_[row.id], nullptr, nullptr, row.id});
      }
    }
    for (const MenuRow& sub : kMenus) {
      if (sub.parent == menuRow.id) entries.push_back({sub.place, nullptr, &sub, nullptr, 0});
    }
    QMenu* menu = menus_[menuRow.id];
    int group = -1;
    for (const Entry& e : Sorted(std::move(entries))) {
      if (group >= 0 && e.place.group != group) {
        QAction* separator = menu->addSeparator();
        if (e.id != 0) separatorsBefore_[e.id] = separator;
      }
      group = e.place.group;
      if (e.submenu) {
        menu->addMenu(menus_[e.submenu->id]);
      } else {
        menu->addAction(e.action);
      }
    }
    if (menuRow.parent == MenuId::kNone)
      top.push_back({menuRow.place, nullptr, &menuRow, nullptr, 0});
  }
  for (const Entry& e : Sorted(std::move(top))) window.menuBar()->addMenu(menus_[e.submenu->id]);

  std::vector<Entry> tools;
  for (const CommandRow& row : rows_) {
    if (row.toolPlace.group >= 0) tools.push_back({row.toolPlace, actions_[row.id]});
  }
  for (const auto& [widget, place] : toolWidgets_)
    tools.push_back({place, nullptr, nullptr, widget});
  int group = -1;
  for (const Entry& e : Sorted(std::move(tools))) {
    if (group >= 0 && e.place.group != group) toolBar.addSeparator();
    group = e.place.group;
    if (e.widget) {
      toolBar.addWidget(e.widget);
    } else {
      toolBar.addAction(e.action);
    }
  }
}

void CommandTable::UpdateStates() {
  emit aboutToUpdate();
  for (const CommandRow& row : rows_) {
    QAction* action = Action(row.id);
    if (!action) continue;
    if (row.enabled) action->setEnabled(row.enabled());
    if (row.checked) action->setChecked(row.checked());
  }
}

QAction* CommandTable::Action(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

QMenu* CommandTable::Menu(MenuId id) const {
  const auto it = menus_.find(id);
  return it == menus_.end() ? nullptr : it->second;
}

QAction* CommandTable::SeparatorBefore(int id) const {
  const auto it = separatorsBefore_.find(id);
  return it == separatorsBefore_.end() ? nullptr : it->second;
}

}  // namespace fernplot

// SPDX-License-Identifier: MIT
#pragma once
// The window's commands, each described once by the part that owns it: its
// id, text and prompt, shortcut, place in the menus and on the tool bar,
// handler, and when it is enabled and checked. The table makes the actions,
// menus and tool bar from the rows and sets every enable and check state.

#include <QIcon>
#include <QKeySequence>
#include <QObject>
#include <functional>
#include <map>
#include <string_view>
#include <vector>

#include "text/ui_text.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class QWidget;

namespace fernplot {

// The menus of the menu bar and their submenus.
enum class MenuId { kNone, kFile, kView, kZoom, kCompare, kSettings, kLanguage, kHelp };

// A place in a menu (or on the tool bar): rows sort by group, then order; a
// separator stands between groups.
struct Place {
  int group = -1;  // -1: not there
  int order = 0;
};

struct CommandRow {
  int id = 0;
  // Source texts of the "Commands" translation context; `prompt` is
  // "<status-bar prompt>\n<tool tip>". A literal text is never translated
  // (zoom steps, each language by its own name).
  std::string_view text;
  std::string_view prompt;
  bool literalText = false;
  QKeySequence shortcut;
  MenuId menu = MenuId::kNone;
  Place menuPlace;
  Place toolPlace;
  QIcon icon;
  bool checkable = false;
  // Rows with the same non-zero number are one exclusive choice.
  int exclusiveGroup = 0;
  std::function<void()> run;
  std::function<bool()> enabled;  // none: always enabled
  std::function<bool()> checked;  // none: the action keeps its own state
  // An action made by a widget itself (a dock's toggle), placed as it is.
  QAction* action = nullptr;
};

class CommandTable : public QObject {
  Q_OBJECT

 public:
  explicit CommandTable(QObject* parent = nullptr) : QObject(parent) {}

  void Add(CommandRow row);
  // A widget on the tool bar (the zoom box) among the commands.
  void AddToolWidget(QWidget* widget, Place place);

  // Makes the actions and builds the menu bar and the tool bar from the
  // rows; every menu refreshes the states when it opens.
  void Build(QMainWindow& window, QToolBar& toolBar);
  // Sets the enabled and checked state of every command.
  void UpdateStates();

  QAction* Action(int id) const;
  QMenu* Menu(MenuId id) const;
  // The separator a menu has before the command `id` (the recent files go
  // there, in the file menu before the exit command).
  QAction* SeparatorBefore(int id) const;
  const std::vector<CommandRow>& Rows() const { return rows_; }

 signals:
  // Asked before the states are set, so that the window can refresh
  // anything else a menu shows.
  void aboutToUpdate();

 private:
  QAction* MakeAction(CommandRow& row, QObject* owner);

  std::vector<CommandRow> rows_;
  std::vector<std::pair<QWidget*, Place>> toolWidgets_;
  std::map<int, QAction*> actions_;
  std::map<MenuId, QMenu*> menus_;
  std::map<int, QAction*> separatorsBefore_;
};

// A text of the command table in the program's language.
QString CommandTr(std::string_view source);

}  // namespace fernplot

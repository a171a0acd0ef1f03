// SPDX-License-Identifier: MIT
#include "propsheet/sheet_tabs.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace fernplot {

GuardedTabBar::GuardedTabBar(QWidget* parent) : QTabBar(parent) {}

bool GuardedTabBar::event(QEvent* e) {
  // Mnemonic shortcuts of the tab texts switch tabs without a key event.
  if (e->type() == QEvent::Shortcut && !mayLeave()) {
    e->accept();
    return true;
  }
  return QTabBar::event(e);
}

void GuardedTabBar::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) {
    const int target = tabAt(e->position().toPoint());
    if (target >= 0 && target != currentIndex() && isTabEnabled(target) && !mayLeave()) {
      e->accept();
      return;
    }
  }
  QTabBar::mousePressEvent(e);
}

void GuardedTabBar::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
      if (count() > 1 && !mayLeave()) {
        e->accept();
        return;
      }
      break;
    default:
      break;
  }
  QTabBar::keyPressEvent(e);
}

#if QT_CONFIG(wheelevent)
void GuardedTabBar::wheelEvent(QWheelEvent* e) {
  if (count() > 1 && !mayLeave()) {
    e->accept();
    return;
  }
  QTabBar::wheelEvent(e);
}
#endif

SheetTabWidget::SheetTabWidget(QWidget* parent)
    : QTabWidget(parent), bar_(new GuardedTabBar(this)) {
  setTabBar(bar_);
}

void SheetTabWidget::keyPressEvent(QKeyEvent* e) {
  const bool ctrl = e->modifiers() & Qt::ControlModifier;
  const bool switching = (ctrl && (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab ||
                                   e->key() == Qt::Key_PageUp || e->key() == Qt::Key_PageDown));
  if (switching && count() > 1 && !bar_->mayLeave()) {
    e->accept();
    return;
  }
  QTabWidget::keyPressEvent(e);
}

}  // namespace fernplot

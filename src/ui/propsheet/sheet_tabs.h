// SPDX-License-Identifier: MIT
#pragma once
// A tab widget whose user-driven tab changes first ask whether the active
// page may be left. A refused change never shows the other page, so a page
// that fails its check stays in front with the focus in the offending box.

#include <QTabBar>
#include <QTabWidget>
#include <functional>

namespace fernplot {

class GuardedTabBar : public QTabBar {
 public:
  explicit GuardedTabBar(QWidget* parent);
  void setLeaveCheck(std::function<bool()> check) { mayLeave_ = std::move(check); }
  bool mayLeave() const { return !mayLeave_ || mayLeave_(); }

 protected:
  bool event(QEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
#if QT_CONFIG(wheelevent)
  void wheelEvent(QWheelEvent* e) override;
#endif

 private:
  std::function<bool()> mayLeave_;
};

class SheetTabWidget : public QTabWidget {
 public:
  explicit SheetTabWidget(QWidget* parent);
  GuardedTabBar* guardedTabBar() const { return bar_; }

 protected:
  // Ctrl+Tab, Ctrl+PgUp/PgDn are handled by the tab widget itself.
  void keyPressEvent(QKeyEvent* e) override;

 private:
  GuardedTabBar* bar_;
};

}  // namespace fernplot

// SPDX-License-Identifier: MIT
#pragma once
// The figures panel: a dockable window beside the page listing the figures
// of the page on screen, as text that can be selected and copied, with the
// choice to mark them on the page.

#include <QDockWidget>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace fernplot {

struct GraphPage;

class FiguresDock : public QDockWidget {
  Q_OBJECT

 public:
  explicit FiguresDock(QWidget* parent);

  // Shows the figures of `page`; an empty panel without one.
  void ShowPage(const GraphPage* page);

  QPlainTextEdit* TextBox() const { return text_; }
  QCheckBox* ShowOnPageBox() const { return showOnPage_; }
  QPushButton* CopyButton() const { return copy_; }
  // Puts the whole text on the clipboard.
  void CopyText();

 signals:
  // The user turned the marks on the page on or off.
  void showOnPageToggled(bool on);

 private:
  QPlainTextEdit* text_ = nullptr;
  QCheckBox* showOnPage_ = nullptr;
  QPushButton* copy_ = nullptr;
};

}  // namespace fernplot

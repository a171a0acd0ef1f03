// SPDX-License-Identifier: MIT
#pragma once
// The figures panel: a dockable window beside the page listing the figures
// of the page on screen, as text that can be selected and copied, with the
// choice to mark them on the page.

#include <QDockWidget>

#include "text/ui_text.h"

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
  // Its figures in the language of `translator` (none: the source texts).
  void ShowPage(const GraphPage* page, const TextTranslator* translator = nullptr);

  QPlainTextEdit* TextBox() const { return text_; }
  QCheckBox* ShowOnPageBox() const { return showOnPage_; }
  QPushButton* CopyButton() const { return copy_; }
  // The panel's width that shows the longest line of its text whole, with
  // the box's frame, margins and a vertical scroll bar.
  int WidthForText() const;
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

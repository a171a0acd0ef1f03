// SPDX-License-Identifier: MIT
#include "propsheet/sheet_page.h"

#include <QLineEdit>

namespace fernplot {

SheetPage::SheetPage(const SheetServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {}

void SheetPage::ensureInitialised() {
  if (initialised_) return;
  initialised_ = true;
  initialisePage();
}

bool SheetPage::killActive() {
  if (initialised_) readControls();
  return true;
}

void SheetPage::showEvent(QShowEvent* e) {
  ensureInitialised();
  QWidget::showEvent(e);
}

void SheetPage::showMessage(const QString& text) {
  if (services_.showMessage) services_.showMessage(window(), text);
}

std::optional<Colour> SheetPage::chooseColour(Colour initial) {
  if (!services_.chooseColour) return std::nullopt;
  return services_.chooseColour(window(), initial);
}

void SheetPage::focusBox(QLineEdit* box) {
  box->setFocus(Qt::TabFocusReason);
  box->selectAll();
}

}  // namespace fernplot

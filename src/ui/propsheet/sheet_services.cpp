// SPDX-License-Identifier: MIT
#include "propsheet/sheet_services.h"

#include <QColor>
#include <QColorDialog>
#include <QMessageBox>

#include "qt_convert.h"

namespace fernplot {

SheetServices DesktopSheetServices() {
  SheetServices s;
  s.showMessage = [](QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("FERNPLOT"), text);
  };
  s.chooseColour = [](QWidget* parent, Colour initial) -> std::optional<Colour> {
    const QColor chosen = QColorDialog::getColor(ToQColor(initial), parent);
    if (!chosen.isValid()) return std::nullopt;
    return FromQColor(chosen);
  };
  return s;
}

}  // namespace fernplot

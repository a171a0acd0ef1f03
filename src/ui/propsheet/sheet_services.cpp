#include "propsheet/sheet_services.h"

#include <QColor>
#include <QColorDialog>
#include <QMessageBox>

namespace fernplot {

QColor ToQColor(Colour c) {
  return QColor(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)),
                static_cast<int>(BlueOf(c)));
}

Colour FromQColor(const QColor& c) {
  return Rgb(static_cast<unsigned>(c.red()), static_cast<unsigned>(c.green()),
             static_cast<unsigned>(c.blue()));
}

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

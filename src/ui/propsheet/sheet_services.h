// SPDX-License-Identifier: MIT
#pragma once
// The two modal services the property sheet needs from the desktop: the
// information box of a refused entry and the colour chooser. They are held
// by the sheet (not global) so tests can capture messages and answer colour
// requests without a modal loop.

#include <QString>
#include <functional>
#include <optional>

#include "props/graph_properties.h"

class QWidget;

namespace fernplot {

struct SheetServices {
  // Shows `text` in an information box titled "FERNPLOT" with an OK button.
  std::function<void(QWidget* parent, const QString& text)> showMessage;
  // Opens the colour chooser on `initial`; nothing when the user cancels.
  std::function<std::optional<Colour>(QWidget* parent, Colour initial)> chooseColour;
};

// QMessageBox::information and QColorDialog::getColor.
SheetServices DesktopSheetServices();

}  // namespace fernplot

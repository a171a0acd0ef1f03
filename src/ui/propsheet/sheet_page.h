// SPDX-License-Identifier: MIT
#pragma once
// Common behaviour of the property sheet's pages: the controls are filled
// from the page's fields the first time the page is shown; leaving the page
// (another tab, or OK) reads them back. A page that was never shown keeps
// the values it was loaded with and is never checked.

#include <QWidget>

#include "propsheet/sheet_services.h"

class QLineEdit;

namespace fernplot {

class SheetPage : public QWidget {
 public:
  SheetPage(const SheetServices& services, QWidget* parent);

  bool isInitialised() const { return initialised_; }
  // Forces the first-show initialisation (the sheet calls it for the page it
  // opens on; tests may call it without showing anything).
  void ensureInitialised();

  // Called before the sheet lets another tab come up or closes with OK.
  // Returns false to keep this page in front.
  virtual bool killActive();

 protected:
  virtual void initialisePage() = 0;
  // Copies the control contents into the page's fields.
  virtual void readControls() = 0;

  void showEvent(QShowEvent* e) override;

  void showMessage(const QString& text);
  std::optional<Colour> chooseColour(Colour initial);
  // Puts the focus into `box` as the Tab key does: its whole text selected.
  static void focusBox(QLineEdit* box);

 private:
  SheetServices services_;
  bool initialised_ = false;
};

}  // namespace fernplot

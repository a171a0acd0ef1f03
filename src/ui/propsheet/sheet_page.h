// SPDX-License-Identifier: MIT
#pragma once
// Common behaviour of the property sheet's pages: the controls are filled
// from the page's fields the first time the page is shown; leaving the page
// (another tab, or OK) reads them back. A page that was never shown keeps
// the values it was loaded with and is never checked.

#include <QCoreApplication>
#include <QWidget>

#include "propsheet/sheet_services.h"

class QLineEdit;

namespace fernplot {

// A text of the property sheet marked elsewhere (a table entry), in the
// program's language. Every text of the sheet is in this one context.
inline QString SheetText(const char* source) {
  return QCoreApplication::translate("PropertySheet", source);
}

class SheetPage : public QWidget {
  Q_DECLARE_TR_FUNCTIONS(PropertySheet)

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

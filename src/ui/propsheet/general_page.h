// SPDX-License-Identifier: MIT
#pragma once
// CPropGeneral, the "全般" tab: graph title, the ratio computed from raw
// data, the background colour and the colour and print weight of the two
// curves.

#include <QFrame>
#include <QPushButton>
#include <array>
#include <string>

#include "analysis/delay_aperture.h"
#include "propsheet/sheet_page.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QRadioButton;

namespace fernplot {

struct GeneralPageValues {
  std::string title;
  // 0 CH1/CH2, 1 CH2/CH1; -1 on entry for a page of calculated data, where
  // the choice does not apply.
  int calcType = 0;
  Colour backgroundColor = 0;
  Colour gainLineColor = 0;
  Colour phaseLineColor = 0;
  bool gainBoldOnPrint = false;
  bool phaseBoldOnPrint = false;
  int rightAxis = 0;  // a RightAxisQuantity
  bool marginReferenceZero = false;
  // The loop reading of the page: view, curve shown, Nyquist radius (0 fits
  // every point) and whether it is a loop measurement (loop_kinds.h).
  int view = 0;
  int loopCurve = 0;
  double nyquistRadius = 2.0;
  int loopJudgement = 0;
  DelayAperture delayAperture;
  bool nicholsContours = true;
  double shuntOhms = 0.0;  // 0: no shunt

  bool operator==(const GeneralPageValues&) const = default;
};

// The background button: a push button showing the colour inside its frame.
class ColourButton : public QPushButton {
 public:
  explicit ColourButton(QWidget* parent);
  void setColour(Colour c);
  Colour colour() const { return colour_; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  Colour colour_ = 0;
};

// A sunken white box with one 2-pixel line of the curve's colour across it.
class LineSwatch : public QFrame {
 public:
  explicit LineSwatch(QWidget* parent);
  void setColour(Colour c);
  Colour colour() const { return colour_; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  Colour colour_ = 0;
};

class CPropGeneral final : public SheetPage {
  Q_DECLARE_TR_FUNCTIONS(PropertySheet)

 public:
  CPropGeneral(const SheetServices& services, QWidget* parent);

  const GeneralPageValues& values() const { return v_; }
  void setValues(const GeneralPageValues& values) { v_ = values; }

  QLineEdit* titleBox() const { return title_; }
  QRadioButton* calcButton(int type) const { return type == 0 ? ch1ch2_ : ch2ch1_; }
  ColourButton* backgroundButton() const { return background_; }
  QPushButton* gainColourButton() const { return gainColour_; }
  QPushButton* phaseColourButton() const { return phaseColour_; }
  LineSwatch* gainSwatch() const { return gainSwatch_; }
  LineSwatch* phaseSwatch() const { return phaseSwatch_; }
  QCheckBox* gainBoldBox() const { return gainBold_; }
  QCheckBox* phaseBoldBox() const { return phaseBold_; }
  QRadioButton* rightAxisButton(int quantity) const;
  QRadioButton* marginReferenceButton(bool zero) const { return zero ? refZero_ : ref180_; }
  QComboBox* viewBox() const { return view_; }
  QComboBox* loopCurveBox() const { return loopCurve_; }
  QDoubleSpinBox* nyquistRadiusBox() const { return radius_; }
  QComboBox* loopJudgementBox() const { return judgement_; }
  // The group delay's aperture: its width and its unit (points, octave);
  // enabled while the right axis shows the group delay.
  QLineEdit* apertureBox() const { return aperture_; }
  QComboBox* apertureUnitList() const { return apertureUnit_; }

  // An aperture that cannot be used gets the sheet's message.
  bool killActive() override;
  QCheckBox* nicholsContoursBox() const { return contours_; }
  // The shunt's ohms; empty for none.
  QLineEdit* shuntBox() const { return shunt_; }

 protected:
  void initialisePage() override;
  void readControls() override;

 private:
  void writeControls();
  void pickColour(Colour& field);

  GeneralPageValues v_;
  QLineEdit* title_ = nullptr;
  QRadioButton* ch1ch2_ = nullptr;
  QRadioButton* ch2ch1_ = nullptr;
  ColourButton* background_ = nullptr;
  QPushButton* gainColour_ = nullptr;
  LineSwatch* gainSwatch_ = nullptr;
  QCheckBox* gainBold_ = nullptr;
  QPushButton* phaseColour_ = nullptr;
  LineSwatch* phaseSwatch_ = nullptr;
  QCheckBox* phaseBold_ = nullptr;
  std::array<QRadioButton*, kRightAxisQuantityCount> right_{};
  QRadioButton* ref180_ = nullptr;
  QRadioButton* refZero_ = nullptr;
  QComboBox* view_ = nullptr;
  QComboBox* loopCurve_ = nullptr;
  QDoubleSpinBox* radius_ = nullptr;
  QComboBox* judgement_ = nullptr;
  QCheckBox* contours_ = nullptr;
  double shownRadius_ = 0.0;
  QLineEdit* aperture_ = nullptr;
  QComboBox* apertureUnit_ = nullptr;
  QLineEdit* shunt_ = nullptr;
  QString shownShunt_;  // the text written, so that an unchanged box keeps every digit
};

}  // namespace fernplot

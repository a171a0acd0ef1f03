// SPDX-License-Identifier: MIT
#pragma once
// The three axis tabs: CPropFreq (bottom, frequency), CPropGain (left, gain)
// and CPropPhase (right, phase). They share the controls, the click
// reactions and the check run when the tab is left; the frequency page reads
// its limits with engineering multipliers and lets the scale type be chosen,
// the vertical pages are linear only and have the normal/tight pair.

#include <QString>
#include <array>
#include <optional>
#include <string>

#include "graph/shown_limits.h"
#include "props/graph_properties.h"
#include "propsheet/sheet_page.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace fernplot {

enum class AxisKind { Frequency, Gain, Phase };

// The place of a scale type's radio button, also its id in the button group.
constexpr size_t ScaleIndex(ScaleType type) {
  return static_cast<size_t>(type);
}

// The page's own copy of one AxisSettings record.
struct AxisPageValues {
  std::string caption;
  bool gridLines = false;
  int scaleType = 0;  // a ScaleType's number
  bool useDataMin = false;
  bool useDataMax = false;
  bool autoDivision = false;
  int tight = 0;  // vertical pages only
  float length = 0.0f;
  float margin1 = 0.0f;
  float margin2 = 0.0f;
  double rangeMin = 0.0;
  double rangeMax = 0.0;
  double interval = 0.0;

  bool operator==(const AxisPageValues&) const = default;
};

class AxisPage : public SheetPage {
  Q_DECLARE_TR_FUNCTIONS(PropertySheet)

 public:
  AxisPage(AxisKind kind, const SheetServices& services, QWidget* parent);

  AxisKind kind() const { return kind_; }
  bool isFrequency() const { return kind_ == AxisKind::Frequency; }

  const AxisPageValues& values() const { return v_; }
  void setValues(const AxisPageValues& values) { v_ = values; }

  // The limits the page on screen was drawn with: unticking "use the data's
  // limit" puts the drawn one in the box to start from. None: the box is
  // left empty.
  void setShownLimits(std::optional<AxisEnds> shown) { shown_ = shown; }

  // Checks every box in order; the first failure shows its message, puts
  // the focus into the box and keeps the page in front.
  bool killActive() override;

  // Controls, for the sheet and for tests.
  QLineEdit* captionBox() const { return caption_; }
  QCheckBox* gridLinesBox() const { return grid_; }
  QRadioButton* scaleButton(ScaleType type) const { return scale_[ScaleIndex(type)]; }
  QLineEdit* lengthBox() const { return length_; }
  QLineEdit* margin1Box() const { return margin1_; }
  QLineEdit* margin2Box() const { return margin2_; }
  QLineEdit* lowerBox() const { return lower_; }
  QLineEdit* upperBox() const { return upper_; }
  QLineEdit* intervalBox() const { return interval_; }
  QCheckBox* useDataMinBox() const { return useMin_; }
  QCheckBox* useDataMaxBox() const { return useMax_; }
  QCheckBox* autoDivisionBox() const { return auto_; }
  // Null on the frequency page.
  QRadioButton* tightButton(int tight) const { return tight_[static_cast<size_t>(tight)]; }
  // The phase page's range list, which stays empty; null elsewhere.
  QComboBox* phaseRangeList() const { return phaseRange_; }

 protected:
  void initialisePage() override;
  void readControls() override;
  void writeControls();

 private:
  void buildControls();

  void onUseDataMin();
  void onUseDataMax();
  void onAutoDivision();
  void onScaleAutoOrLog();
  void onScaleLin();
  void autoDivisionReaction();
  void useDataLimitReaction(bool useData, QLineEdit* box, std::string& text, double& limit);
  // After a click that gives a limit back to the user: the drawn limit in
  // its empty box.
  void fillShownLimit(bool upper);

  double parseLimit(std::string& text) const;
  std::string formatLimit(double value) const;
  bool fail(int message, QLineEdit* box);

  AxisKind kind_;
  AxisPageValues v_;
  std::optional<AxisEnds> shown_;
  std::string lengthText_, margin1Text_, margin2Text_, lowerText_, upperText_, intervalText_;

  QLineEdit* caption_ = nullptr;
  QCheckBox* grid_ = nullptr;
  QButtonGroup* scaleGroup_ = nullptr;
  std::array<QRadioButton*, 3> scale_{};
  QLineEdit* length_ = nullptr;
  QLineEdit* margin1_ = nullptr;
  QLineEdit* margin2_ = nullptr;
  QLineEdit* lower_ = nullptr;
  QLineEdit* upper_ = nullptr;
  QLineEdit* interval_ = nullptr;
  QCheckBox* useMin_ = nullptr;
  QCheckBox* useMax_ = nullptr;
  QCheckBox* auto_ = nullptr;
  QButtonGroup* tightGroup_ = nullptr;
  std::array<QRadioButton*, 2> tight_{};
  QComboBox* phaseRange_ = nullptr;
};

class CPropFreq final : public AxisPage {
 public:
  CPropFreq(const SheetServices& services, QWidget* parent)
      : AxisPage(AxisKind::Frequency, services, parent) {}
};

// Gain and phase pages differ only in their labels.
class CPropGain final : public AxisPage {
 public:
  CPropGain(const SheetServices& services, QWidget* parent)
      : AxisPage(AxisKind::Gain, services, parent) {}
};

class CPropPhase final : public AxisPage {
 public:
  CPropPhase(const SheetServices& services, QWidget* parent)
      : AxisPage(AxisKind::Phase, services, parent) {}
};

}  // namespace fernplot

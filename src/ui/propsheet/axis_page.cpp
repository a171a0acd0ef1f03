// SPDX-License-Identifier: MIT
// Behaviour of the axis tabs: filling the boxes, the click reactions and the
// check run when the tab is left.

#include "propsheet/axis_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "graph/axis_math.h"
#include "propsheet/axis_page_texts.h"
#include "qt_convert.h"
#include "text/encoding.h"
#include "text/number_entry.h"

namespace fernplot {
namespace {

void SetBoxText(QLineEdit* box, const std::string& utf8) {
  const QString text = QStringFromUtf8(utf8);
  // Leave an unchanged box alone so its selection survives.
  if (box->text() != text) box->setText(text);
}

std::string BoxText(const QLineEdit* box) {
  return box->text().toStdString();
}

void CheckRadio(QButtonGroup* group, int id) {
  QAbstractButton* b = group->button(id);
  if (b) {
    b->setChecked(true);
    return;
  }
  // A stored value with no button: show none checked.
  group->setExclusive(false);
  for (QAbstractButton* each : group->buttons()) each->setChecked(false);
  group->setExclusive(true);
}

}  // namespace

AxisPage::AxisPage(AxisKind kind, const SheetServices& services, QWidget* parent)
    : SheetPage(services, parent), kind_(kind) {
  buildControls();
  connect(useMin_, &QCheckBox::clicked, this, [this] {
    onUseDataMin();
    fillShownLimit(false);
  });
  connect(useMax_, &QCheckBox::clicked, this, [this] {
    onUseDataMax();
    fillShownLimit(true);
  });
  connect(auto_, &QCheckBox::clicked, this, [this] { onAutoDivision(); });
  if (isFrequency()) {
    connect(scale_[ScaleIndex(ScaleType::kAuto)], &QRadioButton::clicked, this,
            [this] { onScaleAutoOrLog(); });
    connect(scale_[ScaleIndex(ScaleType::kLog)], &QRadioButton::clicked, this,
            [this] { onScaleAutoOrLog(); });
    connect(scale_[ScaleIndex(ScaleType::kLin)], &QRadioButton::clicked, this,
            [this] { onScaleLin(); });
  }
}

double AxisPage::parseLimit(std::string& text) const {
  return isFrequency() ? ParseFrequency(text) : ParseNumber(text);
}

std::string AxisPage::formatLimit(double value) const {
  return isFrequency() ? FormatFrequencyEntry(value) : FormatEntryG(value);
}

void AxisPage::initialisePage() {
  lengthText_ = FormatEntryG(v_.length);
  margin1Text_ = FormatEntryG(v_.margin1);
  margin2Text_ = FormatEntryG(v_.margin2);
  lowerText_ = formatLimit(v_.rangeMin);
  upperText_ = formatLimit(v_.rangeMax);
  intervalText_ = formatLimit(v_.interval);
  if (isFrequency()) {
    // The tick interval only applies to a linear frequency axis.
    const bool lin = v_.scaleType == static_cast<int>(ScaleType::kLin);
    auto_->setEnabled(lin);
    interval_->setEnabled(!lin);
  }
  writeControls();
  onUseDataMin();
  onUseDataMax();
  onAutoDivision();  // decides the final state of the interval box
  focusBox(caption_);
}

void AxisPage::readControls() {
  v_.caption = caption_->text().toStdString();
  v_.gridLines = grid_->isChecked();
  if (scaleGroup_->checkedId() >= 0) v_.scaleType = scaleGroup_->checkedId();
  v_.useDataMin = useMin_->isChecked();
  v_.useDataMax = useMax_->isChecked();
  v_.autoDivision = auto_->isChecked();
  lengthText_ = BoxText(length_);
  margin1Text_ = BoxText(margin1_);
  margin2Text_ = BoxText(margin2_);
  lowerText_ = BoxText(lower_);
  upperText_ = BoxText(upper_);
  intervalText_ = BoxText(interval_);
  if (tightGroup_ && tightGroup_->checkedId() >= 0) v_.tight = tightGroup_->checkedId();
}

void AxisPage::writeControls() {
  SetBoxText(caption_, CutToCp932Bytes(v_.caption, kCaptionBytes));
  grid_->setChecked(v_.gridLines);
  CheckRadio(scaleGroup_, v_.scaleType);
  useMin_->setChecked(v_.useDataMin);
  useMax_->setChecked(v_.useDataMax);
  auto_->setChecked(v_.autoDivision);
  SetBoxText(length_, lengthText_);
  SetBoxText(margin1_, margin1Text_);
  SetBoxText(margin2_, margin2Text_);
  SetBoxText(lower_, lowerText_);
  SetBoxText(upper_, upperText_);
  SetBoxText(interval_, intervalText_);
  if (tightGroup_) CheckRadio(tightGroup_, v_.tight);
}

void AxisPage::onUseDataMin() {
  readControls();
  useDataLimitReaction(v_.useDataMin, lower_, lowerText_, v_.rangeMin);
}

void AxisPage::onUseDataMax() {
  readControls();
  useDataLimitReaction(v_.useDataMax, upper_, upperText_, v_.rangeMax);
}

// Taking a limit from the data empties and locks its box; giving it back
// puts the caret there.
void AxisPage::useDataLimitReaction(bool useData, QLineEdit* box, std::string& text,
                                    double& limit) {
  box->setEnabled(!useData);
  if (useData) {
    text.clear();
    limit = 0.0;
  }
  writeControls();
  if (!useData) focusBox(box);
}

void AxisPage::fillShownLimit(bool upper) {
  if (!shown_) return;
  if (upper ? v_.useDataMax : v_.useDataMin) return;
  std::string& text = upper ? upperText_ : lowerText_;
  if (!text.empty()) return;
  text = formatLimit(upper ? shown_->hi : shown_->lo);
  writeControls();
  focusBox(upper ? upper_ : lower_);
}

void AxisPage::onAutoDivision() {
  readControls();
  autoDivisionReaction();
}

void AxisPage::autoDivisionReaction() {
  interval_->setEnabled(!v_.autoDivision);
  if (tightGroup_) {
    // Tight fitting is a choice of the automatic distribution.
    tight_[0]->setEnabled(v_.autoDivision);
    tight_[1]->setEnabled(v_.autoDivision);
  }
  if (v_.autoDivision) {
    intervalText_.clear();
    v_.interval = 0.0;
  }
  writeControls();
  if (!v_.autoDivision) focusBox(interval_);
}

void AxisPage::onScaleAutoOrLog() {
  readControls();
  // The interval value is kept; it only matters again on a linear axis.
  auto_->setEnabled(false);
  interval_->setEnabled(false);
  writeControls();
}

void AxisPage::onScaleLin() {
  readControls();
  auto_->setEnabled(true);
  autoDivisionReaction();
}

bool AxisPage::fail(int message, QLineEdit* box) {
  showMessage(AxisMessageText(TextsOf(kind_).messages[static_cast<size_t>(message)]));
  focusBox(box);
  return false;
}

bool AxisPage::killActive() {
  if (!isInitialised()) return true;
  const float minimum = TextsOf(kind_).minimumLength;
  readControls();

  // Lengths and margins: plain numbers, kept in single precision.
  struct Dimension {
    std::string& text;
    float& value;
    int message;
    QLineEdit* box;
  };
  const Dimension dims[] = {{lengthText_, v_.length, kMsgLength, length_},
                            {margin1Text_, v_.margin1, kMsgMargin1, margin1_},
                            {margin2Text_, v_.margin2, kMsgMargin2, margin2_}};
  for (const Dimension& d : dims) {
    const double parsed = ParseNumber(d.text);
    if (IsInvalidEntry(parsed) || parsed < 0.0) return fail(d.message, d.box);
    d.value = static_cast<float>(parsed);
    d.text = FormatEntryG(d.value);
    writeControls();
  }
  if (v_.length < minimum || v_.length > kMaxAxisLengthMm) return fail(kMsgLengthRange, length_);
  if (v_.length - v_.margin1 - v_.margin2 < minimum) {
    return fail(kMsgGraphArea, v_.margin1 > 0.0f ? margin1_ : margin2_);
  }

  if (!v_.useDataMax) {
    const double upper = parseLimit(upperText_);
    if (IsInvalidEntry(upper)) return fail(kMsgUpper, upper_);
    v_.rangeMax = upper;
    upperText_ = formatLimit(upper);
  }
  writeControls();
  if (!v_.useDataMin) {
    const double lower = parseLimit(lowerText_);
    if (IsInvalidEntry(lower)) return fail(kMsgLower, lower_);
    v_.rangeMin = lower;
    lowerText_ = formatLimit(lower);
  }
  writeControls();
  if (!v_.autoDivision) {
    const double interval = parseLimit(intervalText_);
    if (IsInvalidEntry(interval) || interval <= 0.0) return fail(kMsgInterval, interval_);
    v_.interval = interval;
    intervalText_ = formatLimit(interval);
  }
  writeControls();

  if (!v_.useDataMin && !v_.useDataMax && v_.rangeMin >= v_.rangeMax) {
    return fail(kMsgRangeOrder, lower_);
  }
  if (!v_.autoDivision && !v_.useDataMin && !v_.useDataMax &&
      IntervalTooLarge(v_.rangeMax, v_.rangeMin, v_.interval)) {
    focusBox(lower_);
    fail(kMsgIntervalTooLarge, interval_);
    return false;
  }
  readControls();
  return true;
}

QString AxisMessageText(const char* message) {
  return SheetText(message);
}

}  // namespace fernplot

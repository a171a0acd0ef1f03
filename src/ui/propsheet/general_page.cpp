// SPDX-License-Identifier: MIT
#include "propsheet/general_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/view_rows.h"
#include "propsheet/cp932_limit.h"
#include "qt_convert.h"
#include "text/encoding.h"

namespace fernplot {
namespace {}  // namespace

ColourButton::ColourButton(QWidget* parent) : QPushButton(parent) {
  setMinimumSize(72, 36);
}

void ColourButton::setColour(Colour c) {
  colour_ = c;
  update();
}

void ColourButton::paintEvent(QPaintEvent* /*e*/) {
  QStylePainter p(this);
  QStyleOptionButton opt;
  initStyleOption(&opt);
  opt.text.clear();
  p.drawControl(QStyle::CE_PushButton, opt);
  // Frame, focus mark, then the colour 5 pixels inside the button edge.
  QRect r = rect().adjusted(3, 3, -3, -3);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = r;
    p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
  r.adjust(2, 2, -2, -2);
  p.fillRect(r, ToQColor(colour_));
}

LineSwatch::LineSwatch(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setMinimumSize(60, 18);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
}

void LineSwatch::setColour(Colour c) {
  colour_ = c;
  update();
}

void LineSwatch::paintEvent(QPaintEvent* e) {
  QFrame::paintEvent(e);
  QPainter p(this);
  const QRect area = contentsRect();
  QPen pen(ToQColor(colour_), 2, Qt::SolidLine, Qt::FlatCap);
  p.setPen(pen);
  const int y = area.top() + area.height() / 2;
  p.drawLine(area.left() + 4, y, area.right() + 1 - 4, y);
}

CPropGeneral::CPropGeneral(const SheetServices& services, QWidget* parent)
    : SheetPage(services, parent) {
  auto* top = new QVBoxLayout(this);
  auto* titleRow = new QHBoxLayout;
  titleRow->addWidget(new QLabel(tr("ｸﾞﾗﾌのﾀｲﾄﾙ："), this));
  title_ = new QLineEdit(this);
  title_->setValidator(new Cp932LimitValidator(kTitleBytes, title_));
  titleRow->addWidget(title_, 1);
  top->addLayout(titleRow);

  auto* upper = new QHBoxLayout;
  auto* calcBox = new QGroupBox(tr("生ﾃﾞｰﾀの演算のﾀｲﾌﾟ"), this);
  auto* calcLayout = new QVBoxLayout(calcBox);
  ch1ch2_ = new QRadioButton(QStringLiteral("CH1/CH2"), calcBox);
  ch2ch1_ = new QRadioButton(QStringLiteral("CH2/CH1"), calcBox);
  auto* calcGroup = new QButtonGroup(this);
  calcGroup->addButton(ch1ch2_, 0);
  calcGroup->addButton(ch2ch1_, 1);
  calcLayout->addWidget(ch1ch2_);
  calcLayout->addWidget(ch2ch1_);
  upper->addWidget(calcBox, 1);

  auto* backBox = new QGroupBox(tr("ｸﾞﾗﾌの背景色"), this);
  auto* backLayout = new QHBoxLayout(backBox);
  background_ = new ColourButton(backBox);
  backLayout->addWidget(background_);
  backLayout->addStretch(1);
  upper->addWidget(backBox, 1);
  top->addLayout(upper);

  auto lineGroup = [this, top](const char* caption, QPushButton*& button, LineSwatch*& swatch,
                               QCheckBox*& bold) {
    auto* box = new QGroupBox(SheetText(caption), this);
    auto* row = new QHBoxLayout(box);
    row->addWidget(new QLabel(tr("表示色："), box));
    swatch = new LineSwatch(box);
    row->addWidget(swatch, 1);
    button = new QPushButton(QStringLiteral("..."), box);
    button->setMaximumWidth(40);
    row->addWidget(button);
    bold = new QCheckBox(tr("印刷時太線"), box);
    row->addWidget(bold);
    top->addWidget(box);
  };
  lineGroup(QT_TRANSLATE_NOOP("PropertySheet", "ゲインの線"), gainColour_, gainSwatch_, gainBold_);
  lineGroup(QT_TRANSLATE_NOOP("PropertySheet", "位相の線"), phaseColour_, phaseSwatch_, phaseBold_);

  // What the right axis shows, and what phase margins are read against.
  auto* lower = new QHBoxLayout;
  auto* rightBox = new QGroupBox(tr("右軸の表示"), this);
  auto* rightLayout = new QHBoxLayout(rightBox);
  auto* rightGroup = new QButtonGroup(this);
  static constexpr const char* kRightTexts[kRightAxisQuantityCount] = {
      QT_TRANSLATE_NOOP("PropertySheet", "位相"), QT_TRANSLATE_NOOP("PropertySheet", "連続位相"),
      QT_TRANSLATE_NOOP("PropertySheet", "群遅延")};
  for (int i = 0; i < kRightAxisQuantityCount; ++i) {
    right_[static_cast<size_t>(i)] = new QRadioButton(SheetText(kRightTexts[i]), rightBox);
    rightGroup->addButton(right_[static_cast<size_t>(i)], i);
    rightLayout->addWidget(right_[static_cast<size_t>(i)]);
  }
  rightLayout->addSpacing(8);
  rightLayout->addWidget(new QLabel(tr("平滑化："), rightBox));
  aperture_ = new QLineEdit(rightBox);
  aperture_->setObjectName(QStringLiteral("delayAperture"));
  aperture_->setMaximumWidth(60);
  rightLayout->addWidget(aperture_);
  apertureUnit_ = new QComboBox(rightBox);
  apertureUnit_->setObjectName(QStringLiteral("delayApertureUnit"));
  apertureUnit_->addItem(tr("点"));
  apertureUnit_->addItem(tr("ｵｸﾀｰﾌﾞ"));
  rightLayout->addWidget(apertureUnit_);
  const QString apertureTip =
      tr("群遅延を求める幅: 隣り合う点 (1 点) から広げるほど雑音が平らになります");
  aperture_->setToolTip(apertureTip);
  apertureUnit_->setToolTip(apertureTip);
  connect(right_[kRightGroupDelay], &QRadioButton::toggled, this, [this](bool delay) {
    aperture_->setEnabled(delay);
    apertureUnit_->setEnabled(delay);
  });
  lower->addWidget(rightBox, 3);
  auto* refBox = new QGroupBox(tr("位相余裕の基準"), this);
  auto* refLayout = new QHBoxLayout(refBox);
  ref180_ = new QRadioButton(QStringFromUtf8("-180°"), refBox);
  refZero_ = new QRadioButton(QStringFromUtf8("0°"), refBox);
  auto* refGroup = new QButtonGroup(this);
  refGroup->addButton(ref180_, 0);
  refGroup->addButton(refZero_, 1);
  refLayout->addWidget(ref180_);
  refLayout->addWidget(refZero_);
  lower->addWidget(refBox, 2);
  top->addLayout(lower);

  // The page read as a loop gain.
  auto* loopBox = new QGroupBox(tr("ﾙｰﾌﾟ"), this);
  auto* loopLayout = new QGridLayout(loopBox);
  const auto combo = [loopBox](std::initializer_list<const char*> texts) {
    auto* box = new QComboBox(loopBox);
    for (const char* text : texts) box->addItem(SheetText(text));
    return box;
  };
  view_ = new QComboBox(loopBox);
  for (const ViewRow& row : kViewRows) view_->addItem(SheetText(row.sheetText));
  loopCurve_ = combo({QT_TRANSLATE_NOOP("PropertySheet", "ﾙｰﾌﾟ ｹﾞｲﾝ L"),
                      QT_TRANSLATE_NOOP("PropertySheet", "閉ﾙｰﾌﾟ T"),
                      QT_TRANSLATE_NOOP("PropertySheet", "感度 S")});
  judgement_ =
      combo({QT_TRANSLATE_NOOP("PropertySheet", "自動"), QT_TRANSLATE_NOOP("PropertySheet", "はい"),
             QT_TRANSLATE_NOOP("PropertySheet", "いいえ")});
  radius_ = new QDoubleSpinBox(loopBox);
  radius_->setRange(0.0, 1e6);
  radius_->setDecimals(3);
  radius_->setSingleStep(0.5);
  // 0 fits every point of the curve.
  radius_->setSpecialValueText(tr("全点"));
  loopLayout->addWidget(new QLabel(tr("表示："), loopBox), 0, 0);
  loopLayout->addWidget(view_, 0, 1);
  loopLayout->addWidget(new QLabel(tr("ｶｰﾌﾞ："), loopBox), 0, 2);
  loopLayout->addWidget(loopCurve_, 0, 3);
  loopLayout->addWidget(new QLabel(tr("ﾅｲｷｽﾄ半径："), loopBox), 1, 0);
  loopLayout->addWidget(radius_, 1, 1);
  loopLayout->addWidget(new QLabel(tr("ﾙｰﾌﾟ測定："), loopBox), 1, 2);
  loopLayout->addWidget(judgement_, 1, 3);
  contours_ = new QCheckBox(tr("ﾆｺﾙｽ線図の M 等高線"), loopBox);
  loopLayout->addWidget(contours_, 2, 0, 1, 4);
  top->addWidget(loopBox);

  // Channel 2 across a shunt: the page shows the impedance.
  auto* shuntRow = new QHBoxLayout;
  shuntRow->addWidget(new QLabel(tr("ｼｬﾝﾄ抵抗："), this));
  shunt_ = new QLineEdit(this);
  shunt_->setObjectName(QStringLiteral("shuntOhms"));
  shunt_->setMaximumWidth(90);
  shunt_->setToolTip(tr("CH2 をこの抵抗 (Ω) の両端で測ると、ｲﾝﾋﾟｰﾀﾞﾝｽ Z = R・H を表示します。"
                        "空欄: なし"));
  shuntRow->addWidget(shunt_);
  shuntRow->addWidget(new QLabel(QStringFromUtf8("\u03A9"), this));
  shuntRow->addStretch(1);
  top->addLayout(shuntRow);
  top->addStretch(1);

  connect(background_, &QPushButton::clicked, this, [this] { pickColour(v_.backgroundColor); });
  connect(gainColour_, &QPushButton::clicked, this, [this] { pickColour(v_.gainLineColor); });
  connect(phaseColour_, &QPushButton::clicked, this, [this] { pickColour(v_.phaseLineColor); });
}

void CPropGeneral::initialisePage() {
  if (v_.calcType < 0) {
    // Calculated data already carries its ratio.
    v_.calcType = 0;
    ch1ch2_->setEnabled(false);
    ch2ch1_->setEnabled(false);
  }
  writeControls();
  title_->setFocus(Qt::TabFocusReason);
  title_->selectAll();
}

void CPropGeneral::readControls() {
  v_.title = title_->text().toStdString();
  if (ch1ch2_->isChecked()) {
    v_.calcType = 0;
  } else if (ch2ch1_->isChecked() && v_.calcType <= 0) {
    // Any other nonzero stored value already means CH2/CH1; keep it.
    v_.calcType = 1;
  }
  v_.gainBoldOnPrint = gainBold_->isChecked();
  v_.phaseBoldOnPrint = phaseBold_->isChecked();
  for (int i = 0; i < kRightAxisQuantityCount; ++i) {
    if (right_[static_cast<size_t>(i)]->isChecked()) v_.rightAxis = i;
  }
  v_.marginReferenceZero = refZero_->isChecked();
  v_.view = view_->currentIndex();
  v_.loopCurve = loopCurve_->currentIndex();
  // Only a radius the user changed: the box keeps fewer digits than the
  // settings file may hold.
  if (radius_->value() != shownRadius_) v_.nyquistRadius = radius_->value();
  v_.loopJudgement = judgement_->currentIndex();
  v_.nicholsContours = contours_->isChecked();
}

bool CPropGeneral::killActive() {
  if (!isInitialised()) return true;
  readControls();
  const QString shunt = shunt_->text().trimmed();
  if (shunt != shownShunt_) {
    bool read = true;
    const double ohms = shunt.isEmpty() ? 0.0 : QLocale::c().toDouble(shunt, &read);
    if (!read || (!shunt.isEmpty() && !IsShuntOhms(ohms))) {
      showMessage(tr("ｼｬﾝﾄ抵抗が不正です。\n\n0 より大きい値 (Ω) にするか、空欄にしてください。"));
      focusBox(shunt_);
      return false;
    }
    v_.shuntOhms = ohms;
  }
  if (!aperture_->isEnabled()) return true;
  bool ok = false;
  const double width = QLocale::c().toDouble(aperture_->text().trimmed(), &ok);
  const DelayAperture read{static_cast<ApertureUnit>(std::max(apertureUnit_->currentIndex(), 0)),
                           width};
  if (!ok || !UsableAperture(read)) {
    showMessage(
        tr("群遅延の平滑化の幅が不正です。\n\n"
           "点では 1～1000 の整数、ｵｸﾀｰﾌﾞでは 0 より大きく 10 以下の値にしてください。"));
    focusBox(aperture_);
    return false;
  }
  v_.delayAperture = read;
  return true;
}

QRadioButton* CPropGeneral::rightAxisButton(int quantity) const {
  if (quantity < 0 || quantity >= kRightAxisQuantityCount) return nullptr;
  return right_[static_cast<size_t>(quantity)];
}

void CPropGeneral::writeControls() {
  const QString title = QStringFromUtf8(CutToCp932Bytes(v_.title, kTitleBytes));
  if (title_->text() != title) title_->setText(title);
  (v_.calcType == 0 ? ch1ch2_ : ch2ch1_)->setChecked(true);
  gainBold_->setChecked(v_.gainBoldOnPrint);
  phaseBold_->setChecked(v_.phaseBoldOnPrint);
  // A value that is no mode shows (and is stored back) as the phase.
  if (v_.rightAxis < 0 || v_.rightAxis >= kRightAxisQuantityCount) v_.rightAxis = kRightPhase;
  right_[static_cast<size_t>(v_.rightAxis)]->setChecked(true);
  (v_.marginReferenceZero ? refZero_ : ref180_)->setChecked(true);
  // A choice that is none of the listed ones shows (and is stored back) as
  // the first.
  const auto choose = [](QComboBox* box, int& value) {
    if (value < 0 || value >= box->count()) value = 0;
    box->setCurrentIndex(value);
  };
  choose(view_, v_.view);
  choose(loopCurve_, v_.loopCurve);
  choose(judgement_, v_.loopJudgement);
  radius_->setValue(v_.nyquistRadius);
  shownRadius_ = radius_->value();
  aperture_->setText(QLocale::c().toString(v_.delayAperture.width, 'g', 12));
  apertureUnit_->setCurrentIndex(v_.delayAperture.unit == ApertureUnit::kOctave ? 1 : 0);
  aperture_->setEnabled(v_.rightAxis == kRightGroupDelay);
  apertureUnit_->setEnabled(v_.rightAxis == kRightGroupDelay);
  contours_->setChecked(v_.nicholsContours);
  shownShunt_ =
      IsShuntOhms(v_.shuntOhms) ? QLocale::c().toString(v_.shuntOhms, 'g', QLocale::FloatingPointShortest) : QString();
  shunt_->setText(shownShunt_);
  background_->setColour(v_.backgroundColor);
  gainSwatch_->setColour(v_.gainLineColor);
  phaseSwatch_->setColour(v_.phaseLineColor);
}

void CPropGeneral::pickColour(Colour& field) {
  const std::optional<Colour> chosen = chooseColour(field);
  if (!chosen) return;
  field = *chosen;
  background_->setColour(v_.backgroundColor);
  gainSwatch_->setColour(v_.gainLineColor);
  phaseSwatch_->setColour(v_.phaseLineColor);
}

}  // namespace fernplot

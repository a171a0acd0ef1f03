// SPDX-License-Identifier: MIT
// Controls and texts of the three axis tabs.

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <vector>

#include "propsheet/axis_page.h"
#include "propsheet/axis_page_texts.h"
#include "propsheet/cp932_limit.h"
#include "qt_convert.h"

namespace fernplot {
namespace {

constexpr AxisPageTexts kFrequencyTexts = {
    QT_TRANSLATE_NOOP("PropertySheet", "左のﾏｰｼﾞﾝ："),
    QT_TRANSLATE_NOOP("PropertySheet", "右のﾏｰｼﾞﾝ："),
    QT_TRANSLATE_NOOP("PropertySheet", "範囲："),
    "",
    "Hz",
    QT_TRANSLATE_NOOP("PropertySheet", "ﾃﾞｰﾀの最小値"),
    QT_TRANSLATE_NOOP("PropertySheet", "ﾃﾞｰﾀの最大値"),
    kMinHorizontalAxisMm,
    {
        QT_TRANSLATE_NOOP("PropertySheet", "軸の長さには\n\n40 以上の数値を入力してください。"),
        QT_TRANSLATE_NOOP("PropertySheet", "軸の左ﾏｰｼﾞﾝには\n\n0 以上の数値を入力してください。"),
        QT_TRANSLATE_NOOP("PropertySheet", "軸の右ﾏｰｼﾞﾝには\n\n0 以上の数値を入力してください。"),
        QT_TRANSLATE_NOOP("PropertySheet",
                          "軸の長さが不正です。\n\n有効な値は 40mm ～ 250mm です。"),
        QT_TRANSLATE_NOOP(
            "PropertySheet",
            "ﾏｰｼﾞﾝの値が不正です。\n\nｸﾞﾗﾌ領域の幅が 40mm 以上になるよう調整してください。"),
        QT_TRANSLATE_NOOP(
            "PropertySheet",
            "目盛の上限値が不正な値です。\n\n数値を入力してください。\n例：0.1、100、100k、1M"),
        QT_TRANSLATE_NOOP(
            "PropertySheet",
            "目盛の下限値が不正な値です。\n\n数値を入力してください。\n例：0.1、100、100k、1M"),
        QT_TRANSLATE_NOOP("PropertySheet",
                          "目盛の間隔が不正な値です。\n\n0 より大きい値にしてください。"),
        QT_TRANSLATE_NOOP(
            "PropertySheet",
            "目盛の範囲指定が不正です。\n\n下限値 ＜ 上限値 になるよう調整してください。"),
        QT_TRANSLATE_NOOP("PropertySheet",
                          "目盛の間隔が不正な値です。\n\n間隔値 ≦ (上限値 - 下限値)÷ 2 "
                          "になるよう調整してください。"),
    },
};

constexpr std::array<const char*, 10> kVerticalMessages = {
    QT_TRANSLATE_NOOP("PropertySheet", "軸の長さには\n\n30 以上の数値を入力してください。"),
    QT_TRANSLATE_NOOP("PropertySheet", "軸の上端ﾏｰｼﾞﾝには\n\n0 以上の数値を入力してください。"),
    QT_TRANSLATE_NOOP("PropertySheet", "軸の下端ﾏｰｼﾞﾝには\n\n0 以上の数値を入力してください。"),
    QT_TRANSLATE_NOOP("PropertySheet", "軸の長さが不正です。\n\n有効な値は 30mm ～ 250mm です。"),
    QT_TRANSLATE_NOOP(
        "PropertySheet",
        "ﾏｰｼﾞﾝの値が不正です。\n\nｸﾞﾗﾌ領域の高さが 30mm 以上になるよう調整してください。"),
    QT_TRANSLATE_NOOP(
        "PropertySheet",
        "目盛の上限値が不正な値です。\n\n数値を入力してください。\n例：0.1、100、-10.5"),
    QT_TRANSLATE_NOOP(
        "PropertySheet",
        "目盛の下限値が不正な値です。\n\n数値を入力してください。\n例：0.1、100、-10.5"),
    QT_TRANSLATE_NOOP("PropertySheet",
                      "目盛の間隔が不正な値です。\n\n0 より大きい値にしてください。"),
    QT_TRANSLATE_NOOP(
        "PropertySheet",
        "目盛の範囲指定が不正です。\n\n下限値 ＜ 上限値 になるよう調整してください。"),
    QT_TRANSLATE_NOOP(
        "PropertySheet",
        "目盛の間隔が不正な値です。\n\n間隔値 ≦ (上限値 - 下限値)÷ 2 になるよう調整してください。"),
};

constexpr AxisPageTexts kGainTexts = {
    QT_TRANSLATE_NOOP("PropertySheet", "上のﾏｰｼﾞﾝ："),
    QT_TRANSLATE_NOOP("PropertySheet", "下のﾏｰｼﾞﾝ："),
    QT_TRANSLATE_NOOP("PropertySheet", "下限値："),
    QT_TRANSLATE_NOOP("PropertySheet", "上限値："),
    "dB",
    QT_TRANSLATE_NOOP("PropertySheet", "データの最小値を使用"),
    QT_TRANSLATE_NOOP("PropertySheet", "データの最大値を使用"),
    kMinVerticalAxisMm,
    kVerticalMessages,
};

constexpr AxisPageTexts kPhaseTexts = {
    QT_TRANSLATE_NOOP("PropertySheet", "上のﾏｰｼﾞﾝ："),
    QT_TRANSLATE_NOOP("PropertySheet", "下のﾏｰｼﾞﾝ："),
    QT_TRANSLATE_NOOP("PropertySheet", "下限値："),
    QT_TRANSLATE_NOOP("PropertySheet", "上限値："),
    "deg",
    QT_TRANSLATE_NOOP("PropertySheet", "データの最小値を使用"),
    QT_TRANSLATE_NOOP("PropertySheet", "データの最大値を使用"),
    kMinVerticalAxisMm,
    kVerticalMessages,
};

QLineEdit* NumberBox(QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setMaximumWidth(140);
  return box;
}

}  // namespace

const AxisPageTexts& TextsOf(AxisKind kind) {
  switch (kind) {
    case AxisKind::Frequency:
      return kFrequencyTexts;
    case AxisKind::Gain:
      return kGainTexts;
    case AxisKind::Phase:
      break;
  }
  return kPhaseTexts;
}

void AxisPage::buildControls() {
  const AxisPageTexts& t = TextsOf(kind_);
  auto* top = new QVBoxLayout(this);

  auto* captionRow = new QHBoxLayout;
  captionRow->addWidget(new QLabel(tr("ｷｬﾌﾟｼｮﾝ："), this));
  caption_ = new QLineEdit(this);
  caption_->setValidator(new Cp932LimitValidator(kCaptionBytes, caption_));
  captionRow->addWidget(caption_, 1);
  top->addLayout(captionRow);
  grid_ = new QCheckBox(tr("目盛線を表示"), this);
  top->addWidget(grid_);

  auto* middle = new QHBoxLayout;
  auto* scaleBox = new QGroupBox(tr("ｽｹｰﾙ ﾀｲﾌﾟ"), this);
  auto* scaleLayout = new QVBoxLayout(scaleBox);
  scaleGroup_ = new QButtonGroup(this);
  const char* scaleNames[3] = {"AUTO", "LOG", "LIN"};
  for (int i = 0; i < 3; ++i) {
    auto* b = new QRadioButton(QStringFromUtf8(scaleNames[i]), scaleBox);
    scale_[static_cast<size_t>(i)] = b;
    scaleGroup_->addButton(b, i);
    scaleLayout->addWidget(b);
  }
  scaleLayout->addStretch(1);
  middle->addWidget(scaleBox);

  auto* axisBox = new QGroupBox(tr("軸ｵﾌﾟｼｮﾝ"), this);
  auto* axisGrid = new QGridLayout(axisBox);
  length_ = NumberBox(axisBox);
  margin1_ = NumberBox(axisBox);
  margin2_ = NumberBox(axisBox);
  const std::array<std::pair<const char*, QLineEdit*>, 3> axisRows = {
      {{QT_TRANSLATE_NOOP("PropertySheet", "軸の長さ："), length_},
       {t.margin1Label, margin1_},
       {t.margin2Label, margin2_}}};
  for (int r = 0; r < 3; ++r) {
    axisGrid->addWidget(new QLabel(SheetText(axisRows[static_cast<size_t>(r)].first), axisBox), r,
                        0);
    axisGrid->addWidget(axisRows[static_cast<size_t>(r)].second, r, 1);
    axisGrid->addWidget(new QLabel(QStringLiteral("mm"), axisBox), r, 2);
  }
  middle->addWidget(axisBox, 1);
  top->addLayout(middle);

  auto* tickBox = new QGroupBox(tr("目盛ｵﾌﾟｼｮﾝ"), this);
  auto* tickGrid = new QGridLayout(tickBox);
  const QString unit = QStringFromUtf8(t.unit);
  lower_ = NumberBox(tickBox);
  upper_ = NumberBox(tickBox);
  interval_ = NumberBox(tickBox);
  useMin_ = new QCheckBox(SheetText(t.useMinLabel), tickBox);
  useMax_ = new QCheckBox(SheetText(t.useMaxLabel), tickBox);
  auto_ = new QCheckBox(tr("自動配分"), tickBox);
  if (isFrequency()) {
    tickGrid->addWidget(new QLabel(SheetText(t.lowerLabel), tickBox), 0, 0);
    tickGrid->addWidget(lower_, 0, 1);
    tickGrid->addWidget(new QLabel(unit + tr(" ～"), tickBox), 0, 2);
    tickGrid->addWidget(upper_, 0, 3);
    tickGrid->addWidget(new QLabel(unit, tickBox), 0, 4);
    tickGrid->addWidget(useMin_, 1, 1);
    tickGrid->addWidget(useMax_, 1, 3);
    tickGrid->addWidget(new QLabel(tr("間隔："), tickBox), 2, 0);
    tickGrid->addWidget(interval_, 2, 1);
    tickGrid->addWidget(new QLabel(unit, tickBox), 2, 2);
    tickGrid->addWidget(auto_, 2, 3);
    tickGrid->setColumnStretch(5, 1);
  } else {
    tickGrid->addWidget(new QLabel(SheetText(t.upperLabel), tickBox), 0, 0);
    tickGrid->addWidget(upper_, 0, 1);
    tickGrid->addWidget(new QLabel(unit, tickBox), 0, 2);
    tickGrid->addWidget(useMax_, 0, 3, 1, 3);
    tickGrid->addWidget(new QLabel(SheetText(t.lowerLabel), tickBox), 1, 0);
    tickGrid->addWidget(lower_, 1, 1);
    tickGrid->addWidget(new QLabel(unit, tickBox), 1, 2);
    tickGrid->addWidget(useMin_, 1, 3, 1, 3);
    tickGrid->addWidget(new QLabel(tr("間隔："), tickBox), 2, 0);
    tickGrid->addWidget(interval_, 2, 1);
    tickGrid->addWidget(new QLabel(unit, tickBox), 2, 2);
    tickGrid->addWidget(auto_, 2, 3);
    tightGroup_ = new QButtonGroup(this);
    tight_[0] = new QRadioButton(tr("ﾉｰﾏﾙ"), tickBox);
    tight_[1] = new QRadioButton(tr("ﾀｲﾄ"), tickBox);
    tightGroup_->addButton(tight_[0], 0);
    tightGroup_->addButton(tight_[1], 1);
    tickGrid->addWidget(tight_[0], 2, 4);
    tickGrid->addWidget(tight_[1], 2, 5);
    tickGrid->setColumnStretch(6, 1);
    // Only a linear scale is offered for gain and phase.
    scale_[ScaleIndex(ScaleType::kAuto)]->setEnabled(false);
    scale_[ScaleIndex(ScaleType::kLog)]->setEnabled(false);
  }
  top->addWidget(tickBox);

  if (kind_ == AxisKind::Phase) {
    // Present in the page but never filled or read.
    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(new QLabel(tr("位相表示レンジ"), this));
    phaseRange_ = new QComboBox(this);
    phaseRange_->setMinimumWidth(140);
    // Empty and without effect: shown as such rather than as a choice.
    phaseRange_->setEnabled(false);
    phaseRange_->setToolTip(tr("選択できるﾚﾝｼﾞはありません。位相の範囲は上限･下限で指定します。"));
    rangeRow->addWidget(phaseRange_);
    rangeRow->addStretch(1);
    top->addLayout(rangeRow);
  }
  top->addStretch(1);

  // Tab order follows the layout: the vertical pages list the upper limit
  // first.
  std::vector<QWidget*> order = {caption_,  grid_,   scale_[0], scale_[1],
                                 scale_[2], length_, margin1_,  margin2_};
  if (isFrequency()) {
    order.insert(order.end(), {lower_, upper_, useMin_, useMax_, interval_, auto_});
  } else {
    order.insert(order.end(),
                 {upper_, useMax_, lower_, useMin_, interval_, auto_, tight_[0], tight_[1]});
  }
  for (size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

}  // namespace fernplot

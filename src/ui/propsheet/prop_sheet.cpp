// SPDX-License-Identifier: MIT
#include "propsheet/prop_sheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "propsheet/edit_graph_properties.h"
#include "propsheet/sheet_tabs.h"
#include "qt_convert.h"

namespace fernplot {
AxisPageValues AxisValuesFrom(const AxisSettings& axis, bool withTight) {
  AxisPageValues v;
  v.caption = axis.caption;
  v.gridLines = axis.gridLines != 0;
  v.scaleType = static_cast<int>(axis.scaleType);
  v.useDataMin = axis.useDataMin != 0;
  v.useDataMax = axis.useDataMax != 0;
  v.autoDivision = axis.autoDivision != 0;
  v.tight = withTight && axis.tight ? 1 : 0;
  v.length = axis.length;
  v.margin1 = axis.margin1;
  v.margin2 = axis.margin2;
  v.rangeMin = axis.rangeMin;
  v.rangeMax = axis.rangeMax;
  v.interval = axis.interval;
  return v;
}

void StoreAxisValues(const AxisPageValues& v, bool withTight, AxisSettings& axis) {
  axis.scaleType = ScaleTypeOf(v.scaleType);
  axis.length = v.length;
  axis.margin1 = v.margin1;
  axis.margin2 = v.margin2;
  axis.useDataMin = v.useDataMin ? 1 : 0;
  axis.useDataMax = v.useDataMax ? 1 : 0;
  axis.rangeMin = v.rangeMin;
  axis.rangeMax = v.rangeMax;
  axis.autoDivision = v.autoDivision ? 1 : 0;
  if (withTight) axis.tight = v.tight != 0;
  axis.interval = v.interval;
  axis.gridLines = v.gridLines ? 1 : 0;
  axis.caption = v.caption;
}

CPropSht1::CPropSht1(QWidget* parent, bool currentPage, const GraphProperties& record,
                     SheetServices services, const PageFacts& facts)
    : QDialog(parent), currentPage_(currentPage) {
  setModal(true);
  setWindowTitle(currentPage ? tr("ｸﾞﾗﾌのﾌﾟﾛﾊﾟﾃｨ") : tr("ｸﾞﾗﾌのﾌﾟﾛﾊﾟﾃｨ - 標準値"));
  auto* layout = new QVBoxLayout(this);
  tabs_ = new SheetTabWidget(this);
  layout->addWidget(tabs_);
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons_->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
  layout->addWidget(buttons_);
  connect(buttons_, &QDialogButtonBox::accepted, this, &CPropSht1::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &CPropSht1::reject);

  // All seven pages exist in both sheets; the note page is a tab only when
  // the page on screen is edited. Pages not added are owned by the sheet.
  general_ = new CPropGeneral(services, this);
  frequency_ = new CPropFreq(services, this);
  gain_ = new CPropGain(services, this);
  phase_ = new CPropPhase(services, this);
  items_ = new CPropItems(services, this);
  font_ = new CPropFont(services, this);
  addition_ = new CPropAddition(services, this);
  addition_->hide();

  tabs_->addTab(general_, tr("全般"));
  tabs_->addTab(frequency_, tr("横軸(周波数)"));
  tabs_->addTab(gain_, tr("縦軸(ｹﾞｲﾝ)"));
  tabs_->addTab(phase_, tr("縦軸(位相)"));
  tabs_->addTab(items_, tr("表示項目"));
  tabs_->addTab(font_, tr("ﾌｫﾝﾄ"));
  if (currentPage_) tabs_->addTab(addition_, tr("付記"));
  tabs_->setCurrentIndex(0);
  tabs_->guardedTabBar()->setLeaveCheck([this] {
    SheetPage* page = activePage();
    return !page || page->killActive();
  });

  load(record, facts);
}

void CPropSht1::load(const GraphProperties& record, const PageFacts& facts) {
  GeneralPageValues g;
  g.title = record.title;
  g.calcType = record.calcType == ChannelRatio::kCh2Ch1 ? 1 : 0;
  if (currentPage_ && facts.calculated) g.calcType = -1;
  g.backgroundColor = record.backgroundColor;
  g.gainLineColor = record.gainLineColor;
  g.phaseLineColor = record.phaseLineColor;
  g.gainBoldOnPrint = record.gainLineBoldOnPrint != 0;
  g.phaseBoldOnPrint = record.phaseLineBoldOnPrint != 0;
  g.shuntOhms = record.shuntOhms;
  g.rightAxis = record.rightAxis;
  g.marginReferenceZero = record.marginReferenceZero != 0;
  g.view = static_cast<int>(record.view);
  g.loopCurve = static_cast<int>(record.loopCurve);
  g.nyquistRadius = record.nyquistRadius;
  g.loopJudgement = static_cast<int>(record.loopJudgement);
  g.delayAperture = record.delayAperture;
  g.nicholsContours = record.nicholsContours;
  general_->setValues(g);

  frequency_->setValues(AxisValuesFrom(record.HB, false));
  gain_->setValues(AxisValuesFrom(record.VL, true));
  phase_->setValues(AxisValuesFrom(record.VR, true));

  std::array<bool, kItemCount> flags{};
  for (size_t i = 0; i < flags.size(); ++i) flags[i] = record.itemFlags[i] != 0;
  items_->setFlags(flags);

  font_->setRecordCopy(record);
  if (currentPage_) addition_->setDataTitle(facts.dataTitle);
}

void CPropSht1::setShownLimits(const ShownLimits& shown) {
  frequency_->setShownLimits(shown.frequency);
  gain_->setShownLimits(shown.gain);
  phase_->setShownLimits(shown.phase);
}

SheetPage* CPropSht1::activePage() const {
  return static_cast<SheetPage*>(tabs_->currentWidget());
}

bool CPropSht1::selectPage(int index) {
  if (index == tabs_->currentIndex()) return true;
  if (index < 0 || index >= tabs_->count()) return false;
  if (!tabs_->guardedTabBar()->mayLeave()) return false;
  tabs_->setCurrentIndex(index);
  return true;
}

void CPropSht1::accept() {
  SheetPage* page = activePage();
  if (page && !page->killActive()) return;
  QDialog::accept();
}

void CPropSht1::storeInto(GraphProperties& record) const {
  const GeneralPageValues& g = general_->values();
  record.title = g.title;
  // A page of calculated data never had the choice; store CH1/CH2 for it.
  record.calcType = g.calcType > 0 ? ChannelRatio::kCh2Ch1 : ChannelRatio::kCh1Ch2;
  record.backgroundColor = g.backgroundColor;
  record.gainLineColor = g.gainLineColor;
  record.phaseLineColor = g.phaseLineColor;
  record.gainLineBoldOnPrint = g.gainBoldOnPrint ? 1 : 0;
  record.phaseLineBoldOnPrint = g.phaseBoldOnPrint ? 1 : 0;
  record.rightAxis = g.rightAxis;
  record.marginReferenceZero = g.marginReferenceZero ? 1 : 0;
  record.view = static_cast<ViewKind>(g.view);
  record.loopCurve = static_cast<LoopCurve>(g.loopCurve);
  record.nyquistRadius = g.nyquistRadius;
  record.loopJudgement = static_cast<LoopJudgement>(g.loopJudgement);
  record.delayAperture = g.delayAperture;
  record.nicholsContours = g.nicholsContours;
  record.shuntOhms = g.shuntOhms;

  StoreAxisValues(frequency_->values(), false, record.HB);
  // Both vertical axes leave with the longer of the two lengths.
  const float vertical = std::max(gain_->values().length, phase_->values().length);
  StoreAxisValues(gain_->values(), true, record.VL);
  record.VL.length = vertical;
  StoreAxisValues(phase_->values(), true, record.VR);
  record.VR.length = vertical;

  for (size_t i = 0; i < record.itemFlags.size(); ++i) {
    record.itemFlags[i] = items_->flags()[i] ? 1 : 0;
  }
  record.fonts = font_->recordCopy().fonts;
}

void CPropSht1::storeInto(PageFacts& facts) const {
  if (currentPage_) facts.dataTitle = addition_->dataTitle();
}

bool EditGraphProperties(QWidget* parent, GraphProperties& record, PageFacts* facts,
                         const ShownLimits* shown) {
  CPropSht1 sheet(parent, facts != nullptr, record, DesktopSheetServices(),
                  facts ? *facts : PageFacts{});
  if (shown) sheet.setShownLimits(*shown);
  if (sheet.exec() == QDialog::Rejected) return false;
  sheet.storeInto(record);
  if (facts) sheet.storeInto(*facts);
  return true;
}

}  // namespace fernplot

// SPDX-License-Identifier: MIT
#include "figures_dock.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "analysis/figures_text.h"
#include "analysis/fit/model_panel_text.h"
#include "analysis/impedance/circuit_text.h"
#include "analysis/impedance/impedance_figures.h"
#include "graph/kk_view.h"
#include "graph/page_exchange.h"
#include "graph/page_figures.h"
#include "graph/page_impedance.h"
#include "graph/production_marks.h"
#include "qt_convert.h"

namespace fernplot {

FiguresDock::FiguresDock(QWidget* parent) : QDockWidget(tr("図表"), parent) {
  setObjectName(QStringLiteral("figuresDock"));
  setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 4, 4, 4);
  text_ = new QPlainTextEdit(body);
  text_->setObjectName(QStringLiteral("figuresText"));
  text_->setReadOnly(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  // A line longer than the panel is wide wraps: every figure reads whole.
  text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  layout->addWidget(text_, 1);
  auto* row = new QHBoxLayout;
  showOnPage_ = new QCheckBox(tr("ｸﾞﾗﾌに表示"), body);
  showOnPage_->setObjectName(QStringLiteral("figuresShowOnPage"));
  showOnPage_->setToolTip(tr("図表の位置をｸﾞﾗﾌに印します (印刷･複写にも入ります)"));
  row->addWidget(showOnPage_);
  row->addStretch(1);
  copy_ = new QPushButton(tr("ｺﾋﾟｰ"), body);
  copy_->setObjectName(QStringLiteral("figuresCopy"));
  row->addWidget(copy_);
  layout->addLayout(row);
  setWidget(body);
  // A click sets the page's choice; ShowPage sets the box without it.
  connect(showOnPage_, &QCheckBox::clicked, this, &FiguresDock::showOnPageToggled);
  connect(copy_, &QPushButton::clicked, this, &FiguresDock::CopyText);
}

void FiguresDock::ShowPage(const GraphPage* page, const TextTranslator* translator) {
  std::string figures;
  if (page) {
    // A network file's page by file and parameter, as pages of several of
    // its parameters may be open.
    const std::string name = PagePanelName(*page);
    const std::optional<ImpedanceSpectrum> impedance = PageImpedance(*page);
    figures = impedance ? ImpedancePanelText(name, FiguresOfImpedance(*impedance), translator)
                        : FiguresPanelText(name, PageFigures(*page), translator,
                                           page->properties.loopJudgement);
    // Whether the spectrum is one of a linear, causal, stable system.
    if (impedance) {
      const KkResult kk = PageKramersKronig(*page);
      if (kk.ok()) figures += KkSummaryLine(kk) + "\n";
    }
    // A loop page drawing T or S lists that curve's figures too: the marks
    // on the page are its.
    std::unique_ptr<GraphPage> holder;
    if (const GraphPage& shown = ShownPage(*page, holder); &shown != page) {
      const char* curve = page->properties.loopCurve == LoopCurve::kSensitivity
                              ? FERNPLOT_TEXT("Figures", "感度 S = 1/(1+L)")
                              : FERNPLOT_TEXT("Figures", "閉ﾙｰﾌﾟ T = L/(1+L)");
      figures += "\n" + FiguresPanelText(Translate(translator, "Figures", curve),
                                         PageFigures(shown), translator, LoopJudgement::kNotLoop);
    }
    // The fitted model follows the figures read off the points.
    if (page->fit && page->fit->circuit) {
      figures += "\n" + CircuitPanelText(page->fit->circuit->result, translator);
    } else if (page->fit) {
      figures += "\n" + ModelPanelText(page->fit->model, page->fit->options, translator);
    }
    // A page judged against a mask lists every rule with its margin.
    if (page->production && page->production->mask && page->production->mask->mask) {
      figures += "\n" + MaskPanelText(*page->production->mask->mask,
                                      page->production->mask->verdict, translator);
    }
    // With the open pages' statistics shown, the spread of their figures.
    if (page->production && page->production->bands && page->production->bands->sweeps > 0) {
      const LotBands& lot = *page->production->bands;
      figures += "\n" + LotPanelText(lot.figures, lot.sweeps, translator);
    }
  }
  const QString text = page ? QStringFromUtf8(figures) : QString();
  if (text_->toPlainText() != text) text_->setPlainText(text);
  showOnPage_->setEnabled(page != nullptr);
  showOnPage_->setChecked(page && page->showFigureMarks);
  copy_->setEnabled(page != nullptr);
}

int FiguresDock::WidthForText() const {
  const QFontMetrics metrics(text_->font());
  int longest = 0;
  for (const QString& line : text_->toPlainText().split(QLatin1Char('\n'))) {
    longest = std::max(longest, metrics.horizontalAdvance(line));
  }
  // The text's own margin either side, the box's frame, the scroll bar that
  // a long list brings, and the panel's margins around the box.
  const int documentMargin = static_cast<int>(std::ceil(text_->document()->documentMargin()));
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, text_);
  const QMargins around = widget()->layout()->contentsMargins();
  return longest + 2 * documentMargin + 2 * text_->frameWidth() + scrollBar + around.left() +
         around.right() + 2;  // the cursor's width at the line's end
}

void FiguresDock::CopyText() {
  if (!text_->toPlainText().isEmpty()) QApplication::clipboard()->setText(text_->toPlainText());
}

}  // namespace fernplot

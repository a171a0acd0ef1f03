// SPDX-License-Identifier: MIT
#include "traces_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace fernplot {

namespace {

// A short line in the trace's gain colour, as the legend draws it.
QIcon Swatch(const QColor& colour) {
  QPixmap pixmap(20, 12);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(QPen(colour, 2));
  p.drawLine(1, 6, 19, 6);
  return QIcon(pixmap);
}

}  // namespace

TracesDialog::TracesDialog(const TraceList& traces, QWidget* parent)
    : QDialog(parent), traces_(traces) {
  setWindowTitle(tr("ﾄﾚｰｽの一覧"));
  for (size_t i = 0; i < traces_.overlays.size(); ++i) edit_.kept.push_back(i);
  edit_.reference = traces_.reference;

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("traceList"));
  list_->setMinimumSize(260, 160);
  remove_ = new QPushButton(tr("削除(&D)"), this);
  reference_ = new QPushButton(tr("基準にする(&R)"), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText(tr("ｷｬﾝｾﾙ"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(remove_, &QPushButton::clicked, this, [this] { RemoveRow(list_->currentRow()); });
  connect(reference_, &QPushButton::clicked, this,
          [this] { ToggleReferenceRow(list_->currentRow()); });
  connect(list_, &QListWidget::currentRowChanged, this, [this] { UpdateButtons(); });

  auto* side = new QVBoxLayout;
  side->addWidget(remove_);
  side->addWidget(reference_);
  side->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(list_);
  top->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);
  Fill();
}

void TracesDialog::Fill() {
  const int current = list_->currentRow();
  list_->clear();
  new QListWidgetItem(Swatch(traces_.page.colour), traces_.page.name + tr(" （ﾍﾟｰｼﾞ）"), list_);
  for (size_t from : edit_.kept) {
    const TraceListItem& t = traces_.overlays[from];
    QString text = t.name;
    if (static_cast<int>(from) == edit_.reference) text += tr(" （基準）");
    new QListWidgetItem(Swatch(t.colour), text, list_);
  }
  list_->setCurrentRow(std::min(std::max(current, 0), list_->count() - 1));
  UpdateButtons();
}

void TracesDialog::UpdateButtons() {
  const bool overlay = list_->currentRow() >= 1;
  remove_->setEnabled(overlay);
  reference_->setEnabled(overlay);
}

void TracesDialog::RemoveRow(int row) {
  if (row < 1 || static_cast<size_t>(row) > edit_.kept.size()) return;
  const size_t from = edit_.kept[static_cast<size_t>(row - 1)];
  if (static_cast<int>(from) == edit_.reference) edit_.reference = -1;
  edit_.kept.erase(edit_.kept.begin() + (row - 1));
  Fill();
}

void TracesDialog::ToggleReferenceRow(int row) {
  if (row < 1 || static_cast<size_t>(row) > edit_.kept.size()) return;
  const int from = static_cast<int>(edit_.kept[static_cast<size_t>(row - 1)]);
  edit_.reference = edit_.reference == from ? -1 : from;
  Fill();
}

}  // namespace fernplot

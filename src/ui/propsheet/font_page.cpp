// SPDX-License-Identifier: MIT
#include "propsheet/font_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "qt_convert.h"
#include "text/encoding.h"

namespace fernplot {
namespace {

constexpr const char* kSizes[] = {"6", "8", "9", "10", "11", "12", "14", "16"};

// Enter in the size box's edit field belongs to the dialog (its default
// button), as in any other box; the combo box would otherwise pick the entry
// matching the typed text, and typed sizes are never taken over.
class EnterGoesToDialog : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (auto* w = qobject_cast<QWidget*>(watched)) {
          QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
          QCoreApplication::sendEvent(w->window(), &copy);
        }
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

namespace {

// "C059 [urw]" names one foundry's copy of a family that more than one
// foundry installs; the user picks the family.
QString WithoutFoundry(const QString& family) {
  const qsizetype open = family.lastIndexOf(QStringLiteral(" ["));
  return open > 0 && family.endsWith(QLatin1Char(']')) ? family.left(open) : family;
}

std::optional<bool> AnsiOfFamily(const QString& family) {
  const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
  if (systems.contains(QFontDatabase::Japanese)) return false;
  if (systems.contains(QFontDatabase::Latin)) return true;
  return std::nullopt;
}

}  // namespace

std::vector<InstalledFace> ListInstalledFaces() {
  std::vector<InstalledFace> faces;
  QSet<QString> seen;
  const auto add = [&](const QString& name, bool ansi) {
    if (seen.contains(name.toCaseFolded())) return;
    seen.insert(name.toCaseFolded());
    faces.push_back({name, ansi});
  };
  const QStringList families = QFontDatabase::families();
  for (const QString& family : families) {
    if (family.startsWith(QLatin1Char('@'))) continue;  // vertical writing
    if (!QFontDatabase::isScalable(family)) continue;
    // Generic names such as "Sans Serif" are aliases of other listed faces,
    // not fonts of their own.
    const QString resolved = QFontInfo(QFont(family)).family();
    if (resolved.compare(family, Qt::CaseInsensitive) != 0 &&
        families.contains(resolved, Qt::CaseInsensitive)) {
      continue;
    }
    if (const std::optional<bool> ansi = AnsiOfFamily(family)) add(WithoutFoundry(family), *ansi);
  }
  // The Windows names the settings hold are drawn through the font mapping;
  // they are offered under those names so that a stored face is found.
  // Qt keeps the mapping's keys case-folded, so the names are listed here as
  // the settings spell them.
  static const char* const kWindowFaces[] = {"ＭＳ Ｐゴシック", "ＭＳ ゴシック",   "MS PGothic",
                                             "MS Gothic",       "Times New Roman", "Arial",
                                             "Courier New"};
  for (const char* face : kWindowFaces) {
    const QString name = QString::fromUtf8(face);
    const QString target = QFont::substitute(name);
    if (target.compare(name, Qt::CaseInsensitive) == 0) continue;
    // The database lists a family under its name in the user's language
    // ("IPA Pゴシック" under Japanese for "IPAPGothic"); the mapping holds
    // one name, so the family is looked up, not compared by name.
    if (!QFontDatabase::hasFamily(target)) continue;
    const QString installed = QFontInfo(QFont(target)).family();
    if (!families.contains(installed, Qt::CaseInsensitive)) continue;
    if (const std::optional<bool> ansi = AnsiOfFamily(installed)) add(name, *ansi);
  }
  std::sort(faces.begin(), faces.end(), [](const InstalledFace& a, const InstalledFace& b) {
    const int c = a.name.compare(b.name, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a.name < b.name;
  });
  return faces;
}

FontSample::FontSample(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setMinimumSize(260, 110);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
}

QString FontSample::sampleText() {
  return QStringFromUtf8("ABCDEFGabcdefg\n1234567890\nあいうえお");
}

void FontSample::setSample(const QString& face, int points, bool bold, Colour colour) {
  face_ = face;
  points_ = points;
  bold_ = bold;
  colour_ = colour;
  update();
}

QFont FontSample::sampleFont() const {
  QFont font(face_);
  // Size in this screen's pixels, rounded as the point size is converted
  // for the graph.
  const int pixels = std::max(1, (points_ * logicalDpiY() + 36) / 72);
  font.setPixelSize(pixels);
  font.setWeight(bold_ ? QFont::Bold : QFont::Normal);
  font.setStyleStrategy(QFont::PreferOutline);
  return font;
}

void FontSample::paintEvent(QPaintEvent* e) {
  QFrame::paintEvent(e);
  QPainter p(this);
  p.setFont(sampleFont());
  p.setPen(ToQColor(colour_));
  const QRect area = contentsRect().adjusted(10, 10, 0, 0);
  p.setClipRect(contentsRect());
  p.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, sampleText());
}

CPropFont::CPropFont(const SheetServices& services, QWidget* parent) : SheetPage(services, parent) {
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(tr("ｶﾃｺﾞﾘ："), this), 0, 0);
  categories_ = new QListWidget(this);
  categories_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->addWidget(categories_, 1, 0, 6, 1);

  grid->addWidget(new QLabel(tr("ﾌｫﾝﾄ："), this), 0, 1);
  faces_ = new QComboBox(this);
  faces_->setMinimumWidth(200);
  grid->addWidget(faces_, 1, 1, 1, 2);

  grid->addWidget(new QLabel(tr("ｻｲｽﾞ："), this), 2, 1);
  sizes_ = new QComboBox(this);
  sizes_->setEditable(true);
  // Typed sizes are never taken over; only a chosen entry changes the size.
  sizes_->setInsertPolicy(QComboBox::NoInsert);
  sizes_->setCompleter(nullptr);
  sizes_->lineEdit()->installEventFilter(new EnterGoesToDialog(sizes_));
  grid->addWidget(sizes_, 3, 1);
  bold_ = new QCheckBox(tr("太字"), this);
  grid->addWidget(bold_, 3, 2);
  colourButton_ = new QPushButton(tr("ｶﾗｰ..."), this);
  grid->addWidget(colourButton_, 4, 2);

  grid->addWidget(new QLabel(tr("ｻﾝﾌﾟﾙ："), this), 5, 1);
  sample_ = new FontSample(this);
  grid->addWidget(sample_, 6, 1, 1, 2);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(6, 1);

  connect(categories_, &QListWidget::itemSelectionChanged, this, [this] { onCategoryChanged(); });
  connect(faces_, &QComboBox::activated, this, [this](int i) { onFaceChosen(i); });
  connect(sizes_, &QComboBox::activated, this, [this](int i) { onSizeChosen(i); });
  connect(sizes_->lineEdit(), &QLineEdit::textEdited, this, [this] { sizeTyped_ = true; });
  // Leaving the typed size for another control of the page takes or refuses
  // it there, not only at OK; the sheet's buttons and tabs see to it
  // themselves (and Cancel needs no size). After the focus has moved: a
  // message box is no thing to open inside a focus change.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
    // The box is its line edit's focus proxy: either may be the one left.
    const auto inBox = [this](QWidget* w) { return w == sizes_ || w == sizes_->lineEdit(); };
    if (!inBox(old) || !now || inBox(now) || !isAncestorOf(now)) return;
    if (!sizeTyped_) return;
    QTimer::singleShot(0, this, [this] {
      if (sizeTyped_ && !sizes_->hasFocus() && !sizes_->lineEdit()->hasFocus() && isVisible()) {
        takeTypedSize();
      }
    });
  });
  connect(bold_, &QCheckBox::clicked, this, [this] { onBoldClicked(); });
  connect(colourButton_, &QPushButton::clicked, this, [this] { onColourClicked(); });
}

void CPropFont::initialisePage() {
  category_ = 0;
  {
    const QSignalBlocker block(categories_);
    for (int i = 0; i < kFontCategoryCount; ++i) {
      const std::string name(kFontCategoryNames[static_cast<size_t>(i)]);
      categories_->addItem(SheetText(name.c_str()));
    }
    categories_->setCurrentRow(category_);
  }
  for (const InstalledFace& face : ListInstalledFaces()) faces_->addItem(face.name, face.ansi);
  for (const char* size : kSizes) sizes_->addItem(QString::fromLatin1(size));
  selectFaceAndSize(true);
  loadCurrent();
  categories_->setFocus(Qt::TabFocusReason);
}

void CPropFont::selectFaceAndSize(bool clearWhenMissing) {
  const FontSetting& f = current();
  const int face = faces_->findText(QStringFromUtf8(f.faceName), Qt::MatchFixedString);
  if (face >= 0 || clearWhenMissing) faces_->setCurrentIndex(face);
  const int size = sizes_->findText(QString::number(f.size), Qt::MatchExactly);
  if (size >= 0 || clearWhenMissing) sizes_->setCurrentIndex(size);
}

void CPropFont::loadCurrent() {
  const FontSetting& f = current();
  face_ = QStringFromUtf8(f.faceName);
  size_ = f.size;
  boldValue_ = f.bold != 0;
  ansi_ = f.ansiCharset != 0;
  colour_ = f.color;
  bold_->setChecked(boldValue_);
  updateSample();
}

void CPropFont::updateSample() {
  sample_->setSample(face_, size_, boldValue_, colour_);
}

void CPropFont::readControls() {
  boldValue_ = bold_->isChecked();
}

bool CPropFont::takeTypedSize() {
  if (!sizeTyped_) return true;
  sizeTyped_ = false;
  const QString typed = sizes_->currentText().trimmed();
  const int index = sizes_->findText(typed, Qt::MatchExactly);
  if (index < 0) {
    showMessage(tr("ﾌｫﾝﾄのｻｲｽﾞが不正です。\n\n一覧のｻｲｽﾞ (6～16) から選んでください。"));
    sizeTyped_ = true;
    sizes_->setFocus(Qt::TabFocusReason);
    sizes_->lineEdit()->selectAll();
    return false;
  }
  sizes_->setCurrentIndex(index);
  onSizeChosen(index);
  return true;
}

bool CPropFont::killActive() {
  if (!isInitialised()) return true;
  readControls();
  return takeTypedSize();
}

void CPropFont::onCategoryChanged() {
  const QList<QListWidgetItem*> selected = categories_->selectedItems();
  if (selected.isEmpty()) return;
  const int row = categories_->row(selected.front());
  if (row < 0 || row >= kFontCategoryCount) return;
  // A size typed for the category left is taken or refused before the
  // next one shows its own; a refused one is not kept.
  if (!takeTypedSize()) sizeTyped_ = false;
  category_ = row;
  selectFaceAndSize(false);
  loadCurrent();
}

void CPropFont::onFaceChosen(int index) {
  if (index < 0) return;
  face_ = faces_->itemText(index);
  ansi_ = faces_->itemData(index).toBool();
  current().faceName = CutToCp932Bytes(face_.toStdString(), kFaceNameBytes);
  current().ansiCharset = ansi_ ? 1 : 0;
  updateSample();
}

void CPropFont::onSizeChosen(int index) {
  if (index < 0) return;
  sizeTyped_ = false;
  const int points = std::atoi(sizes_->itemText(index).toLatin1().constData());
  size_ = points;
  current().size = points;
  updateSample();
}

void CPropFont::onBoldClicked() {
  readControls();
  current().bold = boldValue_ ? 1 : 0;
  updateSample();
}

void CPropFont::onColourClicked() {
  const std::optional<Colour> chosen = chooseColour(colour_);
  if (!chosen) return;
  colour_ = *chosen;
  current().color = colour_;
  updateSample();
}

}  // namespace fernplot

// SPDX-License-Identifier: MIT
#pragma once
// CPropFont, the "ﾌｫﾝﾄ" tab: face, size, bold and colour of the eleven text
// categories of a graph. Works on its own copy of the whole record; every
// change goes straight into that copy's font table, which the sheet hands
// back on OK.

#include <QFrame>
#include <QString>
#include <vector>

#include "propsheet/sheet_page.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;

namespace fernplot {

struct InstalledFace {
  QString name;
  bool ansi = false;  // Latin-only face; false for a face that writes Japanese
};

// Scalable faces that write Japanese (Shift-JIS) or Latin (ANSI), without the
// vertical-writing "@" variants, sorted by name ignoring case.
std::vector<InstalledFace> ListInstalledFaces();

// The sunken white box that shows the sample text in the chosen font.
class FontSample : public QFrame {
 public:
  explicit FontSample(QWidget* parent);
  void setSample(const QString& face, int points, bool bold, Colour colour);
  // The font the sample is drawn with, at this widget's resolution.
  QFont sampleFont() const;
  Colour colour() const { return colour_; }

  static QString sampleText();

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QString face_;
  int points_ = 9;
  bool bold_ = false;
  Colour colour_ = 0;
};

class CPropFont final : public SheetPage {
  Q_DECLARE_TR_FUNCTIONS(PropertySheet)

 public:
  CPropFont(const SheetServices& services, QWidget* parent);

  // The sheet gives the page a copy of the whole record being edited.
  void setRecordCopy(const GraphProperties& record) { copy_ = record; }
  const GraphProperties& recordCopy() const { return copy_; }
  int currentCategory() const { return category_; }

  QListWidget* categoryList() const { return categories_; }
  QComboBox* faceList() const { return faces_; }
  QComboBox* sizeCombo() const { return sizes_; }
  QCheckBox* boldBox() const { return bold_; }
  QPushButton* colourButton() const { return colourButton_; }
  FontSample* sample() const { return sample_; }

  // A size typed into the box is taken when it is one of the offered sizes;
  // any other is refused with a message and keeps the page in front.
  bool killActive() override;

 protected:
  void initialisePage() override;
  void readControls() override;

 private:
  FontSetting& current() { return copy_.fonts[static_cast<size_t>(category_)]; }
  void selectFaceAndSize(bool clearWhenMissing);
  void loadCurrent();
  void updateSample();
  // Takes a size typed since the last choice into the category shown; false
  // (after the message) for a size that is not offered.
  bool takeTypedSize();

  void onCategoryChanged();
  void onFaceChosen(int index);
  void onSizeChosen(int index);
  void onBoldClicked();
  void onColourClicked();

  GraphProperties copy_;
  int category_ = 0;
  QString face_;
  int size_ = 0;
  bool boldValue_ = false;
  bool ansi_ = false;
  bool sizeTyped_ = false;
  Colour colour_ = 0;

  QListWidget* categories_ = nullptr;
  QComboBox* faces_ = nullptr;
  QComboBox* sizes_ = nullptr;
  QCheckBox* bold_ = nullptr;
  QPushButton* colourButton_ = nullptr;
  FontSample* sample_ = nullptr;
};

}  // namespace fernplot

// SPDX-License-Identifier: MIT
#pragma once
// Entry boxes whose contents are limited in bytes of the Japanese code page
// (a double-byte character counts two), the width of the record field they
// are stored in. The box refuses an edit that would go over the limit.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QValidator>

namespace fernplot {

// CP932 length of a text as the record stores it: a line break is kept as
// CR LF and so counts two bytes.
size_t StoredCp932Length(const QString& text);

// The result of an edit that turned `before` into `after`, kept within
// maxBytes: the inserted part is cut at a character boundary as far as
// needed, the way a length-limited Windows edit box takes a paste. *cursor
// is set to the end of what was inserted.
QString FitEditToLimit(const QString& before, const QString& after, size_t maxBytes, int* cursor);

// For QLineEdit: an edit that would go over maxBytes keeps only as much of
// the inserted text as fits.
class Cp932LimitValidator : public QValidator {
 public:
  Cp932LimitValidator(size_t maxBytes, QLineEdit* box);
  State validate(QString& input, int& pos) const override;

 private:
  size_t maxBytes_;
  QString accepted_;  // the box's contents before the edit being validated
};

// Multi-line, wrapping note box. Enter is left to the dialog (its default
// button); Ctrl+Enter breaks the line. Edits past the byte limit keep only
// as much of the inserted text as fits.
class LimitedNoteEdit : public QPlainTextEdit {
 public:
  LimitedNoteEdit(size_t maxBytes, QWidget* parent);

  // The text with line breaks as CR LF, as the record keeps it.
  std::string storedText() const;
  void setStoredText(const std::string& utf8);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void onContentsChanged();

  size_t maxBytes_;
  QString lastAccepted_;
  bool reverting_ = false;
};

// Converts between the stored form (CR LF) and the box's form (LF).
QString StoredToEditText(const std::string& utf8);
std::string EditToStoredText(const QString& text);

}  // namespace fernplot

#pragma once
// Entry boxes whose contents are limited in bytes of the Japanese code page
// (a double-byte character counts two), the width of the record field they
// are stored in. The box refuses an edit that would go over the limit.

#include <QPlainTextEdit>
#include <QString>
#include <QValidator>

namespace fernplot {

// CP932 length of a text as the record stores it: a line break is kept as
// CR LF and so counts two bytes.
size_t StoredCp932Length(const QString& text);

// For QLineEdit: anything longer than maxBytes is Invalid, so it is never
// taken into the box.
class Cp932LimitValidator : public QValidator {
 public:
  Cp932LimitValidator(size_t maxBytes, QObject* parent);
  State validate(QString& input, int& pos) const override;

 private:
  size_t maxBytes_;
};

// Multi-line, wrapping note box. Enter is left to the dialog (its default
// button); Ctrl+Enter breaks the line. Edits past the byte limit are undone
// at once.
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
  int lastCursor_ = 0;
  bool reverting_ = false;
};

// Converts between the stored form (CR LF) and the box's form (LF).
QString StoredToEditText(const std::string& utf8);
std::string EditToStoredText(const QString& text);

}  // namespace fernplot

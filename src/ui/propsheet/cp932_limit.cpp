// SPDX-License-Identifier: MIT
#include "propsheet/cp932_limit.h"

#include <QKeyEvent>
#include <QTextCursor>
#include <algorithm>

#include "qt_convert.h"
#include "text/encoding.h"

namespace fernplot {

QString StoredToEditText(const std::string& utf8) {
  QString s = QStringFromUtf8(utf8);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}

std::string EditToStoredText(const QString& text) {
  QString s = text;
  s.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  s.replace(QChar::LineSeparator, QLatin1Char('\n'));
  s.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return s.toStdString();
}

size_t StoredCp932Length(const QString& text) {
  return Cp932Length(EditToStoredText(text));
}

QString FitEditToLimit(const QString& before, const QString& after, size_t maxBytes, int* cursor) {
  if (StoredCp932Length(after) <= maxBytes) {
    if (cursor) *cursor = static_cast<int>(after.size());
    return after;
  }
  // The edit replaced before[head, before.size() - tail) by the middle part
  // of `after`.
  qsizetype head = 0;
  while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
  qsizetype tail = 0;
  while (tail < before.size() - head && tail < after.size() - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
    ++tail;
  }
  // Never split a surrogate pair at the edges of the inserted part.
  if (head > 0 && after[head - 1].isHighSurrogate()) --head;
  if (tail > 0 && after[after.size() - tail].isLowSurrogate()) --tail;
  const QString kept = after.left(head) + after.right(tail);
  const size_t keptBytes = StoredCp932Length(kept);
  if (keptBytes > maxBytes) {
    // What stays of the old text is already too long: refuse the edit.
    if (cursor) *cursor = static_cast<int>(std::min(head, before.size()));
    return before;
  }
  QString inserted = after.mid(head, after.size() - head - tail);
  // Cut in the stored form, so a line break costs its two bytes.
  std::string stored = CutToCp932Bytes(EditToStoredText(inserted), maxBytes - keptBytes);
  if (!stored.empty() && stored.back() == '\r') stored.pop_back();  // half a CR LF
  inserted = StoredToEditText(stored);
  if (cursor) *cursor = static_cast<int>(head + inserted.size());
  return after.left(head) + inserted + after.right(tail);
}

Cp932LimitValidator::Cp932LimitValidator(size_t maxBytes, QLineEdit* box)
    : QValidator(box), maxBytes_(maxBytes), accepted_(box->text()) {
  connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
}

QValidator::State Cp932LimitValidator::validate(QString& input, int& pos) const {
  if (StoredCp932Length(input) <= maxBytes_) return Acceptable;
  input = FitEditToLimit(accepted_, input, maxBytes_, &pos);
  return StoredCp932Length(input) <= maxBytes_ ? Acceptable : Invalid;
}

LimitedNoteEdit::LimitedNoteEdit(size_t maxBytes, QWidget* parent)
    : QPlainTextEdit(parent), maxBytes_(maxBytes) {
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTabChangesFocus(true);
  connect(this, &QPlainTextEdit::textChanged, this, [this] { onContentsChanged(); });
}

std::string LimitedNoteEdit::storedText() const {
  return EditToStoredText(toPlainText());
}

void LimitedNoteEdit::setStoredText(const std::string& utf8) {
  reverting_ = true;
  setPlainText(StoredToEditText(utf8));
  reverting_ = false;
  lastAccepted_ = toPlainText();
}

void LimitedNoteEdit::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && !(event->modifiers() & Qt::ControlModifier)) {
    // Not ours: the dialog presses its default button.
    event->ignore();
    return;
  }
  if (enter) {
    textCursor().insertText(QStringLiteral("\n"));
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void LimitedNoteEdit::onContentsChanged() {
  if (reverting_) return;
  const QString now = toPlainText();
  if (StoredCp932Length(now) <= maxBytes_) {
    lastAccepted_ = now;
    return;
  }
  int cursor = 0;
  const QString fitted = FitEditToLimit(lastAccepted_, now, maxBytes_, &cursor);
  reverting_ = true;
  setPlainText(fitted);
  QTextCursor c = textCursor();
  c.setPosition(std::min(cursor, static_cast<int>(fitted.size())));
  setTextCursor(c);
  reverting_ = false;
  lastAccepted_ = fitted;
}

}  // namespace fernplot

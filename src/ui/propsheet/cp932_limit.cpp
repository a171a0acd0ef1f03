#include "propsheet/cp932_limit.h"

#include <QKeyEvent>
#include <QTextCursor>
#include <algorithm>

#include "text/encoding.h"

namespace fernplot {

QString StoredToEditText(const std::string& utf8) {
  QString s = QString::fromStdString(utf8);
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

Cp932LimitValidator::Cp932LimitValidator(size_t maxBytes, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes) {}

QValidator::State Cp932LimitValidator::validate(QString& input, int& /*pos*/) const {
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
  lastCursor_ = textCursor().position();
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
  lastCursor_ = textCursor().position();
}

void LimitedNoteEdit::onContentsChanged() {
  if (reverting_) return;
  const QString now = toPlainText();
  if (StoredCp932Length(now) <= maxBytes_) {
    lastAccepted_ = now;
    lastCursor_ = textCursor().position();
    return;
  }
  reverting_ = true;
  setPlainText(lastAccepted_);
  QTextCursor c = textCursor();
  c.setPosition(std::min(lastCursor_, static_cast<int>(lastAccepted_.size())));
  setTextCursor(c);
  reverting_ = false;
}

}  // namespace fernplot

#include "ui/forms/statustext.h"

#include <QColor>
#include <QPalette>
#include <QTextCursor>

namespace opal::ui {
namespace {

void SetTextColour(QPlainTextEdit& memo, const QColor& colour) {
  // Every colour group: a busy form is disabled, and its blue text must stay blue.
  QPalette palette = memo.palette();
  palette.setColor(QPalette::Text, colour);
  memo.setPalette(palette);
}

}  // namespace

void WriteStatusText(QPlainTextEdit& memo, StatusMode mode, const QString& text) {
  switch (mode) {
    case StatusMode::Plain:
    case StatusMode::Done:
      SetTextColour(memo, Qt::black);
      memo.setPlainText(text);
      break;
    case StatusMode::Busy:
      SetTextColour(memo, Qt::blue);
      memo.setPlainText(text);
      break;
    case StatusMode::Error:
      SetTextColour(memo, Qt::red);
      memo.setPlainText(text);
      break;
    case StatusMode::Append:
      memo.moveCursor(QTextCursor::End);
      memo.insertPlainText(text);
      break;
    case StatusMode::NewLine:
      memo.appendPlainText(text);
      break;
  }
}

void ResetStatusMemo(QPlainTextEdit& memo, bool keep_text) {
  if (!keep_text) memo.clear();
  SetTextColour(memo, Qt::black);
  QTextCursor cursor(memo.document());
  cursor.select(QTextCursor::Document);
  QTextBlockFormat left;
  left.setAlignment(Qt::AlignLeft);
  cursor.mergeBlockFormat(left);
  memo.show();
}

}  // namespace opal::ui

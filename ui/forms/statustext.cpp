#include "ui/forms/statustext.h"

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QTextCursor>

#include "ui/widgets/coretext.h"
#include "ui/widgets/designcolours.h"

namespace opal::ui {
namespace {

// The design's black, blue and red are for a light memo. On a dark one they would vanish: there
// the memo takes its palette's own text and lighter tones of blue and red.
QColor ModeColour(const QPlainTextEdit& memo, StatusMode mode) {
  const bool dark = IsDarkGround(memo.palette(), QPalette::Base);
  switch (mode) {
    case StatusMode::Busy:
      return ToneOn(kDesignBlue, dark);
    case StatusMode::Error:
      return ToneOn(kDesignRed, dark);
    default:
      // The memo's own text role holds the last mode's colour; the form's holds the desktop's.
      return dark ? (memo.parentWidget() ? memo.parentWidget()->palette() : QApplication::palette())
                        .color(QPalette::Text)
                  : QColor(Qt::black);
  }
}

void SetTextColour(QPlainTextEdit& memo, const QColor& colour) {
  // Every colour group: a busy form is disabled, and its blue text must stay blue.
  QPalette palette = memo.palette();
  palette.setColor(QPalette::Text, colour);
  memo.setPalette(palette);
}

}  // namespace

void WriteStatusText(QPlainTextEdit& memo, StatusMode mode, const QString& english) {
  // Every line of the status memo comes through here, the core's own among them.
  const QString text = CoreText(english);
  switch (mode) {
    case StatusMode::Plain:
    case StatusMode::Done:
      SetTextColour(memo, ModeColour(memo, StatusMode::Plain));
      memo.setPlainText(text);
      break;
    case StatusMode::Busy:
      SetTextColour(memo, ModeColour(memo, StatusMode::Busy));
      memo.setPlainText(text);
      break;
    case StatusMode::Error:
      SetTextColour(memo, ModeColour(memo, StatusMode::Error));
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
  SetTextColour(memo, ModeColour(memo, StatusMode::Plain));
  QTextCursor cursor(memo.document());
  cursor.select(QTextCursor::Document);
  QTextBlockFormat left;
  left.setAlignment(Qt::AlignLeft);
  cursor.mergeBlockFormat(left);
  memo.show();
}

}  // namespace opal::ui

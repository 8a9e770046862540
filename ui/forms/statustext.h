#pragma once

#include <QPlainTextEdit>
#include <QString>

#include "ui/panels/panelhost.h"

namespace opal::ui {

// The memo side of a status routine: text and colour as the mode says. Cursor, enabled state and
// repaint are the form's part.
void WriteStatusText(QPlainTextEdit& memo, StatusMode mode, const QString& text);

// Black, left-aligned, empty unless the text is kept: the memo as a panel reset leaves it.
void ResetStatusMemo(QPlainTextEdit& memo, bool keep_text);

}  // namespace opal::ui

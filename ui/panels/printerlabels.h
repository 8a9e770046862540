#pragma once

#include <QStringList>

class QBoxLayout;
class QWidget;

namespace opal::ui {

// What the technician would read off the printer itself (its head and serial labels), put under
// `field` in `layout` for a printer that cannot be looked at, one that prints into files. Nothing
// is added for a real printer, whose labels are on the hardware.
void ShowPrinterLabelsUnder(QBoxLayout& layout, const QWidget& field, const QStringList& labels);

}  // namespace opal::ui

#include "ui/panels/printerlabels.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QLabel>

namespace opal::ui {

void ShowPrinterLabelsUnder(QBoxLayout& layout, const QWidget& field, const QStringList& labels) {
  if (labels.isEmpty()) return;
  auto* shown = new QLabel(QCoreApplication::translate("PrinterLabels", "On the printer:") +
                           QLatin1Char('\n') + labels.join(QLatin1Char('\n')));
  shown->setObjectName(QStringLiteral("PrinterLabelsLbl"));
  shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout.insertWidget(layout.indexOf(&field) + 1, shown);
}

}  // namespace opal::ui

#include "ui/panels/printerlabels.h"

#include <QBoxLayout>
#include <QLabel>

namespace opal::ui {

void ShowPrinterLabelsUnder(QBoxLayout& layout, const QWidget& field, const QStringList& labels) {
  if (labels.isEmpty()) return;
  auto* shown = new QLabel(QStringLiteral("On the printer:\n") + labels.join(QLatin1Char('\n')));
  shown->setObjectName(QStringLiteral("PrinterLabelsLbl"));
  shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout.insertWidget(layout.indexOf(&field) + 1, shown);
}

}  // namespace opal::ui

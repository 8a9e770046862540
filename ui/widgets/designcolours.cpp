#include "ui/widgets/designcolours.h"

#include <QLabel>

namespace opal::ui {

bool IsDarkGround(const QPalette& palette, QPalette::ColorRole ground) {
  return palette.color(ground).lightness() < 128;
}

QColor ToneOn(const DesignColour& colour, bool dark) {
  return dark ? colour.dark : colour.light;
}

void KeepDesignColoursReadable(QWidget& root) {
  if (!IsDarkGround(root.palette(), QPalette::Window)) return;
  for (QLabel* label : root.findChildren<QLabel*>()) {
    QString sheet = label->styleSheet();
    if (sheet.contains(QStringLiteral("background"))) continue;
    for (const DesignColour* colour : {&kDesignBlue, &kDesignRed}) {
      sheet.replace(QStringLiteral("color: ") + colour->light.name(),
                    QStringLiteral("color: ") + colour->dark.name(), Qt::CaseInsensitive);
    }
    if (sheet != label->styleSheet()) label->setStyleSheet(sheet);
  }
}

}  // namespace opal::ui

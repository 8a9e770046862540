#include "ui/placeholderpanel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace opal::ui {

PlaceholderPanel::PlaceholderPanel(const QString& name, const QString& title) {
  setObjectName(name);
  auto* caption = new QLabel(title, this);
  caption->setObjectName(QStringLiteral("TitleLbl"));
  QFont font = caption->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.3);
  caption->setFont(font);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption);
  layout->addStretch();
}

}  // namespace opal::ui

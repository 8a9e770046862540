#include "ui/completedpanel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace opal::ui {

CompletedPanel::CompletedPanel() : OperationPanel(PanelId::Completed) {
  setObjectName(QStringLiteral("CompletedPnl"));
  auto* completed = new QLabel(QStringLiteral("All adjustment process has completed. "), this);
  completed->setObjectName(QStringLiteral("CompletedLbl"));
  QFont font = completed->font();
  font.setBold(true);
  font.setPointSize(12);
  completed->setFont(font);
  auto* back = new QLabel(QStringLiteral("Return to click the TopMenu button."), this);
  back->setObjectName(QStringLiteral("ReturnToTopMenuLbl"));
  auto* layout = new QVBoxLayout(this);
  layout->addStretch();
  layout->addWidget(completed, 0, Qt::AlignHCenter);
  layout->addWidget(back, 0, Qt::AlignHCenter);
  layout->addStretch();
}

}  // namespace opal::ui

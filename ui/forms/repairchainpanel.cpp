#include "ui/forms/repairchainpanel.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>

#include "ui/panels/operationarea.h"
#include "ui/widgets/arrowimage.h"
#include "ui/widgets/clickablepanel.h"

namespace opal::ui {
namespace {

constexpr int kStepWidth = 200;
constexpr int kStepHeight = 30;

}  // namespace

RepairChainPanel::RepairChainPanel(int number, const Repair& repair, QWidget* parent)
    : QFrame(parent) {
  setObjectName(QString::fromLatin1(repair.chain_panel));
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(4, 6, 4, 4);
  layout->setVerticalSpacing(2);

  auto* title = new QLabel(QCoreApplication::translate("Repair", repair.title), this);
  title->setObjectName(QStringLiteral("Repair%1TitleLbl").arg(number));
  title->setWordWrap(true);
  title->setAlignment(Qt::AlignCenter);
  QFont font = title->font();
  font.setBold(true);
  title->setFont(font);
  layout->addWidget(title, 0, 0);
  layout->setRowMinimumHeight(1, 6);

  int row = 2;
  for (const RepairStep& step : repair.steps) {
    StepWidgets widgets{};
    widgets.panel = new ClickablePanel(this);
    widgets.panel->setObjectName(QString::fromLatin1(step.panel));
    widgets.panel->SetCaption(QCoreApplication::translate("Repair", step.caption));
    widgets.panel->setFixedSize(kStepWidth, kStepHeight);
    KeepRoomWhenHidden(*widgets.panel);
    const int index = static_cast<int>(steps_.size());
    connect(widgets.panel, &ClickablePanel::Click, this,
            [this, index] { emit StepClicked(index); });
    layout->addWidget(widgets.panel, row, 0, Qt::AlignHCenter);

    widgets.done = new QLabel(QCoreApplication::translate("Repair", step.done_caption), this);
    widgets.done->setObjectName(QString::fromLatin1(step.done_label));
    widgets.done->setAlignment(Qt::AlignCenter);
    widgets.done->setFixedHeight(kStepHeight);
    widgets.done->hide();
    layout->addWidget(widgets.done, row, 0);
    ++row;

    if (step.arrow != nullptr) {
      widgets.arrow = new TFrameArrowImage(this);
      widgets.arrow->setObjectName(QString::fromLatin1(step.arrow));
      KeepRoomWhenHidden(*widgets.arrow);
      layout->addWidget(widgets.arrow, row++, 0, Qt::AlignHCenter);
    }
    steps_.push_back(widgets);
  }
  layout->setRowStretch(row, 1);
}

void RepairChainPanel::ShowSteps(bool steps_visible, bool done_visible) {
  for (const StepWidgets& step : steps_) {
    step.panel->setVisible(steps_visible);
    step.panel->SetColour(kPendingColour);
    if (step.arrow != nullptr) step.arrow->setVisible(steps_visible);
    step.done->setVisible(done_visible);
  }
}

void RepairChainPanel::MarkOpen(int step) {
  steps_.at(static_cast<size_t>(step)).panel->SetColour(kOpenColour);
}

void RepairChainPanel::MarkDone(int step) {
  const StepWidgets& widgets = steps_.at(static_cast<size_t>(step));
  widgets.panel->hide();
  if (widgets.arrow != nullptr) widgets.arrow->hide();
  widgets.done->show();
}

void RepairChainPanel::MarkNext(int step) {
  steps_.at(static_cast<size_t>(step)).panel->setFocus(Qt::OtherFocusReason);
}

}  // namespace opal::ui

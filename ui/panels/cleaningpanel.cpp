#include "ui/panels/cleaningpanel.h"

#include "ui/panels/sequencestatus.h"
#include "ui_cleaningpanel.h"

namespace opal::ui {

CleaningPanel::CleaningPanel(ServiceContext& context, PanelHost& host)
    : OperationPanel(PanelId::Cleaning),
      ui_(std::make_unique<::Ui::CleaningPanel>()),
      context_(context),
      host_(host) {
  ui_->setupUi(this);
  connect(ui_->CleaningOKBtn, &QPushButton::clicked, this, &CleaningPanel::CleaningOKBtnClick);
}

CleaningPanel::~CleaningPanel() = default;

void CleaningPanel::CleaningOKBtnClick() {
  // The status line tells the outcome; the panel stays as it is either way.
  DropResult(RunSequenceWithStatus(context_, host_, kPowerfulCleaning));
}

}  // namespace opal::ui

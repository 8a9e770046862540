#include "ui/panels/completedpanel.h"

#include "ui_completedpanel.h"

namespace opal::ui {

CompletedPanel::CompletedPanel()
    : OperationPanel(PanelId::Completed), ui_(std::make_unique<::Ui::CompletedPanel>()) {
  ui_->setupUi(this);
}

CompletedPanel::~CompletedPanel() = default;

}  // namespace opal::ui

#include "ui/panels/operationpanel.h"

namespace opal::ui {

OperationPanel::OperationPanel(PanelId id) : id_(id) {}

// Panels without inputs or inner choices have nothing to reset.
void OperationPanel::ClearInput() {}
void OperationPanel::RestoreFirstChoice() {}

}  // namespace opal::ui

#pragma once

#include "ui/operationpanel.h"

namespace opal::ui {

// The end of a repair chain: every step is done and the way back is "Top Menu".
class CompletedPanel final : public OperationPanel {
  Q_OBJECT

 public:
  CompletedPanel();
};

}  // namespace opal::ui

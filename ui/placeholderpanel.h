#pragma once

#include <QString>

#include "ui/operationpanel.h"

namespace opal::ui {

// An operation panel whose operation is not built yet: its name and title only.
class PlaceholderPanel final : public OperationPanel {
  Q_OBJECT

 public:
  PlaceholderPanel(const QString& name, const QString& title);
};

}  // namespace opal::ui

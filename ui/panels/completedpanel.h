#pragma once

#include <memory>

#include "ui/panels/operationpanel.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class CompletedPanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// The end of a repair chain: every step is done and the way back is "Top Menu".
class CompletedPanel final : public OperationPanel {
  Q_OBJECT

 public:
  CompletedPanel();
  ~CompletedPanel() override;

 private:
  std::unique_ptr<::Ui::CompletedPanel> ui_;
};

}  // namespace opal::ui

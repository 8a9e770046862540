#include "ui/panels/operationarea.h"

#include <QGridLayout>
#include <algorithm>
#include <stdexcept>

namespace opal::ui {

void KeepRoomWhenHidden(QWidget& widget) {
  QSizePolicy policy = widget.sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  widget.setSizePolicy(policy);
}

OperationArea::OperationArea(QGridLayout& layout) : layout_(layout) {}

void OperationArea::Add(OperationPanel* panel) {
  KeepRoomWhenHidden(*panel);
  panel->hide();
  layout_.addWidget(panel, 0, 0);
  panels_.push_back(panel);
}

void OperationArea::Reset() {
  for (OperationPanel* panel : panels_) {
    panel->hide();
    panel->ClearInput();
  }
}

void OperationArea::RestoreFirstChoice() {
  for (OperationPanel* panel : panels_) panel->RestoreFirstChoice();
}

void OperationArea::Show(PanelId panel) {
  Find(panel).show();
}

OperationPanel& OperationArea::Find(PanelId id) const {
  const auto found = std::find_if(panels_.begin(), panels_.end(),
                                  [id](const OperationPanel* panel) { return panel->Id() == id; });
  if (found == panels_.end()) throw std::logic_error("the form holds no such operation panel");
  return **found;
}

}  // namespace opal::ui

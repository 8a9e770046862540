#include "ui/operationarea.h"

#include <QGridLayout>

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

void OperationArea::Show(const QString& name) {
  if (OperationPanel* panel = Find(name)) panel->show();
}

void OperationArea::Hide(const QString& name) {
  if (OperationPanel* panel = Find(name)) panel->hide();
}

OperationPanel* OperationArea::Find(const QString& name) const {
  for (OperationPanel* panel : panels_) {
    if (panel->objectName() == name) return panel;
  }
  return nullptr;
}

}  // namespace opal::ui

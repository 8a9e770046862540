#pragma once

#include <vector>

#include "ui/panels/operationpanel.h"

class QGridLayout;
class QWidget;

namespace opal::ui {

// A hidden widget keeps its room in the layout, so what stands around it does not move.
void KeepRoomWhenHidden(QWidget& widget);

// The operation panels of a form, all in the same cell of its operation area; the form shows
// them one at a time by id.
class OperationArea {
 public:
  explicit OperationArea(QGridLayout& layout);

  // The panel starts hidden; the area takes the size of its largest panel.
  void Add(OperationPanel* panel);
  // Every panel hidden, its input cleared.
  void Reset();
  // Leaving the program: every panel's inner choices back to their first item.
  void RestoreFirstChoice();
  void Show(PanelId panel);
  // The form's panel with this id; asking for one the form does not hold is a fault of the form.
  OperationPanel& Find(PanelId panel) const;

 private:
  QGridLayout& layout_;
  std::vector<OperationPanel*> panels_;
};

}  // namespace opal::ui

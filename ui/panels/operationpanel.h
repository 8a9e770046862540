#pragma once

#include <QWidget>

#include "ui/panels/panelid.h"

namespace opal::ui {

// Where a panel works: an operation of the individual adjustment form, or a step of a repair
// chain, where its second button is "Complete" and success enables it.
enum class PanelRole { Adjustment, RepairStep };

// One operation panel of a form's operation area. The panels open one another by their id through
// their PanelHost.
class OperationPanel : public QWidget {
  Q_OBJECT

 public:
  explicit OperationPanel(PanelId id);

  PanelId Id() const { return id_; }

  // A panel reset: edits emptied, check boxes cleared, the panel's first view back.
  virtual void ClearInput();
  // Leaving the program: inner item choices back to their first item.
  virtual void RestoreFirstChoice();

 signals:
  // A repair step's Complete button was pressed; the repair form marks the step done.
  void StepCompleted();

 private:
  const PanelId id_;
};

}  // namespace opal::ui

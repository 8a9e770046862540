#pragma once

#include <QWidget>

namespace opal::ui {

// Where a panel works: an operation of the individual adjustment form, or a step of a repair
// chain, where its second button is "Complete" and success enables it.
enum class PanelRole { Adjustment, RepairStep };

// One operation panel of a form's operation area. Its object name is the panel's name, by which
// the panels open one another through their PanelHost.
class OperationPanel : public QWidget {
  Q_OBJECT

 public:
  explicit OperationPanel(QWidget* parent = nullptr);

  // A panel reset: edits emptied, check boxes cleared, the panel's first view back.
  virtual void ClearInput();
  // Leaving the program: inner item choices back to their first item.
  virtual void RestoreFirstChoice();

 signals:
  // A repair step's Complete button was pressed; the repair form marks the step done.
  void StepCompleted();
};

}  // namespace opal::ui

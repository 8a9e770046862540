#pragma once

#include <QWidget>

namespace opal::ui {

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
};

}  // namespace opal::ui

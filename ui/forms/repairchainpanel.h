#pragma once

#include <vector>

#include <QColor>
#include <QFrame>

#include "ui/forms/repairchains.h"

class QLabel;

namespace opal::ui {

class ClickablePanel;
class TFrameArrowImage;

// The chain of one repair on the left of the repair form: its title, a clickable panel per step
// with an arrow down to the next, and per step a "done" label on the step's spot.
class RepairChainPanel : public QFrame {
  Q_OBJECT

 public:
  static inline const QColor kPendingColour{0x00, 0x97, 0xC0};
  static inline const QColor kOpenColour{0x00, 0xFF, 0xFF};

  RepairChainPanel(int number, const Repair& repair, QWidget* parent = nullptr);

  // Every step panel and arrow shown or hidden, the steps pending again; every done label shown
  // or hidden.
  void ShowSteps(bool steps_visible, bool done_visible);
  void MarkOpen(int step);
  // The step panel and its arrow give way to the done label.
  void MarkDone(int step);
  // The step to open next takes the focus, which rings it: Enter opens it.
  void MarkNext(int step);

 signals:
  void StepClicked(int step);

 private:
  struct StepWidgets {
    ClickablePanel* panel;
    QLabel* done;
    TFrameArrowImage* arrow;
  };

  std::vector<StepWidgets> steps_;
};

}  // namespace opal::ui

#pragma once

#include "ui/panels/itemchoicepanel.h"
#include "ui/panels/panelhost.h"

namespace opal::ui {

// "Protection counter" on the individual adjustment form: check the counter, or clear it.
class CounterPanel final : public ItemChoicePanel {
  Q_OBJECT

 public:
  explicit CounterPanel(PanelHost& host);

  void RestoreFirstChoice() override;

 public slots:
  void ProCounterOKBtnClick();

 private:
  PanelHost& host_;
};

}  // namespace opal::ui

#include "ui/panels/counterpanel.h"

namespace opal::ui {

CounterPanel::CounterPanel(PanelHost& host)
    : ItemChoicePanel(
          {.id = PanelId::CounterChoice,
           .panel = "CounterPnl",
           .title_label = "TitleLbl",
           .title = tr("Protection counter maintenance "),
           .group = "CounterRdoBtn",
           .items = {tr("Check the protection counter."), tr("Clear the protection counter.")},
           .ok_button = "ProCounterOKBtn"}),
      host_(host) {
  connect(&OkButton(), &QPushButton::clicked, this, &CounterPanel::ProCounterOKBtnClick);
}

void CounterPanel::RestoreFirstChoice() {
  SelectFirstItem();
}

void CounterPanel::ProCounterOKBtnClick() {
  host_.ResetPanels(false);
  host_.ShowPanel(ItemIndex() == 0 ? PanelId::CounterCheck : PanelId::CounterClear);
}

}  // namespace opal::ui

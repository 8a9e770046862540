#pragma once

#include "ui/panels/itemchoicepanel.h"
#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

namespace opal::ui {

// "Head ID" on the individual adjustment form: input a new head ID, or check the stored one.
class HeadIdPanel final : public ItemChoicePanel {
  Q_OBJECT

 public:
  HeadIdPanel(ServiceContext& context, PanelHost& host);

  void RestoreFirstChoice() override;

 public slots:
  void HdVolOKBtnClick();

 private:
  void CheckHeadId();

  ServiceContext& context_;
  PanelHost& host_;
};

}  // namespace opal::ui

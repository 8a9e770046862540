#pragma once

#include "ui/panels/itemchoicepanel.h"
#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

namespace opal::ui {

// "USB ID" on the individual adjustment form: input the serial number, or check what is stored.
class UsbIdPanel final : public ItemChoicePanel {
  Q_OBJECT

 public:
  UsbIdPanel(ServiceContext& context, PanelHost& host);

 public slots:
  void UsbIdOKBtnClick();

 private:
  void CheckUsbId();

  ServiceContext& context_;
  PanelHost& host_;
};

}  // namespace opal::ui

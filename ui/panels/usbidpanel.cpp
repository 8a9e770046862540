#include "ui/panels/usbidpanel.h"

#include <string>

#include "device/usbid.h"
#include "ui/seams/printerworker.h"

namespace opal::ui {

UsbIdPanel::UsbIdPanel(ServiceContext& context, PanelHost& host)
    : ItemChoicePanel({.id = PanelId::UsbIdChoice,
                       .panel = "UsbIdPnl",
                       .title_label = "TitleLbl",
                       .title = tr("USB ID adjustment items "),
                       .group = "UsbIdRdoBtn",
                       .items = {tr("Input USB ID"), tr("Check USB ID")},
                       .ok_button = "UsbIdOKBtn"}),
      context_(context),
      host_(host) {
  connect(&OkButton(), &QPushButton::clicked, this, &UsbIdPanel::UsbIdOKBtnClick);
}

void UsbIdPanel::UsbIdOKBtnClick() {
  if (ItemIndex() == 0) {
    // The status text stays: the only panel change that keeps it.
    host_.ResetPanels(true);
    host_.ShowPanel(PanelId::UsbIdInput);
  } else {
    CheckUsbId();
  }
}

void UsbIdPanel::CheckUsbId() {
  std::string text;
  const Result result = OffTheWindow([&] { return context_.operations.ReadUsbId(text); });
  if (result != PORT_OK) {
    host_.ShowResultCode(StatusMode::Error, result);
    return;
  }
  host_.ShowStatus(StatusMode::Plain, QString::fromUtf8(kUsbIdShownPrefix));
  host_.ShowStatus(StatusMode::Append, QString::fromLatin1(text));
}

}  // namespace opal::ui

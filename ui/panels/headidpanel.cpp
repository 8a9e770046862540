#include "ui/panels/headidpanel.h"

#include <string>

#include "device/headid.h"
#include "ui/seams/printerworker.h"
#include "ui/seams/screencursor.h"

namespace opal::ui {

HeadIdPanel::HeadIdPanel(ServiceContext& context, PanelHost& host)
    : ItemChoicePanel({.id = PanelId::HeadIdChoice,
                       .panel = "HdVolPnl",
                       .title_label = "TitleLbl",
                       .title = tr("Head ID adjustment items "),
                       .group = "HdVolRdoBtn",
                       .items = {tr("Input head ID"), tr("Check head ID")},
                       .ok_button = "HdVolOKBtn"}),
      context_(context),
      host_(host) {
  connect(&OkButton(), &QPushButton::clicked, this, &HeadIdPanel::HdVolOKBtnClick);
}

void HeadIdPanel::RestoreFirstChoice() {
  SelectFirstItem();
}

void HeadIdPanel::HdVolOKBtnClick() {
  if (ItemIndex() == 0) {
    host_.ResetPanels(false);
    host_.ShowPanel(PanelId::HeadIdInput);
  } else {
    CheckHeadId();
  }
}

void HeadIdPanel::CheckHeadId() {
  ShowHourglass();
  std::string text;
  const Result result = OffTheWindow([&] { return context_.operations.ReadHeadId(text); });
  if (result == PORT_OK) {
    host_.ShowStatus(StatusMode::Plain, QString::fromUtf8(kHeadIdShownPrefix));
    // Stored bytes outside the symbol maps come back as raw characters, one byte each.
    const std::string_view shown = HeadIdAsShown(text);
    host_.ShowStatus(StatusMode::Append,
                     QString::fromLatin1(shown.data(), static_cast<qsizetype>(shown.size())));
  } else {
    host_.ShowResultCode(StatusMode::Error, result);
  }
  ShowNormalCursor();
}

}  // namespace opal::ui

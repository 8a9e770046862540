#include "ui/forms/adjusteditems.h"

#include "ui_adjusteditems.h"

namespace opal::ui {

AdjustedItemPanel::AdjustedItemPanel(QWidget* parent)
    : QFrame(parent), ui_(std::make_unique<::Ui::AdjustedItemPanel>()) {
  ui_->setupUi(this);
  // What was written stays readable while a busy form is disabled.
  QPalette palette = this->palette();
  for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text}) {
    palette.setColor(QPalette::Disabled, role, palette.color(QPalette::Active, role));
  }
  setPalette(palette);
}

AdjustedItemPanel::~AdjustedItemPanel() = default;

void AdjustedItemPanel::Set(AdjustedItem item, const QString& text) {
  QLabel* const fields[] = {ui_->ShowHdVolIDPnl, ui_->ShowMsBkPnl,  ui_->Show6plBkPnl,
                            ui_->Show4plBkPnl,   ui_->ShowMsClPnl,  ui_->Show6plClPnl,
                            ui_->Show4plClPnl,   ui_->ShowUSBIDLbl, ui_->ShowProCounterPnl};
  fields[static_cast<int>(item)]->setText(text);
}

void AdjustedItemPanel::Clear() {
  for (const AdjustedItem item :
       {AdjustedItem::HeadId, AdjustedItem::MsBlack, AdjustedItem::MsColor, AdjustedItem::Pl6Black,
        AdjustedItem::Pl6Color, AdjustedItem::Pl4Black, AdjustedItem::Pl4Color, AdjustedItem::UsbId,
        AdjustedItem::ProtectionCounter}) {
    Set(item, QString());
  }
}

}  // namespace opal::ui

#pragma once

#include <memory>

#include "ui/panels/bidsteppanel.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class BidPrintPanel;
}
QT_END_NAMESPACE

namespace opal::ui {

class BidInputPanel;

// Prints the Bi-D check page lower on the sheet by the track bar's steps: `BidPrintPnl` on the
// individual form, `BidPrnPnl` on the repair form, whose "Adjust" opens the input panel.
class BidPrintPanel : public BidStepPanel {
  Q_OBJECT

 public:
  BidPrintPanel(ServiceContext& context, PanelHost& host, PanelRole role, BidInputPanel& input);
  ~BidPrintPanel() override;

  // The print start back at the top of the sheet.
  void ClearInput() override;

 public slots:
  // Also the repair form's "Print".
  void BidPrnOKBtnClick();
  void BidAdjustBtnClick();

 private:
  std::unique_ptr<::Ui::BidPrintPanel> ui_;
  BidInputPanel& input_;
};

}  // namespace opal::ui

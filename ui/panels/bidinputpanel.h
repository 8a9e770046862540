#pragma once

#include <array>
#include <memory>

#include "device/bid.h"
#include "ui/panels/bidsteppanel.h"

class QCheckBox;
class QLineEdit;

QT_BEGIN_NAMESPACE
namespace Ui {
class BidInputPanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// The six Bi-D values, each with a check box, an edit and an up-down: the values the printer holds
// are read into the edits, and the ticked ones are written. `BidInputPnl` on the individual form;
// `BidWrtPnl` on the repair form, whose "Input" also lets the step be completed.
class BidInputPanel : public BidStepPanel {
  Q_OBJECT

 public:
  BidInputPanel(ServiceContext& context, PanelHost& host, PanelRole role);
  ~BidInputPanel() override;

  // Edits emptied, boxes unticked.
  void ClearInput() override;
  // Shows this panel, then reads the six values into the edits.
  void ShowAndReadValues();

 public slots:
  void BidWrtOKBtnClick();
  void BidInputBtnClick();
  void BidAdjustPrintBtnClick();

 private:
  struct Row {
    QCheckBox* box;
    QLineEdit* edit;
  };

  void AddRow(std::size_t row, int arrow_limit);
  // Reports every ticked value that cannot be written; true when there is none.
  bool TickedValuesAccepted(const std::array<BidEntry, kBidRowCount>& entries);
  // Writes the ticked values; false when one was sent that the printer does not hold.
  bool WriteTickedValues();

  std::unique_ptr<::Ui::BidInputPanel> ui_;
  std::array<Row, kBidRowCount> rows_{};
};

}  // namespace opal::ui

#pragma once

#include <cstdint>
#include <memory>

#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class EepromGridPanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// EepromGridPnl: the EEPROM as 16 rows of 16 bytes, a row per high address digit and a column
// per low one, filled as the bytes arrive. It needs the status memo's room as well.
class EepromGridPanel final : public OperationPanel {
  Q_OBJECT

 public:
  explicit EepromGridPanel(PanelHost& host);
  ~EepromGridPanel() override;

  // Empties every byte cell; the address digits stay.
  void ClearBytes();
  // Shows the byte in its cell at once, while the rest of a range is still being read.
  void ShowByte(uint8_t address, uint8_t value);

 public slots:
  void EepromGridRtnBtnClick();

 private:
  std::unique_ptr<::Ui::EepromGridPanel> ui_;
  PanelHost& host_;
};

}  // namespace opal::ui

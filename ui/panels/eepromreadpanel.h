#pragma once

#include <memory>

#include "ui/panels/eepromgridpanel.h"
#include "ui/panels/hexentrypanel.h"
#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class EepromReadPanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// EepromReadPnl: the technician types a start and an end address and OK reads the range into the
// grid. The addresses stay typed across panel changes, so "Previous" on the grid finds them again.
class EepromReadPanel final : public HexEntryPanel {
  Q_OBJECT

 public:
  EepromReadPanel(ServiceContext& context, PanelHost& host, EepromGridPanel& grid);
  ~EepromReadPanel() override;

 public slots:
  void EepromReadOkBtnClick();
  void EepromReadRtnBtnClick();

 private:
  std::unique_ptr<::Ui::EepromReadPanel> ui_;
  ServiceContext& context_;
  PanelHost& host_;
  EepromGridPanel& grid_;
};

}  // namespace opal::ui

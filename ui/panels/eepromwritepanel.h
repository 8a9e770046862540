#pragma once

#include <memory>

#include "ui/panels/hexentrypanel.h"
#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class EepromWritePanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// EepromWritePnl: writes one byte at a typed address, with no question asked. The panel stays
// open with what was typed, so the next byte can follow at once.
class EepromWritePanel final : public HexEntryPanel {
  Q_OBJECT

 public:
  EepromWritePanel(ServiceContext& context, PanelHost& host);
  ~EepromWritePanel() override;

 public slots:
  void EepromWriteOkBtnClick();
  void EepromWriteRtnBtnClick();

 private:
  std::unique_ptr<::Ui::EepromWritePanel> ui_;
  ServiceContext& context_;
  PanelHost& host_;
};

}  // namespace opal::ui

#pragma once

#include <memory>

#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class LiquidExchangePanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// "Refurbishment for DOA", first panel: the transport-liquid exchange. Once the printer answers
// again, "Next >" leads to the data reset.
class LiquidExchangePanel final : public OperationPanel {
  Q_OBJECT

 public:
  LiquidExchangePanel(ServiceContext& context, PanelHost& host);
  ~LiquidExchangePanel() override;

  // The exchange not yet run: "EXCHANGE SEQUENCE" offered, "Next >" hidden.
  void ClearInput() override;

 public slots:
  void ExchangeSequence1PnlClick();
  void ExchangeCompleteNextBtnClick();

 private:
  std::unique_ptr<::Ui::LiquidExchangePanel> ui_;
  ServiceContext& context_;
  PanelHost& host_;
};

}  // namespace opal::ui

#pragma once

#include <array>
#include <memory>
#include <vector>

#include <QTimer>
#include <QWidget>

#include "ui/forms/busyfocus.h"

#include "ui/forms/programform.h"
#include "ui/panels/operationarea.h"
#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class TFormAdjust;
}
QT_END_NAMESPACE

namespace opal::ui {

class RadioGroup;

// The Individual Adjustment Service Program: four tabbed menus pick an operation panel, the status
// memo reports, the "Adjusted Item" column shows what was written. Closing it re-initialises the
// printer and leads to the quit form.
class TFormAdjust : public ProgramForm, public PanelHost {
  Q_OBJECT

 public:
  explicit TFormAdjust(ServiceContext& context);
  ~TFormAdjust() override;

  // The model the technician chose on the start-up form.
  void SetModel(PrinterModel model);
  // The status line that names the model the printer answered as.
  void ShowPrinterModel(PrinterModel model);

  void ShowStatus(StatusMode mode, const QString& text) override;
  void ResetPanels(bool keep_text) override;
  void ShowPanel(PanelId panel) override;
  void SetStatusMemoVisible(bool visible) override;
  void MoveStatusMemoForReport() override;
  void SetAdjustedItem(AdjustedItem item, const QString& text) override;
  void CloseWithoutInitialisation() override;
  PrinterModel SelectedModelCode() const override;

  // Set when the next close must not re-initialise the printer; every close clears it.
  bool NoInitOnClose = false;

 public slots:
  void AdjustRdoGrpClick();
  void MainteRdoGrpClick();
  void PatternPrnItemsRdoGrpClick();
  void AppendixRdoGrpClick();
  void AdjustmentTabChange();
  void DisableTimerTimer();
  void IndivisualAdjustQuitBtnClick();
  void FormClose() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  BusyFocus busy_focus_;
  std::vector<OperationPanel*> MakePanels();
  void PutStatusMemoInPlace();
  void OpenMenuItem(RadioGroup& chosen, const std::vector<PanelId>& panels);
  std::array<RadioGroup*, 4> Menus() const;
  void ClearMenus();

  std::unique_ptr<::Ui::TFormAdjust> ui_;
  PrinterModel model_ = PrinterModel::None;
  QTimer DisableTimer;
  OperationArea area_;
  // Between a busy status and its done or error status.
  bool busy_ = false;
};

}  // namespace opal::ui

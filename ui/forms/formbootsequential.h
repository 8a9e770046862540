#pragma once

#include <memory>

#include "ui/forms/programform.h"
#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class TFormBootSequential;
}
QT_END_NAMESPACE

namespace opal::ui {

// The Sequential Repair Service Program's menu of repairs. Closing it re-initialises the printer
// and leads to the quit form.
class TFormBootSequential : public ProgramForm {
  Q_OBJECT

 public:
  explicit TFormBootSequential(ServiceContext& context);
  ~TFormBootSequential() override;

  void SetModel(PrinterModel model);

 signals:
  // Menu item `repair` (1 to 7) was chosen; the menu has hidden itself.
  void RepairChosen(int repair);
  // The menu is closing: the repairs done under it are over.
  void Leaving();

 public slots:
  void SeqRepairPnl1Click() { OpenRepair(1); }
  void SeqRepairPnl2Click() { OpenRepair(2); }
  void SeqRepairPnl3Click() { OpenRepair(3); }
  void SeqRepairPnl4Click() { OpenRepair(4); }
  void SeqRepairPnl5Click() { OpenRepair(5); }
  void SeqRepairPnl6Click() { OpenRepair(6); }
  void SeqRepairPnl7Click() { OpenRepair(7); }
  void SequentialFormBootQuitBtnClick();
  void FormClose() override;

 private:
  // The repair form on the first step of menu item `item`.
  void OpenRepair(int item);

  std::unique_ptr<::Ui::TFormBootSequential> ui_;
};

}  // namespace opal::ui

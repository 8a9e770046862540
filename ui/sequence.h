#pragma once

#include <memory>

#include <QWidget>

QT_BEGIN_NAMESPACE
namespace Ui {
class TFormSequentialRepair;
}
QT_END_NAMESPACE

namespace opal::ui {

// The repair form of the Sequential Repair Service Program. So far it holds what the other forms
// reach: the model label, the status area and the "Adjusted Item" column.
class TFormSequentialRepair : public QWidget {
  Q_OBJECT

 public:
  TFormSequentialRepair();
  ~TFormSequentialRepair() override;

  void SetModelName(const QString& name);
  void ResetRepairForm();
  // Empties the "Adjusted Item" column, which keeps its values over all repairs until the menu
  // closes.
  void ClearAdjustedItems();

 private:
  std::unique_ptr<::Ui::TFormSequentialRepair> ui_;
};

}  // namespace opal::ui

#pragma once

#include <memory>

#include <QFrame>
#include <QString>

#include "ui/panels/panelhost.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class AdjustedItemPanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// The "Adjusted Item" column: what has been written into the printer since the program was
// chosen. The individual form and the repair form each show one.
class AdjustedItemPanel : public QFrame {
  Q_OBJECT

 public:
  explicit AdjustedItemPanel(QWidget* parent = nullptr);
  ~AdjustedItemPanel() override;

  void Set(AdjustedItem item, const QString& text);
  void Clear();

 private:
  std::unique_ptr<::Ui::AdjustedItemPanel> ui_;
};

}  // namespace opal::ui

#pragma once

#include <memory>

#include <QWidget>

#include "ui/forms.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class TFormQuit;
}
QT_END_NAMESPACE

namespace opal::ui {

// Shown after a program was left and the port closed: start again, or end the program.
class TFormQuit : public QWidget {
  Q_OBJECT

 public:
  explicit TFormQuit(Forms& forms);
  ~TFormQuit() override;

 public slots:
  void NextBtnClick();
  void QuitBtnClick();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::unique_ptr<::Ui::TFormQuit> ui_;
  Forms& forms_;
};

}  // namespace opal::ui

#pragma once

#include <memory>

#include <QWidget>

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
  TFormQuit();
  ~TFormQuit() override;

 signals:
  void NextChosen();
  void QuitChosen();

 public slots:
  void NextBtnClick();
  void QuitBtnClick();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::unique_ptr<::Ui::TFormQuit> ui_;
};

}  // namespace opal::ui

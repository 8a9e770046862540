#pragma once

#include <memory>

#include <QDialog>

QT_BEGIN_NAMESPACE
namespace Ui {
class TAboutBox;
}
QT_END_NAMESPACE

namespace opal::ui {

// The program's name, picture and version; the one modal form.
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  TAboutBox();
  ~TAboutBox() override;

 public slots:
  void OKButtonClick();

 private:
  std::unique_ptr<::Ui::TAboutBox> ui_;
};

}  // namespace opal::ui

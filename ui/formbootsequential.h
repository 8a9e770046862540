#pragma once

#include <memory>

#include "ui/forms.h"
#include "ui/programform.h"
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
  TFormBootSequential(ServiceContext& context, Forms& forms);
  ~TFormBootSequential() override;

  void SetModelName(const QString& name);

 public slots:
  void SequentialFormBootQuitBtnClick();
  void FormClose() override;

 private:
  std::unique_ptr<::Ui::TFormBootSequential> ui_;
  Forms& forms_;
};

}  // namespace opal::ui

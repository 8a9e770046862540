#include "ui/widgets/uppercaseinput.h"

#include <QLineEdit>
#include <QValidator>

#include "device/datamanu.h"

namespace opal::ui {
namespace {

// A validator may rewrite what is being typed; this one only raises a-z, as the printer's hex
// and head ID inputs expect, and refuses nothing.
class UpperCaseValidator final : public QValidator {
 public:
  using QValidator::QValidator;

  State validate(QString& input, int&) const override {
    input = QString::fromStdString(ToUpperAscii(input.toStdString()));
    return Acceptable;
  }
};

}  // namespace

void ForceUpperCase(QLineEdit& edit) {
  edit.setValidator(new UpperCaseValidator(&edit));
}

}  // namespace opal::ui

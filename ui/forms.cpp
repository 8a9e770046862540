#include "ui/forms.h"

#include "ui/about.h"
#include "ui/adjust.h"
#include "ui/boot.h"
#include "ui/formbootsequential.h"
#include "ui/quit.h"
#include "ui/sequence.h"

namespace opal::ui {

Forms::Forms(ServiceContext& context) {
  FormBoot = std::make_unique<TFormBoot>(context, *this);
  FormAdjust = std::make_unique<TFormAdjust>(context, *this);
  AboutBox = std::make_unique<TAboutBox>();
  FormQuit = std::make_unique<TFormQuit>(*this);
  FormBootSequential = std::make_unique<TFormBootSequential>(context, *this);
  FormSequentialRepair = std::make_unique<TFormSequentialRepair>(context, *this);
}

Forms::~Forms() = default;

}  // namespace opal::ui

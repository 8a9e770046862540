#include "ui/panels/journaledoperation.h"

#include "service/changewords.h"

namespace opal::ui {

JournaledOperation::JournaledOperation(ServiceContext& context, PanelHost& host,
                                       JournalOperation operation)
    : journal_(context.journal), host_(host) {
  if (journal_) journal_->StartOperation(std::string(JournalOperationName(operation)));
}

JournaledOperation::~JournaledOperation() {
  if (!journal_) return;
  journal_->EndOperation();
  const std::string left = LeftBehindLine(journal_->LeftBehind());
  if (!left.empty()) host_.ShowStatus(StatusMode::NewLine, QString::fromStdString(left));
}

}  // namespace opal::ui

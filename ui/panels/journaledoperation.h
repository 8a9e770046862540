#pragma once

#include "service/journaloperations.h"
#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

namespace opal::ui {

// The writes a panel makes while it lives are one journal entry under the operation's name. When
// the operation stopped with values not as it meant to leave them, the status area names them.
class JournaledOperation {
 public:
  JournaledOperation(ServiceContext& context, PanelHost& host, JournalOperation operation);
  ~JournaledOperation();
  JournaledOperation(const JournaledOperation&) = delete;
  JournaledOperation& operator=(const JournaledOperation&) = delete;

 private:
  ServiceJournal* journal_;
  PanelHost& host_;
};

}  // namespace opal::ui

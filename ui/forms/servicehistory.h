#pragma once

#include <QAction>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "link/ports.h"
#include "service/servicejournal.h"
#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class TFormServiceHistory;
}
QT_END_NAMESPACE

namespace opal::ui {

// The service journal for the printer on one port: every write with its old and new bytes, and
// an undo of the chosen one, written to that printer and read back.
class TFormServiceHistory : public QWidget {
  Q_OBJECT

 public:
  TFormServiceHistory(ServiceContext& context, ServiceJournal& journal);
  ~TFormServiceHistory() override;

  // "Service history..." for the start-up form's pop-up menu.
  QAction& ShowAction() { return show_action_; }
  // The entries made at `port`; every entry without one, with undo left off.
  void ShowFor(std::optional<PortId> port);

 public slots:
  void UndoBtnClick();

 private:
  void Reload();
  void ShowSelected();
  const JournalEntry* Selected() const;
  Result UndoOnPrinter(const JournalEntry& entry, int64_t& by, std::string& refusal);

  std::unique_ptr<::Ui::TFormServiceHistory> ui_;
  ServiceContext& context_;
  ServiceJournal& journal_;
  QAction show_action_;
  std::optional<PortId> port_;
  std::vector<JournalEntry> entries_;
};

}  // namespace opal::ui

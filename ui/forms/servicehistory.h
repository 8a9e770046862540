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
// an undo of the chosen one, written to that printer and read back. A printer found by its serial
// or an ID shows its entries from every bench of the shop (without one, from this bench's
// journal); its last known values can be put back on a new main board, and its visit written as
// a report for the customer.
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
  void FindBtnClick();
  void RestoreValuesBtnClick();
  void ReportBtnClick();

 private:
  void Reload();
  void ShowSelected();
  const JournalEntry* Selected() const;
  Result UndoOnPrinter(const JournalEntry& entry, int64_t& by, std::string& refusal);
  // Opens the chosen port and brings the printer into its service protocol for the journal.
  Result Reach();
  void Said(const Outcome& outcome, const QString& done);

  std::unique_ptr<::Ui::TFormServiceHistory> ui_;
  ServiceContext& context_;
  ServiceJournal& journal_;
  QAction show_action_;
  std::optional<PortId> port_;
  // The printer found by FindEdit; none: the entries made at the port.
  std::optional<std::string> found_;
  std::vector<JournalEntry> entries_;
};

}  // namespace opal::ui

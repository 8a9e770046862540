#include "ui/forms/servicehistory.h"

#include <QStringList>
#include <QTreeWidgetItem>
#include <algorithm>
#include <vector>

#include "link/forceexit.h"
#include "report/reportwriter.h"
#include "service/changewords.h"
#include "service/journaltext.h"
#include "service/printerhistory.h"
#include "service/printeridentity.h"
#include "service/servicereport.h"
#include "ui/seams/printerworker.h"
#include "ui/seams/screencursor.h"
#include "ui_servicehistory.h"

namespace opal::ui {
namespace {

QString ChangesLine(const JournalEntry& entry) {
  QStringList changes;
  for (const JournalChange& change : entry.changes) {
    changes.append(QString::fromStdString(ChangeText(change)));
  }
  return changes.join(QStringLiteral(", "));
}

QString EntryDetail(const JournalEntry& entry) {
  const JournalPrinter& printer = entry.printer;
  QString text =
      QStringLiteral("#%1  %2  %3  %4\n")
          .arg(entry.id)
          .arg(QString::fromStdString(entry.time), QString::fromStdString(entry.operation),
               QString::fromStdString(entry.state));
  text += TFormServiceHistory::tr("Printer %1 (%2, head ID %3) at %4, by %5\n")
              .arg(QString::fromStdString(printer.usb_id), QString::fromStdString(printer.model),
                   QString::fromStdString(printer.head_id), QString::fromStdString(printer.port),
                   QString::fromStdString(entry.user));
  if (!entry.failure.empty()) text += QString::fromStdString(entry.failure) + '\n';
  for (const std::string& words : ChangesInWords(entry.changes)) {
    text += QString::fromStdString(words) + '\n';
  }
  if (ChangedNothing(entry))
    text += TFormServiceHistory::tr("Every value was left as it was found.\n");
  return text + QString::fromStdString(ChangeLines(entry.changes, ""));
}

QString UndoQuestion(const JournalEntry& entry) {
  QString text =
      TFormServiceHistory::tr("Undo entry #%1 (%2) on the printer at %3?\n")
          .arg(entry.id)
          .arg(QString::fromStdString(entry.operation), QString::fromStdString(entry.printer.port));
  std::vector<JournalChange> back;
  for (const JournalChange& change : entry.changes) {
    back.push_back({change.address, change.after, change.before});
  }
  for (const std::string& words : ChangesInWords(back)) {
    text += QStringLiteral("    %1\n").arg(QString::fromStdString(words));
  }
  return text + TFormServiceHistory::tr("These bytes will be written and read back:\n") +
         QString::fromStdString(ChangeLines(back, ""));
}

}  // namespace

TFormServiceHistory::TFormServiceHistory(ServiceContext& context, ServiceJournal& journal)
    : ui_(std::make_unique<::Ui::TFormServiceHistory>()),
      context_(context),
      journal_(journal),
      show_action_(tr("Service history...")) {
  ui_->setupUi(this);
  show_action_.setObjectName(QStringLiteral("ServiceHistory1"));
  connect(ui_->EntriesList, &QTreeWidget::itemSelectionChanged, this,
          &TFormServiceHistory::ShowSelected);
  connect(ui_->UndoBtn, &QPushButton::clicked, this, &TFormServiceHistory::UndoBtnClick);
  connect(ui_->FindBtn, &QPushButton::clicked, this, &TFormServiceHistory::FindBtnClick);
  connect(ui_->FindEdit, &QLineEdit::returnPressed, this, &TFormServiceHistory::FindBtnClick);
  connect(ui_->RestoreValuesBtn, &QPushButton::clicked, this,
          &TFormServiceHistory::RestoreValuesBtnClick);
  connect(ui_->ReportBtn, &QPushButton::clicked, this, &TFormServiceHistory::ReportBtnClick);
  connect(ui_->CloseBtn, &QPushButton::clicked, this, &QWidget::close);
}

TFormServiceHistory::~TFormServiceHistory() = default;

void TFormServiceHistory::ShowFor(std::optional<PortId> port) {
  port_ = port;
  found_.reset();
  Reload();
  show();
  raise();
  activateWindow();
}

void TFormServiceHistory::Reload() {
  ShowHourglass();
  if (found_) {
    // The shop may take up to its connect_timeout to answer or not.
    const PrinterHistory history = OffTheWindow(
        [&] { return FindPrinterHistory(journal_.Store(), LoadShopConfig(), *found_); });
    entries_ = history.entries;
    ui_->PrinterLbl->setText(
        tr("Entries for the printer %1 %2%3")
            .arg(QString::fromStdString(*found_),
                 history.from_shop ? tr("from every bench of the shop")
                                   : tr("from this bench's journal"),
                 history.problem.empty()
                     ? QString()
                     : QStringLiteral(" (%1)").arg(QString::fromStdString(history.problem))));
  } else {
    entries_ = journal_.Store().Entries(std::nullopt);
    // Newest first: the work a technician looks for is the latest.
    std::reverse(entries_.begin(), entries_.end());
    if (port_) {
      const std::string key = journal_.PrinterKey(*port_);
      std::erase_if(entries_, [&](const JournalEntry& entry) { return entry.printer.port != key; });
      ui_->PrinterLbl->setText(
          tr("Entries for the printer at %1").arg(QString::fromStdString(key)));
    } else {
      ui_->PrinterLbl->setText(
          tr("Entries for every printer (choose a port on the start-up form to undo)"));
    }
  }
  ShowNormalCursor();
  if (!journal_.Store().Problem().empty()) {
    ui_->PrinterLbl->setText(tr("The service journal cannot be read: %1")
                                 .arg(QString::fromStdString(journal_.Store().Problem())));
  }
  ui_->EntriesList->clear();
  for (std::size_t row = 0; row < entries_.size(); ++row) {
    const JournalEntry& entry = entries_[row];
    auto* item = new QTreeWidgetItem(QStringList{
        QString::number(entry.id), QString::fromStdString(entry.time),
        QString::fromStdString(entry.bench), QString::fromStdString(entry.printer.usb_id),
        QString::fromStdString(entry.operation), QString::fromStdString(entry.state),
        ChangesLine(entry)});
    item->setData(0, Qt::UserRole, QVariant::fromValue<qulonglong>(row));
    ui_->EntriesList->addTopLevelItem(item);
  }
  for (int column = 0; column + 1 < ui_->EntriesList->columnCount(); ++column) {
    ui_->EntriesList->resizeColumnToContents(column);
  }
  if (ui_->EntriesList->topLevelItemCount() > 0) {
    ui_->EntriesList->setCurrentItem(ui_->EntriesList->topLevelItem(0));
  }
  ShowSelected();
}

const JournalEntry* TFormServiceHistory::Selected() const {
  const QTreeWidgetItem* item = ui_->EntriesList->currentItem();
  if (item == nullptr) return nullptr;
  // Entries of several benches share numbers: the row is what tells them apart.
  const auto row = item->data(0, Qt::UserRole).toULongLong();
  return row < entries_.size() ? &entries_[row] : nullptr;
}

void TFormServiceHistory::ShowSelected() {
  const JournalEntry* entry = Selected();
  ui_->DetailMemo->setPlainText(entry ? EntryDetail(*entry) : QString());
  // Only this bench's own entries, as the port's list shows them, can be undone here.
  ui_->UndoBtn->setEnabled(entry != nullptr && port_.has_value() && !found_ &&
                           !ChangedNothing(*entry));
}

void TFormServiceHistory::UndoBtnClick() {
  const JournalEntry* selected = Selected();
  if (selected == nullptr || !port_) return;
  const JournalEntry entry = *selected;
  if (!context_.dialogs.Confirm(UndoQuestion(entry))) return;
  int64_t by = 0;
  std::string refusal;
  ShowHourglass();
  const Result result = UndoOnPrinter(entry, by, refusal);
  ShowNormalCursor();
  if (!refusal.empty()) {
    context_.dialogs.Error(QString::fromUtf8(kApplicationTitle), QString::fromStdString(refusal));
  } else if (result == PORT_OK) {
    context_.dialogs.Inform(QString::fromStdString(SettledLine(kUndo, entry, by)));
  } else {
    const std::string message = ResultMessage(result);
    context_.dialogs.Error(QString::fromUtf8(kApplicationTitle),
                           QString::fromStdString(message.empty() ? kForceExitText : message));
  }
  Reload();
}

Result TFormServiceHistory::Reach() {
  Result result = context_.operations.OpenPrinter(*port_).result;
  if (result == PORT_OK) result = context_.operations.StartServiceProtocol();
  if (result == PORT_OK) journal_.Connected();
  return result;
}

Result TFormServiceHistory::UndoOnPrinter(const JournalEntry& entry, int64_t& by,
                                          std::string& refusal) {
  const Result result = OffTheWindow([&] {
    Result done = Reach();
    if (done == PORT_OK) {
      std::string difference;
      done = journal_.Recognise(entry, difference);
      // Another printer's old values would misadjust this one.
      if (done == PORT_OK && !difference.empty()) {
        refusal =
            AnotherPrinterLine("Entry #" + std::to_string(entry.id) + " was made on", difference);
      }
    }
    if (done == PORT_OK && refusal.empty()) {
      done = journal_.Settle(entry, kUndo.back, SettlingName(kUndo, entry.id));
      journal_.EndOperation();
      by = journal_.CurrentEntry().value_or(entry.id);
    }
    return done;
  });
  // The start-up form opens the port itself when the technician goes on.
  context_.port.Close();
  return result;
}

void TFormServiceHistory::FindBtnClick() {
  const std::string key = ui_->FindEdit->text().trimmed().toStdString();
  if (key.empty()) {
    found_.reset();
  } else {
    found_ = key;
  }
  Reload();
}

void TFormServiceHistory::Said(const Outcome& outcome, const QString& done) {
  if (outcome.result == PORT_OK) {
    context_.dialogs.Inform(done);
    return;
  }
  const std::string message =
      outcome.message.empty() ? ResultMessage(outcome.result) : outcome.message;
  context_.dialogs.Error(QString::fromUtf8(kApplicationTitle),
                         QString::fromStdString(message.empty() ? kForceExitText : message));
}

void TFormServiceHistory::RestoreValuesBtnClick() {
  const std::string serial = ui_->FindEdit->text().trimmed().toStdString();
  if (!port_ || serial.empty()) {
    context_.dialogs.Warn(
        tr("Choose the printer's port on the start-up form and type the serial number from the "
           "printer's label."));
    return;
  }
  ShowHourglass();
  const ValuesSearch search =
      OffTheWindow([&] { return FindKnownValues(journal_.Store(), LoadShopConfig(), serial); });
  ShowNormalCursor();
  if (!search.found) {
    context_.dialogs.Warn(
        tr("No snapshot of the printer with serial %1 was found; "
           "its values are not known.%2")
            .arg(QString::fromStdString(serial),
                 QString::fromStdString(search.problem.empty() ? "" : "\n" + search.problem)));
    return;
  }
  std::vector<JournalChange> planned;
  Outcome outcome(OffTheWindow([&] {
    const Result reached = Reach();
    if (reached != PORT_OK) return reached;
    return PlanValuesRestore(context_.operations, search.found->snapshot.image, planned);
  }));
  const std::vector<EepromWrite> writes = WritesOf(planned);
  QString question = QString::fromStdString(KnownValuesLine(*search.found)) +
                     tr(" Write them to the printer at %1?\n")
                         .arg(QString::fromStdString(journal_.PrinterKey(*port_)));
  for (const std::string& words : ChangesInWords(planned))
    question += QStringLiteral("    %1\n").arg(QString::fromStdString(words));
  if (outcome.result != PORT_OK) {
    Said(outcome, {});
  } else if (writes.empty()) {
    context_.dialogs.Inform(tr("The printer holds these values already."));
  } else if (context_.dialogs.Confirm(question)) {
    ShowHourglass();
    outcome = OffTheWindow([&] { return context_.operations.RestoreValues(writes); });
    ShowNormalCursor();
    Said(outcome, tr("Wrote %1 bytes and read each back (journal entry #%2).")
                      .arg(writes.size())
                      .arg(outcome.entry.value_or(0)));
  }
  // The start-up form opens the port itself when the technician goes on.
  context_.port.Close();
  Reload();
}

void TFormServiceHistory::ReportBtnClick() {
  if (!found_ || entries_.empty()) {
    context_.dialogs.Warn(
        tr("Find the printer by its serial number or ID first: the report is of "
           "its entries."));
    return;
  }
  const ServiceReport report = BuildServiceReport(entries_, std::nullopt);
  const QString file = context_.dialogs.SaveFileName(
      tr("Service report"),
      QStringLiteral("service-report-%1.pdf").arg(QString::fromStdString(*found_)),
      tr("PDF (*.pdf);;HTML page (*.html)"));
  if (file.isEmpty()) return;
  std::string problem;
  if (WriteReport(report, file.toStdString(), problem)) {
    context_.dialogs.Inform(tr("The report of %1 operations since %2 is in %3.")
                                .arg(report.operations.size())
                                .arg(QString::fromStdString(report.since), file));
  } else {
    context_.dialogs.Error(
        QString::fromUtf8(kApplicationTitle),
        tr("The report was not written: %1").arg(QString::fromStdString(problem)));
  }
}

}  // namespace opal::ui

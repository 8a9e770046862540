#include "ui/forms/servicehistory.h"

#include <QStringList>
#include <QTreeWidgetItem>
#include <algorithm>
#include <vector>

#include "link/forceexit.h"
#include "service/changewords.h"
#include "service/journaltext.h"
#include "service/printeridentity.h"
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
  text += QStringLiteral("Printer %1 (%2, head ID %3) at %4, by %5\n")
              .arg(QString::fromStdString(printer.usb_id), QString::fromStdString(printer.model),
                   QString::fromStdString(printer.head_id), QString::fromStdString(printer.port),
                   QString::fromStdString(entry.user));
  if (!entry.failure.empty()) text += QString::fromStdString(entry.failure) + '\n';
  for (const std::string& words : ChangesInWords(entry.changes)) {
    text += QString::fromStdString(words) + '\n';
  }
  if (ChangedNothing(entry)) text += QStringLiteral("Every value was left as it was found.\n");
  return text + QString::fromStdString(ChangeLines(entry.changes, ""));
}

QString UndoQuestion(const JournalEntry& entry) {
  QString text =
      QStringLiteral("Undo entry #%1 (%2) on the printer at %3?\n")
          .arg(entry.id)
          .arg(QString::fromStdString(entry.operation), QString::fromStdString(entry.printer.port));
  std::vector<JournalChange> back;
  for (const JournalChange& change : entry.changes) {
    back.push_back({change.address, change.after, change.before});
  }
  for (const std::string& words : ChangesInWords(back)) {
    text += QStringLiteral("    %1\n").arg(QString::fromStdString(words));
  }
  return text + QStringLiteral("These bytes will be written and read back:\n") +
         QString::fromStdString(ChangeLines(back, ""));
}

}  // namespace

TFormServiceHistory::TFormServiceHistory(ServiceContext& context, ServiceJournal& journal)
    : ui_(std::make_unique<::Ui::TFormServiceHistory>()),
      context_(context),
      journal_(journal),
      show_action_(QStringLiteral("Service history...")) {
  ui_->setupUi(this);
  show_action_.setObjectName(QStringLiteral("ServiceHistory1"));
  connect(ui_->EntriesList, &QTreeWidget::itemSelectionChanged, this,
          &TFormServiceHistory::ShowSelected);
  connect(ui_->UndoBtn, &QPushButton::clicked, this, &TFormServiceHistory::UndoBtnClick);
  connect(ui_->CloseBtn, &QPushButton::clicked, this, &QWidget::close);
}

TFormServiceHistory::~TFormServiceHistory() = default;

void TFormServiceHistory::ShowFor(std::optional<PortId> port) {
  port_ = port;
  Reload();
  show();
  raise();
  activateWindow();
}

void TFormServiceHistory::Reload() {
  entries_ = journal_.Store().Entries(std::nullopt);
  if (port_) {
    const std::string key = journal_.PrinterKey(*port_);
    std::erase_if(entries_, [&](const JournalEntry& entry) { return entry.printer.port != key; });
    ui_->PrinterLbl->setText(
        QStringLiteral("Entries for the printer at %1").arg(QString::fromStdString(key)));
  } else {
    ui_->PrinterLbl->setText(
        QStringLiteral("Entries for every printer (choose a port on the start-up form to undo)"));
  }
  if (!journal_.Store().Problem().empty()) {
    ui_->PrinterLbl->setText(QStringLiteral("The service journal cannot be read: %1")
                                 .arg(QString::fromStdString(journal_.Store().Problem())));
  }
  ui_->EntriesList->clear();
  // Newest first: the work a technician looks for is the latest.
  for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
    auto* item = new QTreeWidgetItem(QStringList{
        QString::number(entry->id), QString::fromStdString(entry->time),
        QString::fromStdString(entry->printer.usb_id), QString::fromStdString(entry->operation),
        QString::fromStdString(entry->state), ChangesLine(*entry)});
    item->setData(0, Qt::UserRole, QVariant::fromValue<qlonglong>(entry->id));
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
  const int64_t id = item->data(0, Qt::UserRole).toLongLong();
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [id](const JournalEntry& entry) { return entry.id == id; });
  return found == entries_.end() ? nullptr : &*found;
}

void TFormServiceHistory::ShowSelected() {
  const JournalEntry* entry = Selected();
  ui_->DetailMemo->setPlainText(entry ? EntryDetail(*entry) : QString());
  ui_->UndoBtn->setEnabled(entry != nullptr && port_.has_value() && !ChangedNothing(*entry));
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

Result TFormServiceHistory::UndoOnPrinter(const JournalEntry& entry, int64_t& by,
                                          std::string& refusal) {
  const Result result = OffTheWindow([&] {
    Result done = context_.operations.OpenPrinter(*port_).result;
    if (done == PORT_OK) done = context_.operations.StartServiceProtocol();
    if (done == PORT_OK) {
      journal_.Connected();
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

}  // namespace opal::ui

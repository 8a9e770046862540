#include "app/diagnosis.h"

#include "link/doctor.h"
#include "link/linuxdevices.h"
#include "link/printerdriver.h"
#include "service/journalstore.h"

namespace opal::app {
namespace {

const char* const kItem = QT_TRANSLATE_NOOP("opal::app::DiagnoseItem", "Diagnose...");

}  // namespace

QString DiagnosisText() {
  LinuxPortProvider provider;
  const std::vector<PortDiagnosis> ports =
      DiagnosePorts(DoctorRoots{}, CurrentPerson(), provider, PortLimits{}.device_id);
  const std::string report = DiagnosisReport(ports, {CheckJournalFolder(DefaultJournalFile())});
  // Its columns line up only in a fixed-width font.
  return QStringLiteral("<pre>") + QString::fromStdString(report).toHtmlEscaped() +
         QStringLiteral("</pre>");
}

DiagnoseItem::DiagnoseItem(ui::TFormBoot& boot, ui::Dialogs& dialogs)
    : dialogs_(dialogs), action_(tr(kItem)) {
  connect(&action_, &QAction::triggered, this, &DiagnoseItem::Start);
  boot.AddMenuItem(action_);
}

DiagnoseItem::~DiagnoseItem() {
  if (worker_.joinable()) worker_.join();
}

void DiagnoseItem::Start() {
  if (worker_.joinable()) worker_.join();
  action_.setEnabled(false);
  action_.setText(tr("Diagnosing the printer ports..."));
  worker_ = std::thread([this] {
    const QString report = DiagnosisText();
    QMetaObject::invokeMethod(
        this, [this, report] { Show(report); }, Qt::QueuedConnection);
  });
}

void DiagnoseItem::Show(const QString& report) {
  action_.setText(tr(kItem));
  action_.setEnabled(true);
  dialogs_.Inform(report);
}

}  // namespace opal::app

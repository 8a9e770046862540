#include <csignal>
#include <exception>
#include <iostream>

#include <QMessageBox>

#include "app/language.h"
#include "app/makeapplication.h"
#include "app/opalservice.h"
#include "link/forceexit.h"
#include "service/processmemory.h"
#include "ui/forms/boot.h"
#include "ui/widgets/pictures.h"

int main(int argc, char** argv) {
  opal::ReturnLargeBuffersAfterUse();
  // A printer that hangs up must give an error code, not kill the program.
  std::signal(SIGPIPE, SIG_IGN);

  // Help and version are text: they must answer over ssh too, where no display can be opened.
  const opal::app::EarlyReading early = opal::app::ReadCommandLineEarly(argc, argv);
  if (early.parsed.exit_status == 0) {
    std::cout << early.out;
    return 0;
  }
  const auto application = opal::app::MakeApplication(argc, argv, early);
  opal::app::LoadTechniciansLanguage(*application);
  QApplication::setApplicationName(QStringLiteral("opal-service"));
  // No display name: Qt would append it to every form's caption.
  QApplication::setDesktopFileName(QStringLiteral("opal-service"));
  QApplication::setWindowIcon(opal::ui::ProgramIcon());
  // Only closing the start-up form ends the program; forms are hidden and shown in between.
  QApplication::setQuitOnLastWindowClosed(false);

  const opal::app::ParsedOptions parsed = opal::app::ParseOptions(argc, argv, std::cout, std::cerr);
  if (parsed.exit_status) return *parsed.exit_status;

  std::unique_ptr<opal::app::OpalService> service;
  try {
    service = std::make_unique<opal::app::OpalService>(parsed.options);
  } catch (const std::exception& error) {
    std::cerr << "opal-service: " << error.what() << '\n';
    QMessageBox::critical(nullptr, QString::fromUtf8(opal::kApplicationTitle),
                          QString::fromUtf8(error.what()));
    return 1;
  }
  QObject::connect(service->forms.FormBoot.get(), &opal::ui::TFormBoot::ProgramEnding,
                   application.get(), &QApplication::quit);
  if (opal::ReplayPortProvider* replay = service->ports.Replay()) {
    // Found wherever the printer is talked to; told on the window's thread, where the run ends.
    replay->SetDifferenceHook([](const std::string& difference) {
      QMetaObject::invokeMethod(
          qApp,
          [text = QString::fromStdString(difference)] {
            QMessageBox::critical(nullptr, QString::fromUtf8(opal::kApplicationTitle), text);
            QApplication::exit(1);
          },
          Qt::QueuedConnection);
    });
  }
  service->forms.FormBoot->show();
  const int status = QApplication::exec();
  service->session.port.Close();
  const std::string told = service->ports.End(status);
  if (!told.empty()) std::cerr << "opal-service: " << told << '\n';
  return status;
}

#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include <QMenu>
#include <QWidget>

#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class TFormBoot;
}
QT_END_NAMESPACE

namespace opal::ui {

enum class ServiceProgram { IndividualAdjustment, SequentialRepair };

// What the start-up form reached: the chosen model and program, and the model the printer
// answered as.
struct Connection {
  PrinterModel model;
  ServiceProgram program;
  PrinterModel printer_model;
};

// The start-up form and main form: the technician chooses model, port, destination and program,
// and OK connects to the printer and opens the chosen program. Closing it ends the program.
class TFormBoot : public QWidget {
  Q_OBJECT

 public:
  explicit TFormBoot(ServiceContext& context);
  ~TFormBoot() override;

  // The chosen model: Opal310, Opal320, or None when none is chosen.
  PrinterModel SelectedModelCode() const;
  // The chosen port as stored by the last OK: 0-2 parallel, 3-5 USB.
  PortId Port() const { return port_; }
  // The port chosen in the combo now, none before a choice.
  std::optional<PortId> ChosenPort() const;
  // An item of the program's own for the pop-up menu, after "Version".
  void AddMenuItem(QAction& item) { PopupMenu1.addAction(&item); }

 signals:
  // The start-up form is the main form: closing it ends the program.
  void ProgramEnding();
  // The printer is set up as the chosen model; the form has hidden itself.
  void Connected(const opal::ui::Connection& connection);
  void AboutRequested();

 public slots:
  void FormShow();
  void PortSelectOKBtnClick();
  void ProEndBtnClick();
  void Version1Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void FormMouseUp(Qt::MouseButton button, QPoint position);
  // The pop-up menu from the keyboard: the Menu key or Shift+F10.
  void PopupAtFocus();
  bool AllChosen() const;
  // Ends the program; the exit never returns.
  void EndForSilentPrinter(const OpenedPrinter& connection);
  // The start sequence and the chosen model's identity, stopping at the first failure.
  // Before anything is written, the journal's unfinished work on this printer is finished or
  // put back as the technician chooses.
  Result SettleInterruptedWork();
  // Asks before the identity of a printer that reports another known model is rewritten.
  bool IdentityRewriteAccepted(PrinterModel model);
  Result StartService(PrinterModel model);
  // Closes the port and tells why; the choices stay for another OK.
  void StayForChoices(const std::string& problem);
  void EndConnecting();

  std::unique_ptr<::Ui::TFormBoot> ui_;
  ServiceContext& context_;
  QMenu PopupMenu1;
  PortId port_ = PortId::Lpt1;
  // While OK reaches the printer, the form ignores its close box.
  bool connecting_ = false;
};

}  // namespace opal::ui

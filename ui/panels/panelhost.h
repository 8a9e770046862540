#pragma once

#include <QString>
#include <cstdint>
#include <string_view>

#include "device/statusreport.h"
#include "link/factory.h"
#include "link/resultcodes.h"
#include "service/operations.h"
#include "ui/panels/panelid.h"

namespace opal::ui {

// The display fields of the "Adjusted Item" column.
enum class AdjustedItem {
  HeadId,
  MsBlack,
  Pl6Black,
  Pl4Black,
  MsColor,
  Pl6Color,
  Pl4Color,
  UsbId,
  ProtectionCounter,
};

// What an operation panel may ask of the form that hosts it. The individual adjustment form and
// the repair form both host panels, so a panel knows its host only through this.
class PanelHost {
 public:
  virtual void ShowStatus(StatusMode mode, const QString& text) = 0;
  // The code's message as the command object words it (empty for codes without one, with the
  // address and values of a write the printer did not keep) in the given mode.
  void ShowResultCode(StatusMode mode, Result code);
  // The last line of an operation: done with `done_text` only for a result that truly succeeded.
  void ShowOutcome(Result result, std::string_view done_text);
  // The failure of an operation that writes, as an error, then the values it left other than it
  // meant, if any.
  void ShowFailure(const Outcome& outcome);
  // Only the values an operation that reports its own lines left other than it meant.
  void ShowLeftBehind(const Outcome& outcome);
  // The status routine as the core operations take it.
  StatusReport Report();
  // Hides every operation panel, clears their inputs and shows the status memo; its text stays
  // only when keep_text is set.
  virtual void ResetPanels(bool keep_text) = 0;
  // Shows this operation panel of the form.
  virtual void ShowPanel(PanelId panel) = 0;
  // A panel that needs the memo's room hides it; ResetPanels shows it again.
  virtual void SetStatusMemoVisible(bool visible) = 0;
  // A report longer than the memo's few lines: the memo grows up over the lower part of the
  // operation area and centres its text. ResetPanels puts it back. A form that shows no such
  // report leaves its memo where it is.
  virtual void MoveStatusMemoForReport();
  virtual void SetAdjustedItem(AdjustedItem item, const QString& text) = 0;
  // Leaves the program without re-initialising the printer (after the refurbishment data reset).
  virtual void CloseWithoutInitialisation() = 0;
  // The model code the technician chose on the start-up form.
  virtual PrinterModel SelectedModelCode() const = 0;

 protected:
  explicit PanelHost(const TFactoryCommand& command) : command_(command) {}
  ~PanelHost() = default;

 private:
  const TFactoryCommand& command_;
};

}  // namespace opal::ui

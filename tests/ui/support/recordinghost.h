#pragma once

#include <map>
#include <utility>
#include <vector>

#include <QString>

#include "link/factory.h"
#include "link/printerdriver.h"
#include "ui/panels/panelhost.h"

namespace opal::testing {

// Stands in for the form around a panel tested on its own, as the repair form hosts its steps,
// and keeps everything the panel asks of it.
class RecordingHost final : public ui::PanelHost {
 public:
  explicit RecordingHost(const TFactoryCommand& command) : PanelHost(command) {}
  void ShowStatus(StatusMode mode, const QString& text) override { lines.emplace_back(mode, text); }
  void ResetPanels(bool) override { ++resets; }
  void ShowPanel(ui::PanelId panel) override { shown.push_back(panel); }
  void SetStatusMemoVisible(bool) override {}
  void SetAdjustedItem(ui::AdjustedItem item, const QString& text) override {
    adjusted[item] = text;
  }
  void CloseWithoutInitialisation() override {}
  PrinterModel SelectedModelCode() const override { return PrinterModel::Opal320; }

  std::vector<std::pair<StatusMode, QString>> lines;
  int resets = 0;
  std::vector<ui::PanelId> shown;
  std::map<ui::AdjustedItem, QString> adjusted;
};

}  // namespace opal::testing

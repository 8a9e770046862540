#pragma once

#include <string>

#include <QLineEdit>

#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"

namespace opal::ui {

// A panel on which two hex pairs are typed, an address range or an address and its data: both
// edits raise letters as they are typed, the first takes the focus whenever the panel opens, and
// input that is not two valid pairs is refused before anything is sent.
class HexEntryPanel : public OperationPanel {
  Q_OBJECT

 public:
  // Panel resets leave what was typed; only a fresh visit from the choice empties it.
  void ClearEntry();

 protected:
  using OperationPanel::OperationPanel;

  // The derived panel's two edits, once its layout exists.
  void SetEntryEdits(QLineEdit& first, QLineEdit& second);

  // What `parse` makes of the two texts; when it makes nothing, "Input data is wrong." shows and
  // the first edit takes the focus.
  template <class Parse>
  auto ParsedEntry(Parse parse, PanelHost& host) {
    auto parsed = parse(Text(*first_), Text(*second_));
    if (!parsed) Refuse(host);
    return parsed;
  }

  void showEvent(QShowEvent* event) override;

 private:
  static std::string Text(const QLineEdit& edit);
  void Refuse(PanelHost& host);

  QLineEdit* first_ = nullptr;
  QLineEdit* second_ = nullptr;
};

}  // namespace opal::ui

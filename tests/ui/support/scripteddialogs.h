#pragma once

#include <deque>
#include <vector>

#include <QString>

#include "ui/seams/dialogs.h"

namespace opal::testing {

enum class DialogKind { Confirm, Inform, Warn, Error, Choose, SaveFile };

struct ShownDialog {
  DialogKind kind;
  QString text;
  bool operator==(const ShownDialog&) const = default;
};

// Records every dialog shown and answers questions from a queue; a question with no answer left
// fails the test and gets No.
class ScriptedDialogs final : public ui::Dialogs {
 public:
  bool Confirm(const QString& text) override;
  void Inform(const QString& text) override;
  void Warn(const QString& text) override;
  void Error(const QString& caption, const QString& text) override;
  // Shown as an error; the offer is taken when `take_offers` says so.
  bool ErrorOffering(const QString& caption, const QString& text, const QString& action) override;
  int Choose(const QString& text, const QStringList& choices) override;
  QString SaveFileName(const QString& caption, const QString& suggested,
                       const QString& filter) override;

  std::deque<bool> answers;
  std::deque<QString> files;
  std::deque<int> choices;
  bool take_offers = false;
  std::vector<ShownDialog> shown;
};

}  // namespace opal::testing

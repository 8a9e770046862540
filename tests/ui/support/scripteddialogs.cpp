#include "tests/ui/support/scripteddialogs.h"

#include <gtest/gtest.h>

namespace opal::testing {

bool ScriptedDialogs::Confirm(const QString& text) {
  shown.push_back({DialogKind::Confirm, text});
  if (answers.empty()) {
    ADD_FAILURE() << "unexpected question: " << text.toStdString();
    return false;
  }
  const bool yes = answers.front();
  answers.pop_front();
  return yes;
}

void ScriptedDialogs::Inform(const QString& text) {
  shown.push_back({DialogKind::Inform, text});
}

void ScriptedDialogs::Warn(const QString& text) {
  shown.push_back({DialogKind::Warn, text});
}

void ScriptedDialogs::Error(const QString& /*caption*/, const QString& text) {
  shown.push_back({DialogKind::Error, text});
}

}  // namespace opal::testing

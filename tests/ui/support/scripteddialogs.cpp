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

bool ScriptedDialogs::ErrorOffering(const QString& caption, const QString& text,
                                    const QString& /*action*/) {
  Error(caption, text);
  return take_offers;
}

int ScriptedDialogs::Choose(const QString& text, const QStringList& offered) {
  shown.push_back({DialogKind::Choose, text});
  if (choices.empty()) {
    ADD_FAILURE() << "unexpected choice: " << text.toStdString();
    return static_cast<int>(offered.size()) - 1;
  }
  const int chosen = choices.front();
  choices.pop_front();
  return chosen;
}

QString ScriptedDialogs::SaveFileName(const QString& caption, const QString& /*suggested*/,
                                      const QString& /*filter*/) {
  shown.push_back({DialogKind::SaveFile, caption});
  if (files.empty()) {
    ADD_FAILURE() << "unexpected file question: " << caption.toStdString();
    return {};
  }
  QString file = files.front();
  files.pop_front();
  return file;
}

}  // namespace opal::testing

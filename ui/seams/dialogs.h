#pragma once

#include <QString>
#include <QStringList>

namespace opal::ui {

// The modal dialogs the program shows, one call per kind, so tests can answer them and read back
// every text.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Question icon with Yes and No; true when the answer is Yes.
  virtual bool Confirm(const QString& text) = 0;
  virtual void Inform(const QString& text) = 0;
  virtual void Warn(const QString& text) = 0;
  // Error icon and OK, under a caption of the caller's choosing.
  virtual void Error(const QString& caption, const QString& text) = 0;
  // As Error, with a button for `action` beside OK; true when it was pressed.
  virtual bool ErrorOffering(const QString& caption, const QString& text,
                             const QString& action) = 0;
  // Question icon with one button per choice; the index of the one pressed, the last choice when
  // the box is closed without one.
  virtual int Choose(const QString& text, const QStringList& choices) = 0;
  // Where to save a file, starting at `suggested`; empty when the technician cancels.
  virtual QString SaveFileName(const QString& caption, const QString& suggested,
                               const QString& filter) = 0;
};

class MessageBoxDialogs final : public Dialogs {
 public:
  bool Confirm(const QString& text) override;
  void Inform(const QString& text) override;
  void Warn(const QString& text) override;
  void Error(const QString& caption, const QString& text) override;
  bool ErrorOffering(const QString& caption, const QString& text, const QString& action) override;
  int Choose(const QString& text, const QStringList& choices) override;
  QString SaveFileName(const QString& caption, const QString& suggested,
                       const QString& filter) override;
};

}  // namespace opal::ui

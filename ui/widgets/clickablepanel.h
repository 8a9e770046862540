#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

class QLabel;

namespace opal::ui {

// A raised panel with a caption that answers a click like a button, under the hand cursor: the
// repair menu's items and the steps of a repair chain. It takes the keyboard focus like a button
// too, shows it with a dotted ring in the caption's colour, and Enter or Space clicks it.
class ClickablePanel : public QFrame {
  Q_OBJECT
  Q_PROPERTY(QString caption READ Caption WRITE SetCaption)

 public:
  explicit ClickablePanel(QWidget* parent = nullptr);

  QString Caption() const;
  void SetCaption(const QString& caption);
  // The panel's ground; the caption takes a colour that stays readable on it.
  void SetColour(const QColor& ground);

 signals:
  void Click();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* caption_;
  bool pressed_ = false;
};

}  // namespace opal::ui

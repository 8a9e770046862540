#pragma once

#include <memory>

#include <QFrame>

QT_BEGIN_NAMESPACE
namespace Ui {
class TFrameArrowImage;
}
QT_END_NAMESPACE

namespace opal::ui {

// The downward arrow that leads from one step of a repair chain to the next.
class TFrameArrowImage : public QFrame {
  Q_OBJECT

 public:
  explicit TFrameArrowImage(QWidget* parent = nullptr);
  ~TFrameArrowImage() override;

 private:
  std::unique_ptr<::Ui::TFrameArrowImage> ui_;
};

}  // namespace opal::ui

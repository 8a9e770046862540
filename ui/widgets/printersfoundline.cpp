#include "ui/widgets/printersfoundline.h"

namespace opal::ui {

PrintersFoundLine::PrintersFoundLine(QWidget* parent) : QLabel(parent), timer_(this) {
  timer_.setInterval(kLookEveryMs);
  connect(&timer_, &QTimer::timeout, this, &PrintersFoundLine::Refresh);
}

void PrintersFoundLine::Watch(Finder finder) {
  finder_ = std::move(finder);
  Refresh();
}

void PrintersFoundLine::Refresh() {
  const std::optional<std::vector<std::string>> found =
      finder_ ? finder_() : std::optional<std::vector<std::string>>();
  QString text;
  if (found && found->empty()) text = tr("No USB printer found.");
  if (found && !found->empty()) {
    QStringList names;
    for (const std::string& name : *found) names << QString::fromStdString(name);
    text = tr("Found: %1").arg(names.join(QStringLiteral("; ")));
  }
  if (text != this->text()) setText(text);
}

void PrintersFoundLine::showEvent(QShowEvent* event) {
  Refresh();
  timer_.start();
  QLabel::showEvent(event);
}

void PrintersFoundLine::hideEvent(QHideEvent* event) {
  timer_.stop();
  QLabel::hideEvent(event);
}

}  // namespace opal::ui

#include "ui/forms/printedpages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <algorithm>
#include <array>
#include <functional>
#include <utility>

#include "ui/forms/screenfit.h"
#include "ui/widgets/bidblocks.h"
#include "ui_printedpages.h"

namespace opal::ui {
namespace {

struct ZoomStep {
  const char* name;
  double scale;  // screen pixels per printer dot; 0 fits the whole page
};
constexpr std::array<ZoomStep, 7> kZoomSteps{{{QT_TRANSLATE_NOOP("Zoom", "Whole page"), 0},
                                              {"1:4", 0.25},
                                              {"1:2", 0.5},
                                              {"1:1", 1},
                                              {"2:1", 2},
                                              {"4:1", 4},
                                              {"8:1", 8}}};

// The page files in the order they were printed: page-0001.png and on, by number, since a
// number past 9999 takes another digit.
QStringList PagesIn(const QString& folder) {
  static const QRegularExpression kPageName(QStringLiteral("^page-(\\d+)\\.png$"));
  QStringList pages = QDir(folder).entryList({QStringLiteral("page-*.png")}, QDir::Files);
  pages.removeIf([](const QString& name) { return !kPageName.match(name).hasMatch(); });
  std::sort(pages.begin(), pages.end(), [](const QString& a, const QString& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
  });
  return pages;
}

}  // namespace

TFormPrintedPages::TFormPrintedPages(PrintedPagesSource source)
    : ui_(std::make_unique<::Ui::TFormPrintedPages>()),
      source_(std::move(source)),
      show_action_(tr("Printed pages")) {
  ui_->setupUi(this);
  setWindowFlag(Qt::Window);
  // The form waiting for the technician keeps the keyboard while pages come out.
  setAttribute(Qt::WA_ShowWithoutActivating);
  show_action_.setObjectName(QStringLiteral("PrintedPagesItem"));
  ui_->PrinterLabelsLbl->setText(source_.printer_lines.join(QLatin1Char('\n')));
  for (const ZoomStep& step : kZoomSteps)
    ui_->ZoomCombo->addItem(QCoreApplication::translate("Zoom", step.name));
  connect(ui_->ZoomCombo, &QComboBox::currentIndexChanged, this, &TFormPrintedPages::ApplyZoom);
  connect(ui_->ZoomInBtn, &QToolButton::clicked, this, [this] { SetZoom(Zoom() + 1); });
  connect(ui_->ZoomOutBtn, &QToolButton::clicked, this, [this] { SetZoom(Zoom() - 1); });
  AddZoomKeys();
  // Its dots already stretched, the sheet of Bi-D blocks is best seen one pixel to a pixel.
  connect(ui_->BidBlocksChk, &QCheckBox::toggled, this, [this](bool shown) {
    Present();
    if (shown) SetZoom(kActualSize);
  });
  connect(ui_->StrongInksChk, &QCheckBox::toggled, this, &TFormPrintedPages::Present);
  connect(ui_->PageList, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item != nullptr) ShowPage(item->data(Qt::UserRole).toString());
  });
  connect(ui_->PageImage, &PageView::Dragged, this, &TFormPrintedPages::Pan);
  connect(ui_->PageImage, &PageView::ZoomAsked, this, [this](int steps, QPoint at) {
    ZoomAbout(Zoom() + steps, ui_->PageImage->mapTo(ui_->PageScroll->viewport(), at));
  });
  connect(&show_action_, &QAction::triggered, this, &QWidget::show);
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { Rescan(true); });
  watcher_.addPath(source_.pages_folder);
  // Pages printed before the program started are there to look back at, not news.
  Rescan(false);
  DescribePage();
}

TFormPrintedPages::~TFormPrintedPages() = default;

void TFormPrintedPages::AddZoomKeys() {
  const std::pair<QList<QKeySequence>, std::function<void()>> keys[] = {
      {{QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
       [this] { SetZoom(Zoom() + 1); }},
      {{QKeySequence(Qt::CTRL | Qt::Key_Minus)}, [this] { SetZoom(Zoom() - 1); }},
      {{QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { SetZoom(kWholePage); }},
      {{QKeySequence(Qt::CTRL | Qt::Key_1)}, [this] { SetZoom(kActualSize); }}};
  for (const auto& [sequences, zoom] : keys) {
    auto* shortcut = new QShortcut(this);
    shortcut->setKeys(sequences);
    connect(shortcut, &QShortcut::activated, this, zoom);
  }
}

void TFormPrintedPages::StartSession() {
  opens_with_next_page_ = true;
}

void TFormPrintedPages::SetZoom(int step) {
  ui_->ZoomCombo->setCurrentIndex(std::clamp(step, 0, static_cast<int>(kZoomSteps.size()) - 1));
}

void TFormPrintedPages::ZoomAbout(int step, QPoint anchor) {
  zoom_anchor_ = anchor;
  SetZoom(step);
  zoom_anchor_.reset();
}

int TFormPrintedPages::Zoom() const {
  return ui_->ZoomCombo->currentIndex();
}

QString TFormPrintedPages::PagePath() const {
  const QListWidgetItem* item = ui_->PageList->currentItem();
  return item != nullptr ? item->data(Qt::UserRole).toString() : QString();
}

// New pages go on top of the list and the newest is shown at once; the first of a session opens
// the window.
void TFormPrintedPages::Rescan(bool announce) {
  const QStringList pages = PagesIn(source_.pages_folder);
  QString newest;
  for (const QString& name : pages) {
    if (known_.contains(name)) continue;
    known_.append(name);
    auto* item = new QListWidgetItem(name);
    item->setData(Qt::UserRole, QDir(source_.pages_folder).filePath(name));
    ui_->PageList->insertItem(0, item);
    newest = name;
  }
  if (newest.isEmpty()) return;
  ui_->PageList->setCurrentRow(0);
  if (!announce || !opens_with_next_page_ || isVisible()) return;
  show();
  // A question waiting for its answer stays in front and keeps the keyboard.
  if (QWidget* question = QApplication::activeModalWidget()) {
    question->raise();
    question->activateWindow();
  }
}

void TFormPrintedPages::ShowPage(const QString& path) {
  QImageReader reader(path);
  const QImage page = reader.read();
  if (page.isNull()) {
    ui_->PagePathLbl->setText(tr("%1 cannot be read: %2").arg(path, reader.errorString()));
    return;
  }
  printed_ = page;
  ui_->PagePathLbl->setText(path);
  Present();
}

void TFormPrintedPages::Present() {
  if (printed_.isNull()) return;
  const QImage inked = ui_->StrongInksChk->isChecked() ? StrongInks(printed_) : printed_;
  const QImage blocks = ui_->BidBlocksChk->isChecked() ? BidBlocksSheet(inked) : QImage();
  ui_->BidBlocksChk->setToolTip(ui_->BidBlocksChk->isChecked() && blocks.isNull()
                                    ? tr("This page holds no Bi-D block")
                                    : QString());
  ui_->PageImage->SetPage(blocks.isNull() ? inked : blocks);
  ApplyZoom();
}

void TFormPrintedPages::ApplyZoom() {
  DescribePage();
  const QImage& page = ui_->PageImage->Page();
  double scale = kZoomSteps[static_cast<std::size_t>(std::max(Zoom(), 0))].scale;
  if (scale == 0 && !page.isNull()) {
    const QSize room = ui_->PageScroll->viewport()->size();
    scale = std::min(static_cast<double>(room.width()) / page.width(),
                     static_cast<double>(room.height()) / page.height());
  }
  if (scale <= 0) return;
  // The point of the page under the pointer, or in the middle of the view, stays where it is.
  QWidget* viewport = ui_->PageScroll->viewport();
  const QPoint anchor = zoom_anchor_.value_or(viewport->rect().center());
  const QPointF dot = QPointF(ui_->PageImage->mapFrom(viewport, anchor)) / ui_->PageImage->Scale();
  ui_->PageImage->SetScale(scale);
  ui_->PageScroll->horizontalScrollBar()->setValue(static_cast<int>(dot.x() * scale) - anchor.x());
  ui_->PageScroll->verticalScrollBar()->setValue(static_cast<int>(dot.y() * scale) - anchor.y());
}

// A screen reader tells the page on view and how it is shown, as the picture tells a sighted
// technician.
void TFormPrintedPages::DescribePage() {
  const QImage& page = ui_->PageImage->Page();
  ui_->PageImage->setAccessibleDescription(page.isNull()
                                               ? tr("No page printed yet.")
                                               : tr("%1, %2 × %3 printer dots, zoom %4")
                                                     .arg(QFileInfo(PagePath()).fileName())
                                                     .arg(page.width())
                                                     .arg(page.height())
                                                     .arg(ui_->ZoomCombo->currentText()));
}

void TFormPrintedPages::Pan(QPoint delta) {
  QScrollBar* across = ui_->PageScroll->horizontalScrollBar();
  QScrollBar* down = ui_->PageScroll->verticalScrollBar();
  across->setValue(across->value() - delta.x());
  down->setValue(down->value() - delta.y());
}

// Closed by the technician, the window stays closed for the rest of the session.
void TFormPrintedPages::closeEvent(QCloseEvent* event) {
  opens_with_next_page_ = false;
  QWidget::closeEvent(event);
}

// The whole page fits the room there is, which a hidden window does not know yet.
void TFormPrintedPages::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (Zoom() == kWholePage) ApplyZoom();
}

// Placed once: where the technician moves the window afterwards is theirs.
void TFormPrintedPages::showEvent(QShowEvent* event) {
  if (!placed_) {
    placed_ = true;
    FitResizableOnScreen(*this, screen()->availableGeometry());
  }
  QWidget::showEvent(event);
  if (Zoom() == kWholePage) ApplyZoom();
}

}  // namespace opal::ui

#pragma once

#include <QAction>
#include <QFileSystemWatcher>
#include <QImage>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <optional>

QT_BEGIN_NAMESPACE
namespace Ui {
class TFormPrintedPages;
}
QT_END_NAMESPACE

namespace opal::ui {

// What the window shows of a printer that prints into files: the folder its pages land in and the
// labels a technician would read off its hardware. Only the program knows such a printer, so it
// fills this in.
struct PrintedPagesSource {
  QString pages_folder;
  QStringList printer_lines;
};

// The pages a printer that prints into files has printed: the newest at once, the earlier ones in
// a list, from the whole page down to single printer dots, or the Bi-D blocks of a page laid out
// for judging. It opens by itself with the first page of a session, wholly on its screen, and
// never takes the focus from the form waiting for the technician nor covers a question asked.
class TFormPrintedPages final : public QWidget {
  Q_OBJECT

 public:
  // Zoom steps: the whole page, then screen pixels per printer dot.
  static constexpr int kWholePage = 0;
  static constexpr int kActualSize = 3;  // one dot, one screen pixel

  explicit TFormPrintedPages(PrintedPagesSource source);
  ~TFormPrintedPages() override;

  // A pop-up menu item that opens the window.
  QAction& ShowAction() { return show_action_; }
  // A session begins: the window opens by itself again with its first page, even if the
  // technician closed it during the last one.
  void StartSession();
  void SetZoom(int step);
  int Zoom() const;
  // The page shown, empty when none is.
  QString PagePath() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Rescan(bool announce);
  void ShowPage(const QString& path);
  // The printed page as the chosen view shows it: the page or its Bi-D blocks side by side (the
  // page where it holds none), light inks as printed or several times their strength.
  void Present();
  void ApplyZoom();
  // A zoom step that keeps the page's point under `anchor`, a point of the scroll area's view.
  void ZoomAbout(int step, QPoint anchor);
  void DescribePage();
  void Pan(QPoint delta);
  void AddZoomKeys();

  std::unique_ptr<::Ui::TFormPrintedPages> ui_;
  PrintedPagesSource source_;
  QFileSystemWatcher watcher_;
  QAction show_action_;
  QStringList known_;
  QImage printed_;
  std::optional<QPoint> zoom_anchor_;  // none: the middle of the view
  bool opens_with_next_page_ = true;
  bool placed_ = false;
};

}  // namespace opal::ui

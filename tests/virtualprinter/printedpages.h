#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdio>
#include <filesystem>
#include <string>

#include "virtualprinter/pagecanvas.h"

namespace vp::testing {

// Where the page language's print position (0, 0) lands on a printed page, and the pitches of
// the resident font (10 characters and 6 lines per inch at 360 dots per inch).
inline constexpr int kOrigin = PageCanvas::kMargin;
inline constexpr int kCharacter = 36;
inline constexpr int kLine = 60;

inline int PageCount(const std::filesystem::path& printer_dir) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(printer_dir / "pages")) {
    count += entry.path().extension() == ".png" && entry.path().filename().string()[0] != '.';
  }
  return count;
}

inline QImage LoadPage(const std::filesystem::path& printer_dir, int number) {
  char name[32];
  std::snprintf(name, sizeof name, "page-%04d.png", number);
  return QImage(QString::fromStdString((printer_dir / "pages" / name).string()));
}

inline bool Inked(const QImage& page, int x, int y) {
  return QColor(page.pixel(x, y)) != QColor(Qt::white);
}

inline bool AnyInk(const QImage& page, const QRect& area) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (Inked(page, x, y)) return true;
    }
  }
  return false;
}

}  // namespace vp::testing

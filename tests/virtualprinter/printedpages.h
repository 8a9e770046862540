#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdio>
#include <filesystem>
#include <string>

#include "virtualprinter/pagecanvas.h"
#include "virtualprinter/virtualprinter.h"

namespace vp::testing {

// Where the page language's print position (0, 0) lands on a printed page, and the pitches of
// the resident font (10 characters and 6 lines per inch at 360 dots per inch).
inline constexpr int kOrigin = PageCanvas::kMargin;
inline constexpr int kCharacter = 36;
inline constexpr int kLine = 60;

// The printer's pages folder once every page ejected so far is in it.
inline std::filesystem::path PagesOf(VirtualPrinter& printer) {
  EXPECT_EQ(printer.WaitForPages(), "");
  return printer.Directory() / "pages";
}

inline int PageCount(VirtualPrinter& printer) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(PagesOf(printer))) {
    count += entry.path().extension() == ".png" && entry.path().filename().string()[0] != '.';
  }
  return count;
}

inline QImage LoadPage(VirtualPrinter& printer, int number) {
  char name[32];
  std::snprintf(name, sizeof name, "page-%04d.png", number);
  return QImage(QString::fromStdString((PagesOf(printer) / name).string()));
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

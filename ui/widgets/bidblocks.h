#pragma once

#include <QImage>
#include <QRect>
#include <vector>

namespace opal::ui {

// A Bi-D check block as it lies on a printed page: its title line, its line of "data = N"
// values, and the five columns of marks, each with the part of the value line above it.
struct BidBlockOnPage {
  QRect title;  // empty when the values line has no title above it
  QRect values;
  std::vector<QRect> columns;
  std::vector<QRect> labels;  // one per column, or the whole values line once
};

// The blocks of a page, found by their shape alone: a band of marks as tall as a Bi-D band,
// falling into five columns, under a line of text. Pages without such bands give none.
std::vector<BidBlockOnPage> FindBidBlocks(const QImage& page);

// The blocks laid out for judging: per block its title, then its five columns side by side,
// each the middle mark of the column stretched so that one dot is several pixels wide, with its
// value above it. Null when the page holds no block.
QImage BidBlocksSheet(const QImage& page);

// The page with every ink darkened to several times its strength: light cyan and light magenta
// become as distinct as their full-strength inks, black stays black and the paper white.
QImage StrongInks(const QImage& page);

}  // namespace opal::ui

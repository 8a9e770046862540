#include "ui/widgets/bidblocks.h"

#include <QPainter>
#include <algorithm>
#include <utility>

namespace opal::ui {
namespace {

// A channel darker than this is ink; the paper is pure white.
constexpr int kPaper = 250;
// A Bi-D band is 48 rows of 1/120 inch, 144 dots high; a line of text is far lower.
constexpr int kBandHeight = 100;
// The rows of one band lie one dot apart; text lines lie further apart than this.
constexpr int kRowJoin = 4;
// The marks of one column lie 48 dots apart, the columns hundreds.
constexpr int kColumnJoin = 120;
// The words of one value lie a space apart, the values seven spaces.
constexpr int kLabelJoin = 80;
constexpr int kColumns = 5;
// A line above a band belongs to its block when nearer than this.
constexpr int kLineReach = 120;

// The sheet: a one-dot step is four pixels wide; text at a third of its size.
constexpr int kStretch = 4;
constexpr int kMarkReach = 12;  // dots shown either side of the middle mark
constexpr double kTextScale = 0.35;
constexpr int kSpacing = 16;

using Span = std::pair<int, int>;  // first and last index, inclusive

bool IsInk(QRgb pixel) {
  return qRed(pixel) < kPaper || qGreen(pixel) < kPaper || qBlue(pixel) < kPaper;
}

// Runs of inked indices; runs with fewer than `join` blank indices between them are one.
std::vector<Span> Runs(const std::vector<bool>& inked, int join) {
  std::vector<Span> runs;
  for (int i = 0; i < static_cast<int>(inked.size()); ++i) {
    if (!inked[static_cast<std::size_t>(i)]) continue;
    if (!runs.empty() && i - runs.back().second <= join) {
      runs.back().second = i;
    } else {
      runs.emplace_back(i, i);
    }
  }
  return runs;
}

std::vector<bool> InkedRows(const QImage& page) {
  std::vector<bool> inked(static_cast<std::size_t>(page.height()));
  for (int y = 0; y < page.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(page.constScanLine(y));
    inked[static_cast<std::size_t>(y)] = std::any_of(row, row + page.width(), IsInk);
  }
  return inked;
}

std::vector<bool> InkedColumns(const QImage& page, Span rows) {
  std::vector<bool> inked(static_cast<std::size_t>(page.width()));
  for (int y = rows.first; y <= rows.second; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(page.constScanLine(y));
    for (int x = 0; x < page.width(); ++x) {
      if (IsInk(row[x])) inked[static_cast<std::size_t>(x)] = true;
    }
  }
  return inked;
}

QRect RectOf(Span across, Span down) {
  return QRect(QPoint(across.first, down.first), QPoint(across.second, down.second));
}

// Where a band's reference marks lie: in its top quarter, where the trial marks (which may be
// shifted) and the lead-in dots (which lie lower) are not.
std::vector<bool> ReferenceMarks(const QImage& page, Span band) {
  return InkedColumns(page, {band.first, band.first + (band.second - band.first) / 4});
}

// The middle one of a column's reference marks.
int MiddleMark(const std::vector<bool>& reference, Span column) {
  std::vector<bool> within(reference.size());
  std::copy(reference.begin() + column.first, reference.begin() + column.second + 1,
            within.begin() + column.first);
  const std::vector<Span> marks = Runs(within, 1);
  const Span middle = marks[marks.size() / 2];
  return (middle.first + middle.second) / 2;
}

std::vector<QRect> Labels(const QImage& page, Span values) {
  std::vector<QRect> labels;
  for (const Span& run : Runs(InkedColumns(page, values), kLabelJoin)) {
    labels.push_back(RectOf(run, values));
  }
  return labels;
}

QRect TextLine(const QImage& page, Span line) {
  const std::vector<Span> whole = Runs(InkedColumns(page, line), page.width());
  return RectOf(whole.front(), line);
}

QImage Scaled(const QImage& part, double across, double down, Qt::TransformationMode mode) {
  return part.scaled(std::max(1, static_cast<int>(part.width() * across)),
                     std::max(1, static_cast<int>(part.height() * down)), Qt::IgnoreAspectRatio,
                     mode);
}

QImage Text(const QImage& page, const QRect& rect) {
  return Scaled(page.copy(rect), kTextScale, kTextScale, Qt::SmoothTransformation);
}

}  // namespace

std::vector<BidBlockOnPage> FindBidBlocks(const QImage& page) {
  const QImage image = page.convertToFormat(QImage::Format_RGB32);
  const std::vector<Span> lines = Runs(InkedRows(image), kRowJoin);
  std::vector<BidBlockOnPage> blocks;
  for (std::size_t k = 1; k < lines.size(); ++k) {
    const Span band = lines[k];
    const Span values = lines[k - 1];
    const bool is_band = band.second - band.first >= kBandHeight;
    const bool is_text = values.second - values.first < kBandHeight;
    if (!is_band || !is_text || band.first - values.second > kLineReach) continue;
    const std::vector<bool> reference = ReferenceMarks(image, band);
    const std::vector<Span> columns = Runs(reference, kColumnJoin);
    if (columns.size() != kColumns) continue;
    BidBlockOnPage block;
    block.values = TextLine(image, values);
    if (k >= 2 && lines[k - 2].second - lines[k - 2].first < kBandHeight &&
        values.first - lines[k - 2].second <= kLineReach) {
      block.title = TextLine(image, lines[k - 2]);
    }
    for (const Span& column : columns) {
      const int middle = MiddleMark(reference, column);
      block.columns.push_back(RectOf({middle - kMarkReach, middle + kMarkReach}, band));
    }
    block.labels = Labels(image, values);
    if (block.labels.size() != block.columns.size()) block.labels = {block.values};
    blocks.push_back(std::move(block));
  }
  return blocks;
}

QImage BidBlocksSheet(const QImage& page) {
  const std::vector<BidBlockOnPage> blocks = FindBidBlocks(page);
  if (blocks.empty()) return {};
  const int mark_width = (2 * kMarkReach + 1) * kStretch;
  int cell = mark_width;
  int height = kSpacing;
  for (const BidBlockOnPage& block : blocks) {
    for (const QRect& label : block.labels) {
      if (block.labels.size() == block.columns.size())
        cell = std::max(cell, static_cast<int>(label.width() * kTextScale));
    }
    height += static_cast<int>((block.title.height() + block.values.height()) * kTextScale) +
              block.columns.front().height() + 3 * kSpacing;
  }
  const int width = kSpacing + kColumns * (cell + kSpacing);
  QImage sheet(width, height, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter painter(&sheet);
  painter.setPen(QColor(0xc0, 0xc0, 0xc0));
  int y = kSpacing;
  for (const BidBlockOnPage& block : blocks) {
    if (!block.title.isEmpty()) {
      const QImage title = Text(page, block.title);
      painter.drawImage(kSpacing, y, title);
      y += title.height() + kSpacing / 2;
    }
    const bool per_column = block.labels.size() == block.columns.size();
    int labels_height = 0;
    for (std::size_t c = 0; c < block.labels.size(); ++c) {
      const QImage label = Text(page, block.labels[c]);
      const int left = kSpacing + static_cast<int>(c) * (cell + kSpacing);
      painter.drawImage(per_column ? left + (cell - label.width()) / 2 : kSpacing, y, label);
      labels_height = std::max(labels_height, label.height());
    }
    y += labels_height + kSpacing / 2;
    for (std::size_t c = 0; c < block.columns.size(); ++c) {
      const QImage mark = Scaled(page.copy(block.columns[c]), kStretch, 1, Qt::FastTransformation);
      const int left =
          kSpacing + static_cast<int>(c) * (cell + kSpacing) + (cell - mark.width()) / 2;
      painter.drawImage(left, y, mark);
      painter.drawRect(left - 1, y - 1, mark.width() + 1, mark.height() + 1);
    }
    y += block.columns.front().height() + 2 * kSpacing;
  }
  return sheet;
}

QImage StrongInks(const QImage& page) {
  constexpr int kStrength = 3;
  QImage strong = page.convertToFormat(QImage::Format_RGB32);
  const auto darker = [](int channel) { return 255 - std::min(255, (255 - channel) * kStrength); };
  for (int y = 0; y < strong.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(strong.scanLine(y));
    for (int x = 0; x < strong.width(); ++x) {
      row[x] = qRgb(darker(qRed(row[x])), darker(qGreen(row[x])), darker(qBlue(row[x])));
    }
  }
  return strong;
}

}  // namespace opal::ui

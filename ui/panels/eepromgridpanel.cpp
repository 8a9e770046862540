#include "ui/panels/eepromgridpanel.h"

#include <QHeaderView>
#include <QTableWidgetItem>
#include <algorithm>

#include "device/datamanu.h"
#include "ui_eepromgridpanel.h"

namespace opal::ui {
namespace {

// Row 0 and column 0 hold the address digits; the bytes fill the 16 x 16 cells beside them.
constexpr int kDigits = 16;
constexpr int kCells = kDigits + 1;
constexpr int kCellWidth = 22;
constexpr int kCellHeight = 18;

QTableWidgetItem* Cell(const QString& text) {
  auto* cell = new QTableWidgetItem(text);
  cell->setTextAlignment(Qt::AlignCenter);
  cell->setFlags(Qt::ItemIsEnabled);
  return cell;
}

// What a heading cell shows: the low digit along row 0, the high digit down column 0. Byte cells
// and the corner have none.
QString AddressDigit(int row, int column) {
  if ((row == 0) == (column == 0)) return {};
  return QString::number(std::max(row, column) - 1, 16).toUpper();
}

}  // namespace

EepromGridPanel::EepromGridPanel(PanelHost& host)
    : OperationPanel(PanelId::EepromGrid),
      ui_(std::make_unique<::Ui::EepromGridPanel>()),
      host_(host) {
  ui_->setupUi(this);
  QTableWidget& grid = *ui_->EepromStrGrid;
  grid.setRowCount(kCells);
  grid.setColumnCount(kCells);
  // The cells are smaller than the smallest section Qt allows by default.
  grid.horizontalHeader()->setMinimumSectionSize(1);
  grid.verticalHeader()->setMinimumSectionSize(1);
  grid.horizontalHeader()->setDefaultSectionSize(kCellWidth);
  grid.verticalHeader()->setDefaultSectionSize(kCellHeight);
  // Styles draw frames of their own widths: the cells share what the frame leaves, so column F
  // never slips behind a scroll bar.
  grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid.horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  grid.verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  const QBrush heading = palette().button();
  for (int row = 0; row < kCells; ++row) {
    for (int column = 0; column < kCells; ++column) {
      QTableWidgetItem* cell = Cell(AddressDigit(row, column));
      if (row == 0 || column == 0) cell->setBackground(heading);
      grid.setItem(row, column, cell);
    }
  }
  connect(ui_->EepromGridRtnBtn, &QPushButton::clicked, this,
          &EepromGridPanel::EepromGridRtnBtnClick);
}

EepromGridPanel::~EepromGridPanel() = default;

void EepromGridPanel::ClearBytes() {
  for (int row = 1; row < kCells; ++row) {
    for (int column = 1; column < kCells; ++column) {
      ui_->EepromStrGrid->item(row, column)->setText(QString());
    }
  }
}

void EepromGridPanel::ShowByte(uint8_t address, uint8_t value) {
  ui_->EepromStrGrid->item(address / kDigits + 1, address % kDigits + 1)
      ->setText(QString::fromStdString(ByteToHexPair(value)));
}

void EepromGridPanel::EepromGridRtnBtnClick() {
  host_.ResetPanels(false);
  host_.ShowPanel(PanelId::EepromRead);
}

}  // namespace opal::ui

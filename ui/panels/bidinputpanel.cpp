#include "ui/panels/bidinputpanel.h"

#include <algorithm>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QValidator>

#include "ui/seams/printerworker.h"
#include "ui/widgets/coretext.h"
#include "ui/widgets/updown.h"
#include "ui_bidinputpanel.h"

namespace opal::ui {
namespace {

// The arrows of the repair form stop halfway; a typed value may still use the whole range.
constexpr int kRepairArrowLimit = 34;

// The controls of each value, in the order of kBidRows.
struct RowControls {
  const char* box;
  const char* edit;
  const char* up_down;
  AdjustedItem item;
};
constexpr std::array<RowControls, kBidRowCount> kRowControls{{
    {"BidMsBkCheckBox", "MsBkBidWrtEdit", "BidMsBkUpDown", AdjustedItem::MsBlack},
    {"BidMsClCheckBox", "MsClBidWrtEdit", "BidMsClrUpDown", AdjustedItem::MsColor},
    {"Bid6plBkCheckBox", "Pl6BkBidWrtEdit", "Bid6plBkUpDown", AdjustedItem::Pl6Black},
    {"Bid6plClCheckBox", "Pl6ClBidWrtEdit", "Bid6plClrUpDown", AdjustedItem::Pl6Color},
    {"Bid4plBkCheckBox", "Pl4BkBidWrtEdit", "Bid4plBkUpDown", AdjustedItem::Pl4Black},
    {"Bid4plClCheckBox", "Pl4ClBidWrtEdit", "Bid4plClrUpDown", AdjustedItem::Pl4Color},
}};

// Black on the left, Color on the right: each side is a box, an edit, an up-down and a gap.
constexpr int kColumnsPerSide = 4;
constexpr int kEditLength = 3;
constexpr int kEditWidth = 40;

// The designed width, widened under a large font so that the longest stored value, "-128", shows
// whole inside the frame and the edit's own margins of 2 px a side (and its cursor).
int EditWidth(const QLineEdit& edit) {
  const int frame = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &edit);
  const int text = edit.fontMetrics().horizontalAdvance(QStringLiteral("-128"));
  return std::max(kEditWidth, text + 2 * frame + 2 * 2 + 1);
}

// Limits what is typed while a value read from the printer is shown whole: "-128" is longer than
// what may be typed, and an edit's own length limit would cut it to "-12".
class TypedLengthLimit final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& /*position*/) const override {
    return input.size() <= kEditLength ? Acceptable : Invalid;
  }
};

}  // namespace

BidInputPanel::BidInputPanel(ServiceContext& context, PanelHost& host, PanelRole role)
    : BidStepPanel(PanelId::BidInput, context, host, role, "BidWrtPnl"),
      ui_(std::make_unique<::Ui::BidInputPanel>()) {
  ui_->setupUi(this);
  ui_->LimitNoteLbl->setText(CoreText(kBidLimitNote));
  const int arrow_limit = role == PanelRole::Adjustment ? kBidValueMax : kRepairArrowLimit;
  for (std::size_t row = 0; row < kBidRowCount; ++row) AddRow(row, arrow_limit);
  ui_->RowsGrid->setColumnStretch(kColumnsPerSide - 1, 1);
  ui_->RowsGrid->setColumnStretch(2 * kColumnsPerSide - 1, 1);
  SetUpRole({.adjustment_action = ui_->BidWrtOKBtn,
             .previous = ui_->BidWrtRtnBtn,
             .repair_action = ui_->BidInputBtn,
             .other_panel = ui_->BidAdjustPrintBtn,
             .complete = ui_->BidAdjustCompleteBtn});
  if (role == PanelRole::Adjustment) {
    connect(action_button_, &QPushButton::clicked, this, &BidInputPanel::BidWrtOKBtnClick);
  } else {
    connect(action_button_, &QPushButton::clicked, this, &BidInputPanel::BidInputBtnClick);
    connect(other_panel_button_, &QPushButton::clicked, this,
            &BidInputPanel::BidAdjustPrintBtnClick);
  }
}

BidInputPanel::~BidInputPanel() = default;

void BidInputPanel::AddRow(std::size_t row, int arrow_limit) {
  const RowControls& names = kRowControls[row];
  auto* box = new QCheckBox(CoreText(kBidRows[row].label), this);
  box->setObjectName(QString::fromLatin1(names.box));
  auto* edit = new QLineEdit(QStringLiteral("0"), this);
  edit->setObjectName(QString::fromLatin1(names.edit));
  edit->setAccessibleName(box->text());
  edit->setValidator(new TypedLengthLimit(edit));
  edit->setFixedWidth(EditWidth(*edit));
  auto* up_down = new UpDown(*edit, -arrow_limit, arrow_limit, this);
  up_down->setObjectName(QString::fromLatin1(names.up_down));
  // Stepping a value means to write it; typing alone does not tick the box.
  connect(up_down, &UpDown::Click, box, [box] { box->setChecked(true); });

  const int grid_row = static_cast<int>(row / 2);
  const int first_column = static_cast<int>(row % 2) * kColumnsPerSide;
  ui_->RowsGrid->addWidget(box, grid_row, first_column);
  ui_->RowsGrid->addWidget(edit, grid_row, first_column + 1);
  ui_->RowsGrid->addWidget(up_down, grid_row, first_column + 2);
  rows_[row] = {box, edit};
}

void BidInputPanel::ClearInput() {
  BidStepPanel::ClearInput();
  for (const Row& row : rows_) {
    row.edit->clear();
    row.box->setChecked(false);
  }
}

void BidInputPanel::ShowAndReadValues() {
  host_.ShowPanel(Id());
  const Result result = OffTheWindow([&] {
    return context_.operations.ReadBidValues([this](std::size_t row, const std::string& text) {
      OnTheWindow([&] { rows_[row].edit->setText(QString::fromStdString(text)); });
    });
  });
  if (result != PORT_OK) {
    host_.ShowResultCode(StatusMode::Error, result);
    return;
  }
  for (const Row& row : rows_) row.box->setChecked(false);
  // The keyboard starts at the first value, as a technician reads the pattern from the top.
  rows_.front().box->setFocus(Qt::OtherFocusReason);
}

bool BidInputPanel::TickedValuesAccepted(const std::array<BidEntry, kBidRowCount>& entries) {
  bool accepted = true;
  for (std::size_t row = 0; row < kBidRowCount; ++row) {
    if (!entries[row].ticked || BidValueInRange(BidValueFromText(entries[row].text))) continue;
    if (accepted) host_.ShowStatus(StatusMode::Error, QString::fromUtf8(kBidLimitNote));
    host_.ShowStatus(StatusMode::NewLine, QStringLiteral("%1 = \"%2\"")
                                              .arg(CoreText(kBidRows[row].label),
                                                   QString::fromStdString(entries[row].text)));
    accepted = false;
  }
  return accepted;
}

bool BidInputPanel::WriteTickedValues() {
  std::array<BidEntry, kBidRowCount> entries;
  for (std::size_t row = 0; row < kBidRowCount; ++row) {
    entries[row] = {rows_[row].box->isChecked(), rows_[row].edit->text().toStdString()};
  }
  // All or nothing: a value that cannot be written keeps the others from being sent as well.
  if (!TickedValuesAccepted(entries)) return true;
  const Outcome written = OffTheWindow([&, report = host_.Report()] {
    return context_.operations.WriteTickedBidValues(entries, report, [&](std::size_t row) {
      OnTheWindow([&] {
        host_.SetAdjustedItem(kRowControls[row].item, QString::fromStdString(entries[row].text));
      });
    });
  });
  host_.ShowLeftBehind(written);
  return written.result == PORT_OK;
}

void BidInputPanel::BidWrtOKBtnClick() {
  WriteTickedValues();
}

void BidInputPanel::BidInputBtnClick() {
  // The technician may judge the values right as they are, so the step can end without a write,
  // but not after one the printer did not take.
  if (WriteTickedValues()) SetComplete(true);
}

void BidInputPanel::BidAdjustPrintBtnClick() {
  hide();
  host_.ShowPanel(PanelId::BidPrint);
}

}  // namespace opal::ui

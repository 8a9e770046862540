#include "ui/forms/repairchains.h"

#include <QtGlobal>
#include <algorithm>

namespace opal::ui {

const std::vector<Repair>& Repairs() {
  static const std::vector<Repair> repairs{
      {"PrintheadRemovalPnl",
       QT_TRANSLATE_NOOP("Repair", "Printhead removal "),
       {{StepKind::NozzleCheck, "Repair1NozzleCheckPnl",
         QT_TRANSLATE_NOOP("Repair", "Nozzle check"), "Repair1FirstDoneLbl",
         QT_TRANSLATE_NOOP("Repair", "Nozzle check has completed"), "FrameArrowImage10"},
        {StepKind::Bid, "Repair1BidPnl", QT_TRANSLATE_NOOP("Repair", "Bi-D adjustment"),
         "Repair1SecondDoneLbl", QT_TRANSLATE_NOOP("Repair", "Bi-D adjustent has completed"),
         nullptr}}},
      {"PrintheadReplacePnl",
       QT_TRANSLATE_NOOP("Repair", "Printhead Replacement "),
       {{StepKind::HeadId, "Repair2HeadIDPnl", QT_TRANSLATE_NOOP("Repair", "Head ID input"),
         "Repair2FirstDoneLbl", QT_TRANSLATE_NOOP("Repair", "Head ID input has completed"),
         "FrameArrowImage21"},
        {StepKind::InkCharge, "Repair2InkChargePnl", QT_TRANSLATE_NOOP("Repair", "Ink charge"),
         "Repair2SecondDoneLbl", QT_TRANSLATE_NOOP("Repair", "Initial ink charge has completed"),
         "FrameArrowImage22"},
        {StepKind::NozzleCheck, "Repair2NozzleCheckPnl",
         QT_TRANSLATE_NOOP("Repair", "Nozzle check"), "Repair2ThirdDoneLbl",
         QT_TRANSLATE_NOOP("Repair", "Nozzle check has completed"), "FrameArrowImage23"},
        {StepKind::Bid, "Repair2BidPnl", QT_TRANSLATE_NOOP("Repair", "Bi-D adjustment"),
         "Repair2FourthDoneLbl", QT_TRANSLATE_NOOP("Repair", "Bi-D adjustent has completed"),
         nullptr}}},
      {"MainBoardRepPnl",
       QT_TRANSLATE_NOOP("Repair", "Main Board Replacement "),
       {{StepKind::HeadId, "Repair3HeadIDPnl", QT_TRANSLATE_NOOP("Repair", "Head ID input"),
         "Repair3FirstDoneLbl", QT_TRANSLATE_NOOP("Repair", "Head ID input has completed"),
         "FrameArrowImage31"},
        {StepKind::Bid, "Repair3BidPnl", QT_TRANSLATE_NOOP("Repair", "Bi-D adjustment"),
         "Repair3SecondDoneLbl", QT_TRANSLATE_NOOP("Repair", "Bi-D adjustment has completed"),
         "FrameArrowImage32"},
        {StepKind::UsbId, "Repair3UsbInputPnl", QT_TRANSLATE_NOOP("Repair", "USB ID input"),
         "Repair3ThirdDoneLbl", QT_TRANSLATE_NOOP("Repair", "USB ID input has completed"),
         nullptr}}},
      {"CarriageRepRemPnl",
       QT_TRANSLATE_NOOP("Repair", "Carriage unit replacement or removal "),
       {{StepKind::Bid, "Repair4BidPnl", QT_TRANSLATE_NOOP("Repair", "Bi-D adjustment"),
         "Repair4FirstDoneLbl", QT_TRANSLATE_NOOP("Repair", "Bi-D adjustent has completed"),
         nullptr}}},
      {"CRMotorRepPnl",
       QT_TRANSLATE_NOOP("Repair", "CR Motor replacement "),
       {{StepKind::Bid, "Repair5BidPnl", QT_TRANSLATE_NOOP("Repair", "Bi-D adjustment"),
         "Repair5FirstDoneLbl", QT_TRANSLATE_NOOP("Repair", "Bi-D adjustent has completed"),
         nullptr}}},
      {"PrinterMechaRepPnl",
       QT_TRANSLATE_NOOP("Repair", "Printer mechanism replacement "),
       {{StepKind::HeadId, "Repair6HeadIDPnl", QT_TRANSLATE_NOOP("Repair", "Head ID input"),
         "Repair6FirstDoneLbl", QT_TRANSLATE_NOOP("Repair", "Head ID input has completed"),
         "FrameArrowImage61"},
        {StepKind::InkCharge, "Repair6InkChargePnl", QT_TRANSLATE_NOOP("Repair", "Ink charge"),
         "Repair6SecondDoneLbl", QT_TRANSLATE_NOOP("Repair", "Ink charge has completed"),
         "FrameArrowImage62"},
        {StepKind::NozzleCheck, "Repair6NozzleCheckPnl",
         QT_TRANSLATE_NOOP("Repair", "Nozzle check"), "Repair6ThirdDoneLbl",
         QT_TRANSLATE_NOOP("Repair", "Nozzle check has completed"), "FrameArrowImage63"},
        {StepKind::Bid, "Repair6BidPnl", QT_TRANSLATE_NOOP("Repair", "Bi-D adjustment"),
         "Repair6FourthDoneLbl", QT_TRANSLATE_NOOP("Repair", "Bi-D adjustent has completed"),
         nullptr}}},
      {"WasteInkPadRepPnl",
       QT_TRANSLATE_NOOP("Repair", "Waste Ink Pad replacemant "),
       {{StepKind::CounterClear, "Repair7ProtectCounterPnl",
         QT_TRANSLATE_NOOP("Repair", "Protection counter clear"), "Repair7FirstDoneLbl",
         QT_TRANSLATE_NOOP("Repair", "Protec counter clear has completed"), nullptr}}},
  };
  return repairs;
}

const std::vector<StepOperation>& StepOperations() {
  static const std::vector<StepOperation> operations{
      {StepKind::HeadId,
       PanelId::HeadIdInput,
       "HdVolWrtEdit",
       {PanelId::HeadIdInput},
       STEP_HEAD_ID_DONE},
      {StepKind::InkCharge,
       PanelId::InkCharge,
       nullptr,
       {PanelId::InkCharge},
       STEP_INK_CHARGE_DONE},
      {StepKind::NozzleCheck,
       PanelId::NozzleCheck,
       nullptr,
       {PanelId::NozzleCheck},
       STEP_NOZZLE_CHECK_DONE},
      {StepKind::Bid,
       PanelId::BidPrint,
       nullptr,
       {PanelId::BidPrint, PanelId::BidInput},
       STEP_BID_DONE},
      // Always the last step of its chain: completing it finishes the chain.
      {StepKind::UsbId, PanelId::UsbIdInput, "UsbIdInputEdit", {PanelId::UsbIdInput}, std::nullopt},
      {StepKind::CounterClear,
       PanelId::CounterClear,
       nullptr,
       {PanelId::CounterClear},
       std::nullopt},
  };
  return operations;
}

const StepOperation& OperationOf(StepKind kind) {
  const std::vector<StepOperation>& operations = StepOperations();
  return *std::find_if(operations.begin(), operations.end(),
                       [kind](const StepOperation& operation) { return operation.kind == kind; });
}

}  // namespace opal::ui

#include "ui/forms/repairchains.h"

#include <algorithm>

namespace opal::ui {

const std::vector<Repair>& Repairs() {
  static const std::vector<Repair> repairs{
      {"PrintheadRemovalPnl",
       "Printhead removal ",
       {{StepKind::NozzleCheck, "Repair1NozzleCheckPnl", "Nozzle check", "Repair1FirstDoneLbl",
         "Nozzle check has completed", "FrameArrowImage10"},
        {StepKind::Bid, "Repair1BidPnl", "Bi-D adjustment", "Repair1SecondDoneLbl",
         "Bi-D adjustent has completed", nullptr}}},
      {"PrintheadReplacePnl",
       "Printhead Replacement ",
       {{StepKind::HeadId, "Repair2HeadIDPnl", "Head ID input", "Repair2FirstDoneLbl",
         "Head ID input has completed", "FrameArrowImage21"},
        {StepKind::InkCharge, "Repair2InkChargePnl", "Ink charge", "Repair2SecondDoneLbl",
         "Initial ink charge has completed", "FrameArrowImage22"},
        {StepKind::NozzleCheck, "Repair2NozzleCheckPnl", "Nozzle check", "Repair2ThirdDoneLbl",
         "Nozzle check has completed", "FrameArrowImage23"},
        {StepKind::Bid, "Repair2BidPnl", "Bi-D adjustment", "Repair2FourthDoneLbl",
         "Bi-D adjustent has completed", nullptr}}},
      {"MainBoardRepPnl",
       "Main Board Replacement ",
       {{StepKind::HeadId, "Repair3HeadIDPnl", "Head ID input", "Repair3FirstDoneLbl",
         "Head ID input has completed", "FrameArrowImage31"},
        {StepKind::Bid, "Repair3BidPnl", "Bi-D adjustment", "Repair3SecondDoneLbl",
         "Bi-D adjustment has completed", "FrameArrowImage32"},
        {StepKind::UsbId, "Repair3UsbInputPnl", "USB ID input", "Repair3ThirdDoneLbl",
         "USB ID input has completed", nullptr}}},
      {"CarriageRepRemPnl",
       "Carriage unit replacement or removal ",
       {{StepKind::Bid, "Repair4BidPnl", "Bi-D adjustment", "Repair4FirstDoneLbl",
         "Bi-D adjustent has completed", nullptr}}},
      {"CRMotorRepPnl",
       "CR Motor replacement ",
       {{StepKind::Bid, "Repair5BidPnl", "Bi-D adjustment", "Repair5FirstDoneLbl",
         "Bi-D adjustent has completed", nullptr}}},
      {"PrinterMechaRepPnl",
       "Printer mechanism replacement ",
       {{StepKind::HeadId, "Repair6HeadIDPnl", "Head ID input", "Repair6FirstDoneLbl",
         "Head ID input has completed", "FrameArrowImage61"},
        {StepKind::InkCharge, "Repair6InkChargePnl", "Ink charge", "Repair6SecondDoneLbl",
         "Ink charge has completed", "FrameArrowImage62"},
        {StepKind::NozzleCheck, "Repair6NozzleCheckPnl", "Nozzle check", "Repair6ThirdDoneLbl",
         "Nozzle check has completed", "FrameArrowImage63"},
        {StepKind::Bid, "Repair6BidPnl", "Bi-D adjustment", "Repair6FourthDoneLbl",
         "Bi-D adjustent has completed", nullptr}}},
      {"WasteInkPadRepPnl",
       "Waste Ink Pad replacemant ",
       {{StepKind::CounterClear, "Repair7ProtectCounterPnl", "Protection counter clear",
         "Repair7FirstDoneLbl", "Protec counter clear has completed", nullptr}}},
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

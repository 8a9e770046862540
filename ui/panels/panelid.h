#pragma once

namespace opal::ui {

// Every operation panel of the two program forms, by what it does; its object name is its given
// name, which may differ between the forms (shown as individual / repair). A form shows a panel
// by this id only, so a panel that does not exist cannot be asked for.
enum class PanelId {
  Canvas,          // CanvasPnl: the individual form's empty area, no operation panel
  HeadIdChoice,    // HdVolPnl
  HeadIdInput,     // HdVolWrtPnl
  BidChoice,       // BidPnl
  BidPrint,        // BidPrintPnl / BidPrnPnl
  BidInput,        // BidInputPnl / BidWrtPnl
  UsbIdChoice,     // UsbIdPnl
  UsbIdInput,      // UsbIdInputPnl
  Cleaning,        // CleaningPnl
  InkCharge,       // ChargePnl / InkChargePnl
  LiquidExchange,  // ExchangePnl1
  DataReset,       // ExchangePnl2
  CounterChoice,   // CounterPnl
  CounterCheck,    // CounterCheckPnl
  CounterClear,    // CounterClearPnl
  A4Check,         // A4CheckPrnPnl
  ChipInfoChoice,  // ZLICInfoItemsPnl
  ChipReport,      // ZLICInfoPnl
  EepromChoice,    // EepromCheckPnl
  EepromRead,      // EepromReadPnl
  EepromWrite,     // EepromWritePnl
  EepromGrid,      // EepromGridPnl
  NozzleCheck,     // NozzleCheckPnl
  Completed,       // CompletedPnl
};

}  // namespace opal::ui

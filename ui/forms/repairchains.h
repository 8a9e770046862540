#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "ui/panels/panelid.h"

namespace opal::ui {

// StepState: the code of the last completed step, one for the whole program.
inline constexpr uint8_t STEP_NONE = 0;
inline constexpr uint8_t STEP_CHAIN_DONE = 1;
inline constexpr uint8_t STEP_INK_CHARGE_DONE = 2;
inline constexpr uint8_t STEP_NOZZLE_CHECK_DONE = 3;
inline constexpr uint8_t STEP_HEAD_ID_DONE = 4;
inline constexpr uint8_t STEP_BID_DONE = 6;

// RepairType of the first repair of the menu; the others follow in menu order.
inline constexpr int16_t kFirstRepairType = 800;

enum class StepKind { HeadId, InkCharge, NozzleCheck, Bid, UsbId, CounterClear };

// The operation panels of one kind of step, the same in every chain that has it.
struct StepOperation {
  StepKind kind;
  // Shown when the step opens.
  PanelId panel;
  // The edit that takes the input focus when the step opens, if any.
  const char* focus;
  // Hidden when the step completes; the Bi-D step has two.
  std::vector<PanelId> panels;
  // StepState once the step is done and another step follows it.
  std::optional<uint8_t> done_code;
};

// One step of a chain as the chain panel shows it.
struct RepairStep {
  StepKind kind;
  const char* panel;
  const char* caption;
  const char* done_label;
  const char* done_caption;
  // The arrow below the step; the last step has none.
  const char* arrow;
};

struct Repair {
  const char* chain_panel;
  const char* title;
  std::vector<RepairStep> steps;
};

// The seven repairs in menu order.
const std::vector<Repair>& Repairs();
const std::vector<StepOperation>& StepOperations();
const StepOperation& OperationOf(StepKind kind);

}  // namespace opal::ui

#pragma once

#include "virtualprinter/printermodel.h"
#include "virtualprinter/servicecommand.h"

namespace vp {

// What the printer's own cleaning sequences do: they draw ink from both cartridges through the
// head into the waste-ink pad, and the printer counts that on the chips and in its EEPROM.
struct InkSystem {
  Memory& black_chip;
  Memory& color_chip;
  Memory& eeprom;
};

// The protection counter stops here, the most the waste-ink pad is rated for; a printer whose
// counter has reached it takes the data of a page but prints nothing until the counter is
// cleared.
inline constexpr int kCounterMaximum = 32'915;
int ProtectionCounter(const Memory& eeprom);
void SetProtectionCounter(Memory& eeprom, int value);

// Each cleaning clears half of the nozzles still clogged (the odd one out too), per ink.
void ClearSomeNozzles(std::array<uint64_t, 6>& clogged);

// Powerful cleaning takes about 1/27 of a new black cartridge and 1/13 of a new colour one
// (each of its five inks), the ink charge about 1/10 and 1/5; the chips count ink in whole
// percent. The protection counter rises with the ink that reached the pad.
void RunCleaningSequence(CleaningMode mode, const InkSystem& ink);

}  // namespace vp

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

// Powerful cleaning takes about 1/27 of a new black cartridge and 1/13 of a new colour one
// (each of its five inks), the ink charge about 1/10 and 1/5; the chips count ink in whole
// percent. The protection counter rises with the ink that reached the pad.
void RunCleaningSequence(CleaningMode mode, const InkSystem& ink);

}  // namespace vp

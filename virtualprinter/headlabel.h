#pragma once

#include <random>
#include <string>
#include <string_view>

#include "virtualprinter/printermodel.h"

namespace vp {

// The head ID the printer keeps (EEPROM 0x3F-0x4B), written out as the 13 characters of a head's
// label, its check character recomputed; a stored byte no label character stands for shows as '?'.
std::string StoredHeadId(const Memory& eeprom);

// A head ID as a new head's label carries it: valid in every position, with its check character.
std::string RandomHeadLabel(std::mt19937& random);

// Clears the bytes a spare main board has not yet been given: the head ID and its derived byte.
void BlankHeadId(Memory& eeprom);

}  // namespace vp

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/factory.h"
#include "tests/support/chipprinter.h"
#include "tests/support/gatedprinter.h"

namespace opal::testing {

// The ways a printer fails the changes an operation makes to its EEPROM.
enum class WriteFault {
  None,
  IgnoresWrites,        // takes every change and stores nothing
  ReadsFailAfterWrite,  // answers no read request once a change came
  SendFails,            // the link breaks at the first change: it and everything after fail
};

const char* NameOf(WriteFault fault);
// Sets the gate to fail the way `fault` says, from the next frame on.
void Inject(Gate& gate, WriteFault fault);

// An operation that writes to the EEPROM, with the byte it writes first.
struct WritingOperation {
  std::string name;
  uint8_t first_address;
  uint8_t first_value;
  std::function<Result(ChipPrinter&)> run;
};

// Runs every operation against every fault on a fresh printer whose first byte holds EE: the
// right code; a message naming the address, the value written and the value read; a time within
// the limits of the waits it blocks on; and an EEPROM that holds no write the operation did not
// report. On a printer without a fault every operation succeeds.
void ExpectNoWriteTakenForDone(const std::vector<WritingOperation>& operations);

}  // namespace opal::testing

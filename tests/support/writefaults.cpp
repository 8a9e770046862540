#include "tests/support/writefaults.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>

#include "tests/support/tempdir.h"

namespace opal::testing {
namespace {

using std::chrono::seconds;

std::string Hex(uint8_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[value >> 4], kDigits[value & 15]};
}

struct FaultOutcome {
  WriteFault fault;
  Result code;
  // What follows "Verify error at address AA: written WW, "; empty: the code's own message.
  std::string detail;
  bool first_byte_written;
  seconds within;  // a read that gets no reply costs its 20 s limit
};

const std::vector<FaultOutcome> kOutcomes{
    {WriteFault::IgnoresWrites, ERR_WRITE_NOT_HELD, "read back EE.", false, seconds(1)},
    {WriteFault::ReadsFailAfterWrite, ERR_WRITE_UNREADABLE, "cannot be read back (Receive error).",
     true, seconds(21)},
    {WriteFault::SendFails, ERR_SEND_COUNT, "", false, seconds(1)},
};

}  // namespace

const char* NameOf(WriteFault fault) {
  constexpr std::array<const char*, 4> kNames{"none", "ignores writes", "reads fail after a write",
                                              "send fails"};
  return kNames[static_cast<std::size_t>(fault)];
}

void Inject(Gate& gate, WriteFault fault) {
  gate.drop_eeprom_writes = fault == WriteFault::IgnoresWrites;
  gate.drop_reads_after_a_change = fault == WriteFault::ReadsFailAfterWrite;
  gate.cut_at_first_change = fault == WriteFault::SendFails;
}

void ExpectNoWriteTakenForDone(const std::vector<WritingOperation>& operations) {
  for (const WritingOperation& operation : operations) {
    for (const FaultOutcome& outcome : kOutcomes) {
      SCOPED_TRACE(operation.name + ", " + NameOf(outcome.fault));
      TempDir temp;
      ChipPrinter link(temp.path() / "printer", GoodChip(), GoodChip());
      Inject(link.gate, outcome.fault);
      link.printer.SetEepromByte(operation.first_address, 0xEE);
      const auto before = link.printer.Eeprom();
      const auto start = link.clock.Now();

      const Result result = operation.run(link);

      EXPECT_EQ(result, outcome.code);
      const std::string message = outcome.detail.empty()
                                      ? ResultMessage(outcome.code)
                                      : "Verify error at address " + Hex(operation.first_address) +
                                            ": written " + Hex(operation.first_value) + ", " +
                                            outcome.detail;
      EXPECT_EQ(link.command.Message(result), message);
      EXPECT_LT(link.clock.Now() - start, outcome.within);
      const auto after = link.printer.Eeprom();
      if (outcome.first_byte_written) {
        EXPECT_EQ(after[operation.first_address], operation.first_value);
      } else {
        EXPECT_EQ(after, before);
      }
    }
    TempDir temp;
    ChipPrinter link(temp.path() / "printer", GoodChip(), GoodChip());
    EXPECT_EQ(operation.run(link), PORT_OK) << operation.name;
    EXPECT_FALSE(link.command.LastWriteCheck()) << operation.name;
  }
}

}  // namespace opal::testing

#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "link/factory.h"
#include "tests/support/fakes.h"
#include "tests/support/gatedprinter.h"
#include "virtualport/virtualport.h"
#include "virtualprinter/virtualprinter.h"

namespace opal::testing {

using ChipMemory = std::array<uint8_t, 256>;
// Chip bytes a case sets: address, value.
using ChipBytes = std::vector<std::pair<uint8_t, uint8_t>>;

// A cartridge as it leaves the maker: VELTA, made 2023/5/14, good for 24 months, 6 once opened,
// cleaned and installed once, no ink used.
ChipMemory GoodChip(const ChipBytes& changes = {});

// The local time of midnight on a day, for the clock that decides whether a cartridge expired.
std::tm LocalDate(int year, int month, int day);

// A printer folder whose cartridge chips hold `black` and `color`; the rest is factory-fresh.
std::filesystem::path PrinterWithChips(const std::filesystem::path& dir, const ChipMemory& black,
                                       const ChipMemory& color);

// One write that does not reach the printer, as a transfer the link drops, while those before
// and after it go through: the first that `drops` picks.
struct Flaw {
  std::function<bool(std::span<const uint8_t> bytes)> drops;
};

class FlawedProvider final : public PortProvider {
 public:
  FlawedProvider(PortProvider& printer, Flaw& flaw) : printer_(printer), flaw_(flaw) {}
  OpenOutcome Open(PortId port) override;

 private:
  PortProvider& printer_;
  Flaw& flaw_;
};

// A virtual printer with the given chips, behind a gate and a flaw, on an open port. The gate
// records what reached the printer.
struct ChipPrinter {
  ChipPrinter(const std::filesystem::path& dir, const ChipMemory& black, const ChipMemory& color)
      : printer(PrinterWithChips(dir, black, color)) {
    EXPECT_EQ(port.Open(PortId::Vlusb1), PORT_OK);
  }

  // The chip addresses read, in order.
  std::vector<uint8_t> ChipReads() const;

  vp::VirtualPrinter printer;
  FakeClock clock;
  ThrowingExit exit;
  Gate gate;
  VirtualPortProvider virtual_port{printer, clock, clock};
  GatedProvider gated{virtual_port, gate};
  Flaw flaw;
  FlawedProvider provider{gated, flaw};
  TPrinterPort port{provider, clock, exit};
  TFactoryCommand command{port};
};

}  // namespace opal::testing

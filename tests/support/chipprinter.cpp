#include "tests/support/chipprinter.h"

#include "tests/support/forwardingdevice.h"

#include <fstream>

namespace opal::testing {
namespace {

void WriteChip(const std::filesystem::path& file, const ChipMemory& chip) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(chip.data()), static_cast<long>(chip.size()));
}

class FlawedDevice final : public ForwardingDevice {
 public:
  FlawedDevice(std::unique_ptr<PortDevice> printer, Flaw& flaw)
      : ForwardingDevice(std::move(printer)), flaw_(flaw) {}

  long WriteSome(std::span<const uint8_t> bytes) override {
    if (flaw_.drops && flaw_.drops(bytes)) {
      flaw_.drops = nullptr;
      return -1;
    }
    return ForwardingDevice::WriteSome(bytes);
  }

 private:
  Flaw& flaw_;
};

}  // namespace

OpenOutcome FlawedProvider::Open(PortId port) {
  OpenOutcome outcome = printer_.Open(port);
  outcome.device = std::make_unique<FlawedDevice>(std::move(outcome.device), flaw_);
  return outcome;
}

ChipMemory GoodChip(const ChipBytes& changes) {
  ChipMemory chip{};
  const ChipBytes made{{6, 1},  {7, 1},    {12, 23},  {13, 5},   {14, 14},  {28, 24},
                       {29, 6}, {35, 'V'}, {36, 'E'}, {37, 'L'}, {38, 'T'}, {39, 'A'}};
  for (const auto& bytes : {made, changes}) {
    for (const auto& [address, value] : bytes) chip[address] = value;
  }
  return chip;
}

std::tm LocalDate(int year, int month, int day) {
  std::tm date{};
  date.tm_year = year - 1900;
  date.tm_mon = month - 1;
  date.tm_mday = day;
  return date;
}

std::filesystem::path PrinterWithChips(const std::filesystem::path& dir, const ChipMemory& black,
                                       const ChipMemory& color) {
  { vp::VirtualPrinter fresh(dir); }
  WriteChip(dir / "chip-black.bin", black);
  WriteChip(dir / "chip-color.bin", color);
  return dir;
}

std::vector<uint8_t> ChipPrinter::ChipReads() const {
  std::vector<uint8_t> addresses;
  for (const Frame& frame : gate.frames) {
    if (frame.size() == 12 && frame[7] == 0x61) addresses.push_back(frame[11]);
  }
  return addresses;
}

}  // namespace opal::testing

#include "virtualprinter/grading.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>

#include "virtualprinter/eepromareas.h"
#include "virtualprinter/headlabel.h"
#include "virtualprinter/inksystem.h"
#include "virtualprinter/statestore.h"

namespace vp {
namespace {

constexpr std::array<std::string_view, 6> kBidRowNames{"MS Black",  "MS Color",  "6pl Black",
                                                       "6pl Color", "4pl Black", "4pl Color"};
constexpr std::array<std::string_view, 6> kInkNames{"black",  "cyan",       "magenta",
                                                    "yellow", "light cyan", "light magenta"};
constexpr int kFull = 100;

std::string StoredUsbId(const Memory& eeprom) {
  std::string id;
  for (std::size_t k = 0; k < kUsbIdLength; ++k) {
    const uint8_t c = eeprom[kUsbId + k];
    id += c > ' ' && c < 0x7F ? static_cast<char>(c) : '?';
  }
  return id;
}

struct Grader {
  void Check(bool good, std::string line) {
    repaired = repaired && good;
    lines.push_back(std::move(line));
  }

  void Label(std::string_view what, const std::string& label, std::string_view stored_what,
             const std::string& stored) {
    const bool matches = label == stored;
    Check(matches, std::string(what) + ": " + label + ", " + std::string(stored_what) + " " +
                       stored + (matches ? " matches" : " does not match"));
  }

  void Bid(const Memory& eeprom, const Simulation& simulation) {
    for (std::size_t row = 0; row < kBidRowNames.size(); ++row) {
      const int stored = static_cast<int8_t>(eeprom[BidAddress(row)]);
      const int head = simulation.bid_misalignment[row];
      const int left = head - stored;
      Check(left == 0, "Bi-D " + std::string(kBidRowNames[row]) + ": " + std::to_string(left) +
                           " off (head " + std::to_string(head) + ", stored " +
                           std::to_string(stored) + ")");
    }
  }

  void Nozzles(const Simulation& simulation) {
    std::string clogged;
    for (std::size_t ink = 0; ink < kInkNames.size(); ++ink) {
      std::string nozzles;
      for (int nozzle = 0; nozzle < 64; ++nozzle) {
        if ((simulation.clogged_nozzles[ink] >> nozzle & 1) == 0) continue;
        nozzles += (nozzles.empty() ? "" : ", ") + std::to_string(nozzle);
      }
      if (nozzles.empty()) continue;
      clogged += (clogged.empty() ? "" : "; ") + std::string(kInkNames[ink]) + " " + nozzles;
    }
    Check(clogged.empty(), "Nozzles not firing: " + (clogged.empty() ? "none" : clogged));
  }

  void Ink(const Memory& black, const Memory& color) {
    std::string line = "Ink left:";
    for (std::size_t ink = 0; ink < kInkNames.size(); ++ink) {
      const int used = ink == 0 ? black[0] : color[ink - 1];
      line += (ink == 0 ? " " : ", ") + std::string(kInkNames[ink]) + " " +
              std::to_string(kFull - std::min(used, kFull)) + " %";
    }
    lines.push_back(line);
  }

  std::vector<std::string> lines;
  bool repaired = true;
};

}  // namespace

PrinterGrade GradePrinter(const std::filesystem::path& dir) {
  if (!std::filesystem::is_regular_file(dir / "printer.json")) {
    throw std::runtime_error("no virtual printer in " + dir.string());
  }
  const StateStore store(dir, "320");
  const Memory& eeprom = store.Eeprom();
  const Simulation& simulation = store.GetSimulation();
  Grader grader;
  grader.lines.push_back("Scenario: " +
                         (simulation.scenario.empty() ? "none" : simulation.scenario));
  grader.Label("Head label", simulation.head_label, "stored head ID", StoredHeadId(eeprom));
  grader.Label("Serial label", simulation.serial_label, "stored USB ID", StoredUsbId(eeprom));
  grader.Bid(eeprom, simulation);
  grader.Nozzles(simulation);
  grader.Check(simulation.ink_charged,
               simulation.ink_charged ? "Ink charge: done" : "Ink charge: not done");
  const int counter = ProtectionCounter(eeprom);
  grader.Check(counter < kCounterMaximum,
               "Protection counter: " + std::to_string(counter) + " of " +
                   std::to_string(kCounterMaximum) +
                   (counter < kCounterMaximum ? "" : ", the waste-ink pad is full"));
  grader.Ink(store.Chip(Cartridge::Black), store.Chip(Cartridge::Color));
  grader.lines.push_back(grader.repaired ? "Repaired" : "Not repaired");
  return {std::move(grader.lines), grader.repaired};
}

}  // namespace vp

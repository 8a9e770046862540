#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "link/factory.h"
#include "link/showntext.h"
#include "link/timing.h"

namespace opal {

inline constexpr std::string_view kChipMaker = "VELTA";

enum class ChipReport { Unique, Usage };

// One report of one cartridge, as the chip information menu offers it.
struct ChipInfoItem {
  uint8_t cartridge;  // INK_BLACK or INK_COLOR
  ChipReport report;
  std::string_view label;  // what the report panel is titled while it shows this report
};

// The menu's report items in menu order; printing all information prints them in this order too.
inline constexpr std::array<ChipInfoItem, 4> kChipInfoItems{{
    {INK_BLACK, ChipReport::Unique, OPAL_TEXT("Core", "Black I/C unique information ")},
    {INK_BLACK, ChipReport::Usage, OPAL_TEXT("Core", "Black I/C usage information ")},
    {INK_COLOR, ChipReport::Unique, OPAL_TEXT("Core", "Color I/C unique information ")},
    {INK_COLOR, ChipReport::Usage, OPAL_TEXT("Core", "Color I/C usage information ")},
}};
// The report panel's title before a report is chosen.
inline constexpr std::string_view kChipInfoTitle = "ZLIC information ";

using ChipReports = std::array<std::string, kChipInfoItems.size()>;

// The ink cartridges' memory chips turned into the reports a technician reads. Reports are lines
// joined by CR LF; a report is replaced only when its operation succeeds.
class TZlic {
 public:
  // `clock` gives today's date, against which the cartridge's effect date is checked.
  TZlic(TFactoryCommand& command, const Clock& clock) : command_(command), clock_(clock) {}

  // Maker, product date, effect date and open effect period. The first failing read's code, or
  // ERR_CHIP_MAKER, ERR_CHIP_DATE or ERR_CHIP_EXPIRED, in this order of checking.
  Result ReadChipUniqueInfo(uint8_t cartridge, std::string& report);
  // Remaining ink of each colour and the cleaning, install and recycle counters; ERR_CHIP_DATA
  // for a colour that used more than all of its ink.
  Result ReadChipUsageInfo(uint8_t cartridge, std::string& report);
  Result ReadChipInfo(const ChipInfoItem& item, std::string& report);
  // Every report in item order, stopping at the first failure.
  Result ReadAllChipInfo(ChipReports& reports);

 private:
  TFactoryCommand& command_;
  const Clock& clock_;
};

}  // namespace opal

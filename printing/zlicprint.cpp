#include "printing/zlicprint.h"

#include <functional>
#include <initializer_list>
#include <span>

namespace opal {
namespace {

constexpr std::array<std::string_view, 2> kHeadings{"Black ZLIC information",
                                                    "Color ZLIC information"};
constexpr std::string_view kUniqueHeading = "(Unique)";
constexpr std::string_view kUsageHeading = "(Usage)";

// Each cartridge's unique report, then its usage report: Black first.
static_assert([] {
  for (std::size_t i = 0; i < kChipInfoItems.size(); ++i) {
    const ChipInfoItem& item = kChipInfoItems[i];
    if (item.cartridge != (i < 2 ? INK_BLACK : INK_COLOR)) return false;
    if (item.report != (i % 2 == 0 ? ChipReport::Unique : ChipReport::Usage)) return false;
  }
  return true;
}());

}  // namespace

Result SendCharacters(TRasterPrinter& raster, std::string_view text) {
  return raster.SendBytes(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

Result SendChipReports(TRasterPrinter& raster, const ChipReports& reports) {
  const PrintJob job(raster.Port());
  for (std::size_t cartridge = 0; cartridge < kHeadings.size(); ++cartridge) {
    const std::string& unique = reports[2 * cartridge];
    const std::string& usage = reports[2 * cartridge + 1];
    for (const std::function<Result()>& step : std::initializer_list<std::function<Result()>>{
             [&] { return raster.SendText(kHeadings[cartridge]); },
             [&] { return raster.SendNewLines(2); },
             [&] { return raster.SendText(kUniqueHeading); },
             [&] { return SendCharacters(raster, unique); },
             [&] { return raster.SendNewLines(2); },
             [&] { return raster.SendText(kUsageHeading); },
             [&] { return SendCharacters(raster, usage); },
             [&] { return raster.SendNewLines(3); },
         }) {
      if (const Result result = step(); result != PORT_OK) return result;
    }
  }
  return raster.SendFormFeed();
}

Result PrintAllChipInfo(TRasterPrinter& raster, TZlic& zlic) {
  ChipReports reports;
  if (const Result result = zlic.ReadAllChipInfo(reports); result != PORT_OK) return result;
  return SendChipReports(raster, reports);
}

}  // namespace opal

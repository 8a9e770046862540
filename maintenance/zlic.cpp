#include "maintenance/zlic.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <span>

namespace opal {
namespace {

namespace chrono = std::chrono;

// The unique report's reads in the printer's order: maker, product date, effect period, the
// product date again as the base of the effect date, open effect period.
constexpr std::array<uint8_t, 13> kUniqueAddresses{35, 36, 37, 38, 39, 12, 13,
                                                   14, 28, 12, 13, 14, 29};
constexpr std::size_t kMakerAt = 0;
constexpr std::size_t kProductDateAt = 5;
constexpr std::size_t kEffectPeriodAt = 8;
constexpr std::size_t kEffectBaseAt = 9;
constexpr std::size_t kOpenPeriodAt = 12;

// Ink used in percent per colour (the black chip has one colour), then the cleaning, install and
// recycle counters.
constexpr std::array<uint8_t, 4> kBlackUsageAddresses{0, 6, 7, 21};
constexpr std::array<uint8_t, 8> kColorUsageAddresses{0, 1, 2, 3, 4, 6, 7, 21};
constexpr std::size_t kCounterCount = 3;
constexpr int kFullInk = 100;

constexpr std::array<std::string_view, 1> kBlackInkNames{"        Black = "};
constexpr std::array<std::string_view, 5> kColorInkNames{
    "         Cyan = ", "      Magenta = ", "       Yellow = ", "       L.Cyan = ",
    "    L.Magenta = "};
constexpr std::array<std::string_view, kCounterCount> kCounterNames{
    "Cleaning counter = ", " Install counter = ", " Recycle counter = "};

constexpr std::string_view kCrLf = "\r\n";

template <std::size_t N>
Result ReadChip(TFactoryCommand& command, uint8_t cartridge,
                const std::array<uint8_t, N>& addresses, std::array<uint8_t, N>& values) {
  for (std::size_t i = 0; i < N; ++i) {
    const Result result = command.ChipReadByte(cartridge, addresses[i], values[i]);
    if (result != PORT_OK) return result;
  }
  return PORT_OK;
}

// The chip keeps two year digits: 99 is 1999, 0 to 98 are 2000 to 2098.
std::optional<chrono::year_month_day> ChipDate(const uint8_t* bytes) {
  const uint8_t year = bytes[0];
  const uint8_t month = bytes[1];
  const uint8_t day = bytes[2];
  if (year > 99) return std::nullopt;
  const chrono::year_month_day date{chrono::year(year == 99 ? 1999 : 2000 + year),
                                    chrono::month(month), chrono::day(day)};
  if (!date.ok()) return std::nullopt;
  return date;
}

// Months added to the product date; a day the later month does not have becomes its last day.
chrono::year_month_day EffectDate(const chrono::year_month_day& base, uint8_t months) {
  const chrono::year_month month = base.year() / base.month() + chrono::months(months);
  return month / std::min(base.day(), (month / chrono::last).day());
}

std::string DateText(const chrono::year_month_day& date) {
  return std::to_string(static_cast<int>(date.year())) + "/" +
         std::to_string(static_cast<unsigned>(date.month())) + "/" +
         std::to_string(static_cast<unsigned>(date.day()));
}

chrono::year_month_day Today(const Clock& clock) {
  const std::tm local = clock.LocalTime();
  return {chrono::year(local.tm_year + 1900), chrono::month(local.tm_mon + 1),
          chrono::day(local.tm_mday)};
}

// Counters read as counts: " time" for 0 and 1, " times" from 2 on.
std::string CountText(uint8_t count) {
  return std::to_string(count) + (count < 2 ? " time" : " times");
}

template <std::size_t N>
std::string UsageReport(const std::array<std::string_view, N - kCounterCount>& ink_names,
                        const std::array<uint8_t, N>& values) {
  std::string report = " " + std::string(kCrLf) + "Ink counter remaining quantity";
  for (std::size_t ink = 0; ink < ink_names.size(); ++ink) {
    const int remaining = kFullInk - values[ink];
    report += std::string(kCrLf) + std::string(ink_names[ink]) + std::to_string(remaining) + "%";
  }
  report += kCrLf;
  for (std::size_t counter = 0; counter < kCounterCount; ++counter) {
    report += std::string(kCrLf) + std::string(kCounterNames[counter]) +
              CountText(values[ink_names.size() + counter]);
  }
  return report;
}

template <std::size_t N>
Result ReadUsage(TFactoryCommand& command, uint8_t cartridge,
                 const std::array<uint8_t, N>& addresses,
                 const std::array<std::string_view, N - kCounterCount>& ink_names,
                 std::string& report) {
  std::array<uint8_t, N> values{};
  if (const Result result = ReadChip(command, cartridge, addresses, values); result != PORT_OK) {
    return result;
  }
  // The bytes count the ink used in percent; more than all of it is not a reading.
  const auto used = std::span(values).first(ink_names.size());
  if (std::any_of(used.begin(), used.end(), [](uint8_t percent) { return percent > kFullInk; })) {
    return ERR_CHIP_DATA;
  }
  report = UsageReport(ink_names, values);
  return PORT_OK;
}

}  // namespace

Result TZlic::ReadChipUniqueInfo(uint8_t cartridge, std::string& report) {
  std::array<uint8_t, kUniqueAddresses.size()> values{};
  if (const Result result = ReadChip(command_, cartridge, kUniqueAddresses, values);
      result != PORT_OK) {
    return result;
  }
  const std::string maker(values.begin() + kMakerAt, values.begin() + kMakerAt + kChipMaker.size());
  if (maker != kChipMaker) return ERR_CHIP_MAKER;
  const auto product = ChipDate(&values[kProductDateAt]);
  const auto base = ChipDate(&values[kEffectBaseAt]);
  if (!product || !base) return ERR_CHIP_DATE;
  const chrono::year_month_day effect = EffectDate(*base, values[kEffectPeriodAt]);
  // A cartridge is still good on its effect date itself.
  if (Today(clock_) > effect) return ERR_CHIP_EXPIRED;

  report = " " + std::string(kCrLf) + "   Product company = " + maker + std::string(kCrLf) +
           "      Product date = " + DateText(*product) + std::string(kCrLf) +
           "       Effect date = " + DateText(effect) + std::string(kCrLf) +
           "Open effect period = " + std::to_string(values[kOpenPeriodAt]) + " months";
  return PORT_OK;
}

Result TZlic::ReadChipUsageInfo(uint8_t cartridge, std::string& report) {
  if (cartridge == INK_BLACK) {
    return ReadUsage(command_, cartridge, kBlackUsageAddresses, kBlackInkNames, report);
  }
  return ReadUsage(command_, cartridge, kColorUsageAddresses, kColorInkNames, report);
}

Result TZlic::ReadChipInfo(const ChipInfoItem& item, std::string& report) {
  return item.report == ChipReport::Unique ? ReadChipUniqueInfo(item.cartridge, report)
                                           : ReadChipUsageInfo(item.cartridge, report);
}

Result TZlic::ReadAllChipInfo(ChipReports& reports) {
  for (std::size_t i = 0; i < kChipInfoItems.size(); ++i) {
    if (const Result result = ReadChipInfo(kChipInfoItems[i], reports[i]); result != PORT_OK) {
      return result;
    }
  }
  return PORT_OK;
}

}  // namespace opal

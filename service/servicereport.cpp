#include "service/servicereport.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <ctime>
#include <regex>

#include "service/changewords.h"
#include "service/journaltext.h"
#include "service/printeridentity.h"

namespace opal {
namespace {

std::string LocalTime(std::filesystem::file_time_type stamp) {
  const std::time_t seconds =
      std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(stamp));
  std::tm local{};
  localtime_r(&seconds, &local);
  std::array<char, 32> text{};
  std::strftime(text.data(), text.size(), "%Y-%m-%d %H:%M:%S", &local);
  return text.data();
}

// The pages in a virtual printer's `pages` folder printed at or after `since`, oldest first.
std::vector<std::filesystem::path> PagesPrintedSince(const std::filesystem::path& pages,
                                                     const std::string& since) {
  std::vector<std::pair<std::string, std::filesystem::path>> found;
  std::error_code error;
  for (const auto& file : std::filesystem::directory_iterator(pages, error)) {
    if (!file.is_regular_file(error) || file.path().extension() != ".png") continue;
    const std::string printed = LocalTime(file.last_write_time(error));
    if (!error && printed >= since) found.emplace_back(printed, file.path());
  }
  std::sort(found.begin(), found.end());
  std::vector<std::filesystem::path> files;
  for (auto& [printed, file] : found) files.push_back(std::move(file));
  return files;
}

}  // namespace

bool IsReportDate(const std::string& text) {
  static const std::regex kDate(R"(\d{4}-\d{2}-\d{2}( \d{2}:\d{2}(:\d{2})?)?)");
  return std::regex_match(text, kDate);
}

ServiceReport BuildServiceReport(const std::vector<JournalEntry>& newest_first,
                                 const std::optional<std::string>& since) {
  ServiceReport report;
  if (newest_first.empty()) {
    report.since = since.value_or("");
    return report;
  }
  const JournalEntry& newest = newest_first.front();
  const IdentityBytes now = CarriedForward(IdentityBytesOf(newest.printer), std::span(&newest, 1));
  report.model = newest.printer.model;
  report.usb_id = UsbIdOf(now);
  report.serial = report.usb_id;
  report.head_id = HeadIdOf(now);
  report.since = since.value_or(newest.time.substr(0, 10));
  // A virtual printer is known by its folder, where it keeps the pages it printed.
  if (const std::filesystem::path place = newest.printer.port; place.is_absolute())
    report.pages = PagesPrintedSince(place / "pages", report.since);
  for (auto entry = newest_first.rbegin(); entry != newest_first.rend(); ++entry) {
    if (entry->time < report.since) continue;
    report.operations.push_back({entry->time, entry->operation, StateText(*entry), entry->failure,
                                 entry->user, entry->bench, ChangesInWords(entry->changes)});
  }
  return report;
}

}  // namespace opal

#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "service/journalstore.h"

namespace opal {

// One operation of a visit as the customer reads it.
struct ReportOperation {
  std::string time;
  std::string operation;
  std::string state;
  std::string failure;
  std::string technician;
  std::string bench;
  std::vector<std::string> changes;  // "Bi-D MS Black -2 → 0"
};

// What a service report tells the customer: the printer, and each operation of the visit with
// its before and after, who did it and where, and the pages the printer printed meanwhile.
struct ServiceReport {
  std::string model;
  std::string serial;
  std::string usb_id;
  std::string head_id;
  std::string since;
  std::vector<ReportOperation> operations;  // oldest first
  std::vector<std::filesystem::path> pages;
};

// The visit of the printer whose history is `newest_first`: the entries at or after `since`
// ("2026-03-02" or "2026-03-02 10:00:00"); without it, those of the newest entry's day. The
// printer is named as the newest entry left it; a virtual printer whose folder is here adds the
// pages it printed in the visit.
ServiceReport BuildServiceReport(const std::vector<JournalEntry>& newest_first,
                                 const std::optional<std::string>& since);

// Whether `text` is a date or time BuildServiceReport takes.
bool IsReportDate(const std::string& text);

}  // namespace opal

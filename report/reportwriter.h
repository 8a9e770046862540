#pragma once

#include <filesystem>
#include <string>

#include "service/servicereport.h"

namespace opal {

// How a page image is named in the HTML: a file the PDF writer reads, or the bytes themselves so
// the page stands on its own.
enum class ReportImages { Files, Embedded };

// The report as an HTML page; every text from the journal or the printer is escaped.
std::string ReportHtml(const ServiceReport& report, ReportImages images);

// Writes the report to `file`, as PDF when its name ends in .pdf and as HTML when in .html or
// .htm; false with `problem` set otherwise or when it cannot be written.
bool WriteReport(const ServiceReport& report, const std::filesystem::path& file,
                 std::string& problem);

}  // namespace opal

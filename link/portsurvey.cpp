#include "link/portsurvey.h"

#include <memory>

#include "link/printerdriver.h"
#include "link/timing.h"

namespace opal {

namespace {

std::string AnswerOf(std::shared_ptr<PortDevice> device, std::chrono::milliseconds limit) {
  // A question that outlives its limit keeps the device, so it never meets a closed one.
  DetachedQuery query;
  return query.Run([device = std::move(device)] { return device->DeviceId(); }, limit)
      .value_or(std::string());
}

}  // namespace

std::vector<PortReport> SurveyPorts(PortProvider& provider,
                                    const std::vector<UsbPrinter>& usb_printers,
                                    std::chrono::milliseconds answer_limit) {
  std::vector<PortReport> reports;
  for (const PortEntry& port : kPorts) {
    PortReport report{std::string(port.name), std::nullopt, {}, {}};
    const bool usb = port.kind == PortKind::Usb;
    if (usb && port.number < usb_printers.size()) report.usb = usb_printers[port.number];
    OpenOutcome outcome = provider.Open(port.id);
    if (!outcome.device) {
      const bool nothing_there = usb && !report.usb && outcome.failure == OpenFailure::NotFound;
      report.problem = nothing_there ? "no printer" : "cannot be reached: " + outcome.detail;
    } else {
      report.device_id = AnswerOf(std::move(outcome.device), answer_limit);
      if (report.device_id.empty()) report.problem = "no printer answers";
    }
    reports.push_back(std::move(report));
  }
  return reports;
}

std::string DeviceIdValue(std::string_view device_id,
                          std::initializer_list<std::string_view> keys) {
  for (std::string_view key : keys) {
    std::size_t at = 0;
    while (at < device_id.size()) {
      const std::size_t end = std::min(device_id.find(';', at), device_id.size());
      std::string_view field = device_id.substr(at, end - at);
      while (field.starts_with(' ')) field.remove_prefix(1);
      const std::size_t colon = field.find(':');
      if (colon != std::string_view::npos && field.substr(0, colon) == key) {
        return std::string(field.substr(colon + 1));
      }
      at = end + 1;
    }
  }
  return {};
}

}  // namespace opal

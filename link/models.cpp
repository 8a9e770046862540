#include "link/models.h"

#include <ostream>

namespace opal {

PrinterModel ModelNamedIn(std::string_view device_id) {
  for (const ModelEntry& entry : kModels) {
    if (device_id.find(entry.name) != std::string_view::npos) return entry.model;
  }
  return PrinterModel::None;
}

std::string ModelName(PrinterModel model) {
  for (const ModelEntry& entry : kModels) {
    if (entry.model == model) return std::string(entry.name);
  }
  return "Unknown";
}

std::ostream& operator<<(std::ostream& out, PrinterModel model) {
  return out << ModelName(model);
}

}  // namespace opal

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
  const ModelEntry* entry = ModelEntryOf(model);
  return entry ? std::string(entry->name) : "Unknown";
}

const ModelEntry* ModelEntryOf(PrinterModel model) {
  for (const ModelEntry& entry : kModels) {
    if (entry.model == model) return &entry;
  }
  return nullptr;
}

std::vector<PrinterModel> OfferedModels() {
  std::vector<PrinterModel> offered;
  for (const ModelEntry& entry : kModels) {
    if (!entry.key.empty()) offered.push_back(entry.model);
  }
  return offered;
}

std::vector<std::string> OfferedModelKeys() {
  std::vector<std::string> keys;
  for (const PrinterModel model : OfferedModels()) keys.emplace_back(ModelEntryOf(model)->key);
  return keys;
}

PrinterModel ModelKeyed(std::string_view key) {
  for (const ModelEntry& entry : kModels) {
    if (!entry.key.empty() && entry.key == key) return entry.model;
  }
  return PrinterModel::None;
}

std::ostream& operator<<(std::ostream& out, PrinterModel model) {
  return out << ModelName(model);
}

}  // namespace opal

#include "link/ports.h"

#include <string>

namespace opal {

std::optional<PortId> PortAt(int index) {
  if (index < 0 || index >= static_cast<int>(kPorts.size())) return std::nullopt;
  return kPorts[static_cast<std::size_t>(index)].id;
}

std::optional<PortId> PortNamed(std::string_view name) {
  for (const PortEntry& port : kPorts) {
    if (name == port.name || (port.name.ends_with(':') && std::string(name) + ":" == port.name)) {
      return port.id;
    }
  }
  return std::nullopt;
}

}  // namespace opal

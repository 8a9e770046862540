#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace opal {

enum class PortKind { Parallel, Usb };

// The six ports the program offers, in the order of the start-up form's list.
enum class PortId : uint8_t { Lpt1, Lpt2, Lpt3, Vlusb1, Vlusb2, Vlusb3 };

struct PortEntry {
  PortId id;
  std::string_view name;
  PortKind kind;
  // Which port of its kind: 0 for LPT1 and VLUSB1:.
  std::size_t number;
};

inline constexpr std::array<PortEntry, 6> kPorts{{
    {PortId::Lpt1, "LPT1", PortKind::Parallel, 0},
    {PortId::Lpt2, "LPT2", PortKind::Parallel, 1},
    {PortId::Lpt3, "LPT3", PortKind::Parallel, 2},
    {PortId::Vlusb1, "VLUSB1:", PortKind::Usb, 0},
    {PortId::Vlusb2, "VLUSB2:", PortKind::Usb, 1},
    {PortId::Vlusb3, "VLUSB3:", PortKind::Usb, 2},
}};

constexpr const PortEntry& PortEntryOf(PortId port) {
  return kPorts[static_cast<std::size_t>(port)];
}

// The port at this place of the list; none for a place outside it.
std::optional<PortId> PortAt(int index);
// The port of this name in capitals, the USB ports' colon optional: "LPT1", "VLUSB1", "VLUSB1:".
std::optional<PortId> PortNamed(std::string_view name);

}  // namespace opal

#include "link/usbdiscovery.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>
#include <tuple>

namespace opal {

namespace fs = std::filesystem;

namespace {

constexpr uint8_t kConfigurationDescriptor = 2;
constexpr uint8_t kInterfaceDescriptor = 4;
constexpr uint8_t kEndpointDescriptor = 5;
constexpr uint8_t kPrinterClass = 7;
constexpr uint8_t kBidirectionalProtocol = 2;
constexpr uint8_t kBulkTransfer = 2;
constexpr uint8_t kDirectionIn = 0x80;

// The printer interface being looked at while its endpoint descriptors follow.
struct Candidate {
  PrinterInterface found;
  bool complete() const { return found.endpoint_in != 0 && found.endpoint_out != 0; }
};

std::optional<std::string> Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A text attribute without the line end the kernel adds.
std::optional<std::string> Attribute(const fs::path& file) {
  std::optional<std::string> text = Contents(file);
  while (text && !text->empty() && text->back() == '\n') text->pop_back();
  return text;
}

std::optional<int> Number(std::string_view text, int base = 10) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return number;
}

std::optional<int> NumberAttribute(const fs::path& file, int base = 10) {
  const std::optional<std::string> text = Attribute(file);
  return text ? Number(*text, base) : std::nullopt;
}

// "1-2.4" is bus 1, port 2 of the root hub, port 4 of the hub behind it. Root hubs ("usb1") and
// interfaces ("1-2:1.0") have other names.
bool ParseBusPath(std::string_view name, int& bus, std::vector<int>& ports) {
  const auto dash = name.find('-');
  if (dash == std::string_view::npos) return false;
  const std::optional<int> bus_number = Number(name.substr(0, dash));
  if (!bus_number) return false;
  bus = *bus_number;
  ports.clear();
  std::string_view rest = name.substr(dash + 1);
  while (true) {
    const auto dot = rest.find('.');
    const std::optional<int> port = Number(rest.substr(0, dot));
    if (!port) return false;
    ports.push_back(*port);
    if (dot == std::string_view::npos) return true;
    rest = rest.substr(dot + 1);
  }
}

// The usblp node among the class's entries ("lp0", next to hiddev and others) whose device sits
// below the interface.
std::string UsblpNodeOf(const fs::path& interface_dir, const fs::path& usbmisc) {
  std::error_code error;
  const fs::path interface = fs::canonical(interface_dir, error);
  if (error) return {};
  for (fs::directory_iterator it(usbmisc, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (!name.starts_with("lp")) continue;
    std::error_code resolve_error;
    const fs::path device = fs::canonical(it->path(), resolve_error);
    if (!resolve_error && device.string().starts_with(interface.string() + "/")) return name;
  }
  return {};
}

std::optional<UsbPrinter> PrinterAt(const fs::path& device_dir, const fs::path& usbmisc) {
  UsbPrinter printer;
  printer.bus_path = device_dir.filename().string();
  if (!ParseBusPath(printer.bus_path, printer.bus, printer.ports)) return std::nullopt;
  const std::optional<int> configuration = NumberAttribute(device_dir / "bConfigurationValue");
  const std::optional<std::string> raw = Contents(device_dir / "descriptors");
  if (!configuration || !raw) return std::nullopt;
  const auto* bytes = reinterpret_cast<const uint8_t*>(raw->data());
  const std::optional<PrinterInterface> interface =
      FindPrinterInterface(std::span(bytes, raw->size()), *configuration);
  const std::optional<int> address = NumberAttribute(device_dir / "devnum");
  const std::optional<int> vendor = NumberAttribute(device_dir / "idVendor", 16);
  const std::optional<int> product = NumberAttribute(device_dir / "idProduct", 16);
  if (!interface || !address || !vendor || !product) return std::nullopt;
  printer.interface = *interface;
  printer.address = *address;
  printer.vendor = static_cast<uint16_t>(*vendor);
  printer.product = static_cast<uint16_t>(*product);
  printer.manufacturer = Attribute(device_dir / "manufacturer").value_or("");
  printer.product_name = Attribute(device_dir / "product").value_or("");
  printer.serial = Attribute(device_dir / "serial").value_or("");
  const std::string interface_name = printer.bus_path + ":" + std::to_string(*configuration) + "." +
                                     std::to_string(interface->interface_number);
  printer.usblp = UsblpNodeOf(device_dir / interface_name, usbmisc);
  return printer;
}

}  // namespace

std::optional<PrinterInterface> FindPrinterInterface(std::span<const uint8_t> descriptors,
                                                     int configuration_value) {
  int configurations_seen = 0;
  bool in_wanted_configuration = false;
  std::optional<Candidate> candidate;
  std::size_t at = 0;
  while (at + 2 <= descriptors.size()) {
    const std::size_t length = descriptors[at];
    const uint8_t type = descriptors[at + 1];
    if (length < 2 || at + length > descriptors.size()) return std::nullopt;
    const auto field = [&](std::size_t offset) { return descriptors[at + offset]; };
    if (type == kConfigurationDescriptor && length >= 9) {
      if (candidate && candidate->complete()) break;
      candidate.reset();
      in_wanted_configuration = field(5) == configuration_value;
      ++configurations_seen;
    } else if (type == kInterfaceDescriptor && length >= 9 && in_wanted_configuration) {
      if (candidate && candidate->complete()) break;
      candidate.reset();
      if (field(5) == kPrinterClass && field(7) == kBidirectionalProtocol) {
        candidate = Candidate{{configurations_seen - 1, field(2), field(3), 0, 0}};
      }
    } else if (type == kEndpointDescriptor && length >= 7 && candidate) {
      const uint8_t address = field(2);
      if ((field(3) & 0x3) == kBulkTransfer) {
        uint8_t& endpoint = (address & kDirectionIn) != 0 ? candidate->found.endpoint_in
                                                          : candidate->found.endpoint_out;
        if (endpoint == 0) endpoint = address;
      }
    }
    at += length;
  }
  if (candidate && candidate->complete()) return candidate->found;
  return std::nullopt;
}

fs::path UsbPrinter::UsbfsNode(const fs::path& dev_root) const {
  char name[16];
  std::snprintf(name, sizeof name, "%03d/%03d", bus, address);
  return dev_root / "bus/usb" / name;
}

std::string DescribeUsbPrinter(const UsbPrinter& printer) {
  std::string name = printer.manufacturer;
  if (!name.empty() && !printer.product_name.empty()) name += ' ';
  name += printer.product_name;
  char ids[16];
  std::snprintf(ids, sizeof ids, "%04x:%04x", printer.vendor, printer.product);
  std::string identity = "USB " + printer.bus_path + ", " + ids;
  if (!printer.serial.empty()) identity += ", serial " + printer.serial;
  return name.empty() ? identity : name + " (" + identity + ")";
}

std::vector<UsbPrinter> FindUsbPrinters(const fs::path& sys_root) {
  std::vector<UsbPrinter> printers;
  const fs::path usbmisc = sys_root / "class/usbmisc";
  std::error_code error;
  for (fs::directory_iterator it(sys_root / "bus/usb/devices", error), end; !error && it != end;
       it.increment(error)) {
    if (it->path().filename().string().find(':') != std::string::npos) continue;
    if (std::optional<UsbPrinter> printer = PrinterAt(it->path(), usbmisc)) {
      printers.push_back(std::move(*printer));
    }
  }
  std::sort(printers.begin(), printers.end(), [](const UsbPrinter& a, const UsbPrinter& b) {
    return std::tie(a.bus, a.ports) < std::tie(b.bus, b.ports);
  });
  return printers;
}

}  // namespace opal

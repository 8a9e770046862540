#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace opal::testing {

// Raw USB descriptors as sysfs keeps them, built one descriptor at a time.
class UsbDescriptors {
 public:
  UsbDescriptors& Device(uint16_t vendor, uint16_t product) {
    return Add({0x12, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x40, Low(vendor), High(vendor),
                Low(product), High(product), 0x00, 0x01, 0x01, 0x02, 0x03, 0x01});
  }
  // Its wTotalLength covers what is added up to the next configuration.
  UsbDescriptors& Configuration(uint8_t value) {
    configurations_.push_back(bytes_.size());
    return Add({0x09, 0x02, 0x00, 0x00, 0x01, value, 0x00, 0xC0, 0x01});
  }
  UsbDescriptors& Interface(uint8_t number, uint8_t alt, uint8_t interface_class,
                            uint8_t protocol) {
    return Add({0x09, 0x04, number, alt, 0x02, interface_class, 0x01, protocol, 0x00});
  }
  UsbDescriptors& Bulk(uint8_t address) { return Endpoint(address, 0x02); }
  UsbDescriptors& Endpoint(uint8_t address, uint8_t attributes) {
    return Add({0x07, 0x05, address, attributes, 0x40, 0x00, 0x00});
  }
  UsbDescriptors& Add(std::initializer_list<uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes);
    return *this;
  }

  // A printer of one configuration whose interface 0 speaks the bidirectional protocol.
  static UsbDescriptors Printer(uint16_t vendor = 0xf1e2, uint16_t product = 0x0005) {
    UsbDescriptors d;
    d.Device(vendor, product).Configuration(1).Interface(0, 0, 7, 2).Bulk(0x01).Bulk(0x82);
    return d;
  }
  // A printer whose alternate setting 0 only prints; setting 1 answers too.
  static UsbDescriptors BidirectionalAsAlternate() {
    UsbDescriptors d;
    d.Device(0xf1e2, 0x0005).Configuration(1).Interface(0, 0, 7, 1).Bulk(0x01);
    d.Interface(0, 1, 7, 2).Bulk(0x03).Bulk(0x84);
    return d;
  }

  std::vector<uint8_t> bytes() const {
    std::vector<uint8_t> bytes = bytes_;
    for (std::size_t i = 0; i < configurations_.size(); ++i) {
      const std::size_t start = configurations_[i];
      const std::size_t end =
          i + 1 < configurations_.size() ? configurations_[i + 1] : bytes.size();
      bytes[start + 2] = Low(static_cast<uint16_t>(end - start));
      bytes[start + 3] = High(static_cast<uint16_t>(end - start));
    }
    return bytes;
  }
  std::string Hex() const {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (uint8_t byte : bytes()) {
      hex += kDigits[byte >> 4];
      hex += kDigits[byte & 0xF];
    }
    return hex;
  }

 private:
  static uint8_t Low(uint16_t value) { return static_cast<uint8_t>(value & 0xFF); }
  static uint8_t High(uint16_t value) { return static_cast<uint8_t>(value >> 8); }

  std::vector<uint8_t> bytes_;
  std::vector<std::size_t> configurations_;
};

}  // namespace opal::testing

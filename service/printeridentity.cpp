#include "service/printeridentity.h"

#include <cctype>

#include "device/headid.h"
#include "device/usbid.h"

namespace opal {

Result ReadIdentity(TFactoryCommand& command, IdentityBytes& bytes) {
  IdentityBytes read;
  const auto take = [&](uint8_t address) { return command.EepromReadByte(address, read[address]); };
  for (std::size_t k = 0; k < kUsbIdLength; ++k) {
    if (const Result result = take(static_cast<uint8_t>(kUsbIdAddress + k)); result != PORT_OK)
      return result;
  }
  for (const uint8_t address : HeadIdAddresses()) {
    if (const Result result = take(address); result != PORT_OK) return result;
  }
  bytes = std::move(read);
  return PORT_OK;
}

IdentityBytes IdentityBytesOf(const JournalPrinter& printer) {
  IdentityBytes bytes;
  for (std::size_t k = 0; k < kUsbIdLength; ++k) {
    bytes[static_cast<uint8_t>(kUsbIdAddress + k)] =
        k < printer.usb_id.size() ? static_cast<uint8_t>(printer.usb_id[k]) : uint8_t{0};
  }
  const HeadIdValues values = HeadIdValuesOf(printer.head_id);
  const auto addresses = HeadIdAddresses();
  for (std::size_t i = 0; i < addresses.size(); ++i) bytes[addresses[i]] = values[i];
  return bytes;
}

IdentityBytes IdentityBytesOf(std::span<const uint8_t, 256> image) {
  IdentityBytes bytes = IdentityBytesOf(JournalPrinter{});
  for (auto& [address, value] : bytes) value = image[address];
  return bytes;
}

IdentityBytes CarriedForward(IdentityBytes identity, std::span<const JournalEntry> entries) {
  for (const JournalEntry& entry : entries) {
    if (entry.state != kStateDone || !IdentityDifference(entry.printer, identity).empty()) continue;
    for (const JournalChange& change : entry.changes) {
      if (const auto known = identity.find(change.address); known != identity.end())
        known->second = change.after;
    }
  }
  return identity;
}

std::string UsbIdOf(const IdentityBytes& bytes) {
  std::string id;
  for (std::size_t k = 0; k < kUsbIdLength; ++k) {
    const auto found = bytes.find(static_cast<uint8_t>(kUsbIdAddress + k));
    if (found == bytes.end() || !std::isalnum(found->second)) break;
    id.push_back(static_cast<char>(found->second));
  }
  return id;
}

std::string HeadIdOf(const IdentityBytes& bytes) {
  const std::string text = HeadIdFromBytes([&](uint8_t address) {
    const auto found = bytes.find(address);
    return found == bytes.end() ? uint8_t{0} : found->second;
  });
  return std::string(HeadIdAsShown(text));
}

IdentityBytes IdentityBefore(const IdentityBytes& now, std::span<const JournalChange> changes) {
  IdentityBytes before = now;
  for (const JournalChange& change : changes) {
    const auto held = before.find(change.address);
    if (held != before.end() && held->second == change.after) held->second = change.before;
  }
  return before;
}

std::string IdentityDifference(const JournalPrinter& recorded, const IdentityBytes& bytes) {
  std::string difference;
  const auto compare = [&](std::string_view what, const std::string& then, const std::string& now) {
    if (then == now) return;
    if (!difference.empty()) difference += "; ";
    difference += std::string(what) + " \"" + then + "\" then, \"" + now + "\" now";
  };
  compare("USB ID", recorded.usb_id, UsbIdOf(bytes));
  compare("head ID", recorded.head_id, HeadIdOf(bytes));
  return difference;
}

std::string AnotherPrinterLine(std::string_view subject, std::string_view difference) {
  return std::string(subject) + " another printer: " + std::string(difference) + ".";
}

}  // namespace opal

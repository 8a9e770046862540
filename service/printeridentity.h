#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>

#include "link/factory.h"
#include "service/journalstore.h"

namespace opal {

// The EEPROM bytes that tell one printer from another, by address: its USB ID (the serial number
// it reports) and its head ID. A printer is known by these as read, never by the port or folder
// it was reached through.
using IdentityBytes = std::map<uint8_t, uint8_t>;

Result ReadIdentity(TFactoryCommand& command, IdentityBytes& bytes);

// The identity bytes a recorded printer stands for; those of a whole EEPROM image.
IdentityBytes IdentityBytesOf(const JournalPrinter& printer);
IdentityBytes IdentityBytesOf(std::span<const uint8_t, 256> image);

// The identity after `entries`, oldest first: each done entry recorded on the printer as it then
// was moves it on by the identity bytes it changed, so a printer stays itself across its own
// USB ID and head ID writes.
IdentityBytes CarriedForward(IdentityBytes identity, std::span<const JournalEntry> entries);

// The USB ID as far as it reads as letters and digits, and the head ID as a check shows it.
std::string UsbIdOf(const IdentityBytes& bytes);
std::string HeadIdOf(const IdentityBytes& bytes);

// The identity as it was before `changes` were made, as far as the printer holds their new
// values: a write cut part of the way through the ID still belongs to the printer it began on.
IdentityBytes IdentityBefore(const IdentityBytes& now, std::span<const JournalChange> changes);

// What tells `recorded` from the printer of `bytes`, in words; empty when they are one printer.
std::string IdentityDifference(const JournalPrinter& recorded, const IdentityBytes& bytes);

// "Entry #4 was made on another printer: USB ID … then, … now."; `subject` is what comes before
// "another printer".
std::string AnotherPrinterLine(std::string_view subject, std::string_view difference);

}  // namespace opal

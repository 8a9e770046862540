#include "cli/adjustcommands.h"

#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/terminal.h"
#include "device/bid.h"
#include "device/datamanu.h"
#include "device/eeprom.h"
#include "device/headid.h"
#include "device/usbid.h"

namespace opal::cli {
namespace {

struct Arguments {
  std::string head_id, usb_id, bid_row, bid_value;
  bool yes = false;
};

std::vector<std::string> BidRowKeys() {
  std::vector<std::string> keys;
  for (const BidRow& row : kBidRows) keys.emplace_back(row.key);
  return keys;
}

int HeadIdRead(Opalctl& ctl) {
  ctl.Connect();
  std::string text;
  if (const Result result = ctl.operations.ReadHeadId(text); result != PORT_OK)
    return ctl.Failed(result);
  ctl.console.out << kHeadIdShownPrefix << Printable(HeadIdAsShown(text)) << '\n';
  return kDone;
}

int HeadIdWrite(Opalctl& ctl, const std::string& typed) {
  // The form's edit turns what is typed into upper case.
  const std::string id = ToUpperAscii(typed);
  HeadIdValues values{};
  if (const Result valid = DecodeHeadId(id, values); valid != PORT_OK) {
    ctl.console.err << ResultMessage(valid) << '\n';
    return kUsage;
  }
  ctl.Connect();
  if (const Outcome written = ctl.operations.WriteHeadId(id); written.result != PORT_OK) {
    return ctl.Failed(written);
  }
  for (const std::string& line : HeadIdWrittenLines(id)) ctl.console.out << line << '\n';
  return kDone;
}

int UsbIdRead(Opalctl& ctl) {
  ctl.Connect();
  std::string text;
  const Result result = ctl.operations.ReadUsbId(text);
  if (result == ERR_USBID_STORED) {
    // The forms show this code as an empty line; a terminal names the byte.
    const auto address = static_cast<uint8_t>(kUsbIdAddress + text.size() - 1);
    ctl.console.err << "EEPROM byte " << ByteToHexPair(address) << " holds "
                    << ByteToHexPair(static_cast<uint8_t>(text.back()))
                    << ", which is not a letter or digit.\n";
    return kFailed;
  }
  if (result != PORT_OK) return ctl.Failed(result);
  ctl.console.out << kUsbIdShownPrefix << text << '\n';
  return kDone;
}

int UsbIdWrite(Opalctl& ctl, const std::string& id) {
  if (CheckUsbId(id) != PORT_OK) {
    ctl.console.err << "The USB ID must be 10 characters, each 0-9 or A-Z.\n";
    return kUsage;
  }
  ctl.Connect();
  std::string stamp;
  if (const Outcome written = ctl.operations.WriteUsbId(id, stamp); written.result != PORT_OK) {
    return ctl.Failed(written);
  }
  ctl.console.out << UsbIdWrittenLine(id, stamp) << '\n';
  return kDone;
}

int CounterRead(Opalctl& ctl) {
  ctl.Connect();
  std::string digits;
  if (const Result result = ctl.operations.ReadCounter(digits); result != PORT_OK) {
    return ctl.Failed(result);
  }
  ctl.console.out << kCounterValuePrefix << digits << '\n';
  return kDone;
}

int CounterClear(Opalctl& ctl, bool yes) {
  // A script cannot have replaced the pad: it must say so with --yes.
  if (const auto refused =
          NotConfirmed(ctl.console, kCounterClearQuestion, yes, kCounterClearRetry)) {
    return *refused;
  }
  ctl.Connect();
  if (const Outcome cleared = ctl.operations.ClearCounter(); cleared.result != PORT_OK) {
    return ctl.Failed(cleared);
  }
  ctl.console.out << kCounterCleared << '\n';
  return kDone;
}

int BidRead(Opalctl& ctl) {
  ctl.Connect();
  std::ostringstream lines;
  TerminalStatus status(lines, ctl.console.err);
  if (const Result result = ctl.operations.ReportBidValues(status.Report()); result != PORT_OK) {
    return ctl.Failed(result);
  }
  status.EndLine();
  ctl.console.out << lines.str();
  return kDone;
}

int BidWrite(Opalctl& ctl, const std::string& key, const std::string& value) {
  if (!BidValueInRange(BidValueFromText(value))) {
    ctl.console.err << kBidLimitNote << '\n';
    return kUsage;
  }
  ctl.Connect();
  const BidRow& row = *BidRowKeyed(key);
  if (const Outcome written = ctl.operations.WriteBidValue(row, value); written.result != PORT_OK) {
    return ctl.Failed(written);
  }
  ctl.console.out << row.written_lead << value << kWrittenInEeprom << '\n';
  return kDone;
}

}  // namespace

void AddAdjustCommands(CLI::App& app, Action& chosen) {
  const auto args = std::make_shared<Arguments>();

  auto* head_id = app.add_subcommand("head-id", "Read or write the print head's 13-character ID")
                      ->require_subcommand(1);
  Runs(head_id->add_subcommand("read", "Show the head ID stored in the EEPROM"), chosen,
       HeadIdRead);
  auto* head_write = head_id->add_subcommand("write", "Check ID and write it into the EEPROM");
  head_write->add_option("ID", args->head_id)->required();
  Runs(head_write, chosen, [args](Opalctl& ctl) { return HeadIdWrite(ctl, args->head_id); });

  auto* usb_id =
      app.add_subcommand("usb-id", "Read or write the serial number (USB ID) and its stamp")
          ->require_subcommand(1);
  Runs(usb_id->add_subcommand("read", "Show the USB ID and its date stamp"), chosen, UsbIdRead);
  auto* usb_write = usb_id->add_subcommand("write", "Write ID with a stamp of the local time");
  usb_write->add_option("ID", args->usb_id)->required();
  Runs(usb_write, chosen, [args](Opalctl& ctl) { return UsbIdWrite(ctl, args->usb_id); });

  auto* counter = app.add_subcommand("counter", "Read or clear the waste-ink protection counter")
                      ->require_subcommand(1);
  Runs(counter->add_subcommand("read", "Show the protection counter"), chosen, CounterRead);
  auto* clear = counter->add_subcommand("clear", "Set the counter to 0 after a new waste ink pad");
  clear->add_flag("--yes", args->yes, "The pad has been replaced: do not ask");
  Runs(clear, chosen, [args](Opalctl& ctl) { return CounterClear(ctl, args->yes); });

  auto* bid =
      app.add_subcommand("bid", "Read or write the Bi-D alignment values")->require_subcommand(1);
  Runs(bid->add_subcommand("read", "Show the six stored Bi-D values"), chosen, BidRead);
  auto* write = bid->add_subcommand("write", "Set one Bi-D value (-70 to 70)");
  write->add_option("ROW", args->bid_row)->required()->check(CLI::IsMember(BidRowKeys()));
  write->add_option("VALUE", args->bid_value)->required();
  Runs(write, chosen,
       [args](Opalctl& ctl) { return BidWrite(ctl, args->bid_row, args->bid_value); });
}

}  // namespace opal::cli

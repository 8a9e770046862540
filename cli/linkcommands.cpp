#include "cli/linkcommands.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/backupfile.h"
#include "cli/terminal.h"
#include "device/datamanu.h"
#include "device/eeprom.h"

namespace opal::cli {
namespace {

struct Arguments {
  std::string start, end, address, data, model;
  std::filesystem::path file;
};

int DeviceId(Opalctl& ctl) {
  std::string text = ctl.Connect();
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  ctl.console.out << Printable(text) << "\nCurrent Printer ID is " << ModelName(ModelNamedIn(text))
                  << ".\n";
  return kDone;
}

void PrintRows(std::ostream& out, EepromRange range,
               const std::array<std::optional<uint8_t>, 256>& bytes) {
  for (int row = range.start & 0xF0; row <= range.end; row += 16) {
    out << ByteToHexPair(static_cast<uint8_t>(row)) << ':';
    for (int address = row; address < row + 16; ++address) {
      const auto& value = bytes[static_cast<std::size_t>(address)];
      out << ' ' << (value ? ByteToHexPair(*value) : "  ");
    }
    out << '\n';
  }
}

int UsageError(Opalctl& ctl, std::string_view text) {
  ctl.console.err << text << '\n';
  return kUsage;
}

int Read(Opalctl& ctl, const Arguments& args) {
  const auto range = ParseEepromRange(ToUpperAscii(args.start), ToUpperAscii(args.end));
  if (!range) return UsageError(ctl, kInputDataIsWrong);
  std::array<std::optional<uint8_t>, 256> bytes{};
  ctl.Connect();
  const Result result = ctl.operations.ReadEeprom(
      *range, [&](uint8_t address, uint8_t value) { bytes[address] = value; });
  if (result != PORT_OK) return ctl.Failed(result);
  PrintRows(ctl.console.out, *range, bytes);
  return kDone;
}

int Write(Opalctl& ctl, const Arguments& args) {
  const auto byte = ParseEepromByte(ToUpperAscii(args.address), ToUpperAscii(args.data));
  if (!byte) return UsageError(ctl, kInputDataIsWrong);
  ctl.Connect();
  if (const Outcome written = ctl.operations.WriteEepromByte(*byte); written.result != PORT_OK) {
    return ctl.Failed(written);
  }
  ctl.console.out << kEepromAddressPrefix << ByteToHexPair(byte->address) << '\n'
                  << kEepromDataPrefix << ByteToHexPair(byte->data) << '\n';
  return kDone;
}

int Backup(Opalctl& ctl, const std::filesystem::path& path) {
  // Refused before the printer is asked anything, so nothing waits on a file we will not write.
  if (const auto refusal = BackupTargetRefusal(path)) return UsageError(ctl, *refusal);
  ctl.Connect();
  EepromImage image{};
  if (const Result result = ctl.operations.BackupEeprom(image); result != PORT_OK) {
    return ctl.Failed(result);
  }
  if (const auto problem = SaveBackup(path, image)) {
    ctl.console.err << *problem << '\n';
    return kFailed;
  }
  ctl.console.out << "EEPROM saved to " << path.string() << " (256 bytes).\n";
  return kDone;
}

int Restore(Opalctl& ctl, const std::filesystem::path& path) {
  std::string problem;
  const auto image = LoadBackup(path, problem);
  if (!image) return UsageError(ctl, problem);
  ctl.Connect();
  return RestoreImage(ctl, *image);
}

int Identity(Opalctl& ctl, const std::string& model) {
  ctl.Connect();
  const PrinterModel code = ModelKeyed(model);
  if (const Outcome written = ctl.operations.WriteIdentity(code); written.result != PORT_OK) {
    return ctl.Failed(written);
  }
  ctl.console.out << "Model identity written for " << ModelName(code) << ".\n";
  return kDone;
}

}  // namespace

int RestoreImage(Opalctl& ctl, const EepromImage& image) {
  RestoreReport report;
  const Outcome restored = ctl.operations.RestoreEeprom(image, report);
  const Result result = restored.result;
  std::ostream& err = ctl.console.err;
  for (const EepromMismatch& byte : report.mismatches) {
    err << "Address " << ByteToHexPair(byte.address) << ": file " << ByteToHexPair(byte.wanted)
        << ", printer " << ByteToHexPair(byte.found) << '\n';
  }
  if (!report.mismatches.empty()) {
    err << report.mismatches.size() << " of 256 bytes do not match the backup.\n";
    return kFailed;
  }
  if (result != PORT_OK) {
    ctl.Failed(result);
    if (report.counted) {
      err << "Wrote " << report.written << " of 256 bytes before the failure.\n";
    } else {
      err << "Sent " << report.sent << " of 256 bytes before the failure; the printer did not "
          << "answer to show which of them it holds.\n";
    }
    return kFailed;
  }
  ctl.console.out << "Wrote " << report.written << " of 256 bytes; all 256 match the backup.\n";
  return kDone;
}

void AddLinkCommands(CLI::App& app, Action& chosen) {
  const auto args = std::make_shared<Arguments>();
  Runs(app.add_subcommand("device-id", "Show the printer's device ID and the model it names"),
       chosen, DeviceId);

  auto* eeprom = app.add_subcommand("eeprom", "Read, write, back up or restore EEPROM bytes")
                     ->require_subcommand(1);

  auto* read = eeprom->add_subcommand("read", "Show the bytes from START to END (two hex digits)");
  read->add_option("START", args->start)->required();
  read->add_option("END", args->end)->required();
  Runs(read, chosen, [args](Opalctl& ctl) { return Read(ctl, *args); });

  auto* write = eeprom->add_subcommand("write", "Write DATA to ADDR (two hex digits each)");
  write->add_option("ADDR", args->address)->required();
  write->add_option("DATA", args->data)->required();
  Runs(write, chosen, [args](Opalctl& ctl) { return Write(ctl, *args); });

  auto* backup = eeprom->add_subcommand("backup", "Save all 256 bytes to FILE");
  backup->add_option("FILE", args->file)->required();
  Runs(backup, chosen, [args](Opalctl& ctl) { return Backup(ctl, args->file); });

  auto* restore = eeprom->add_subcommand(
      "restore", "Write the bytes of FILE that differ, then check all 256 against it");
  restore->add_option("FILE", args->file)->required();
  Runs(restore, chosen, [args](Opalctl& ctl) { return Restore(ctl, args->file); });

  auto* identity = app.add_subcommand("identity", "Rewrite the printer's model identity bytes");
  identity->add_option("MODEL", args->model)->required()->check(CLI::IsMember(OfferedModelKeys()));
  Runs(identity, chosen, [args](Opalctl& ctl) { return Identity(ctl, args->model); });
}

}  // namespace opal::cli

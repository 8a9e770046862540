#include "cli/linkcommands.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <system_error>

#include "device/datamanu.h"
#include "device/eeprom.h"

namespace opal::cli {
namespace {

struct Arguments {
  std::string start, end, address, data, model;
  std::filesystem::path file;
};

int DeviceId(Opalctl& ctl) {
  ctl.Connect();
  std::string text = ctl.port.DeviceIdText();
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  ctl.port.IdentifyModel();
  std::cout << text << "\nCurrent Printer ID is " << ModelName(ctl.port.ModelCode) << ".\n";
  return kDone;
}

void PrintRows(EepromRange range, const std::array<std::optional<uint8_t>, 256>& bytes) {
  for (int row = range.start & 0xF0; row <= range.end; row += 16) {
    std::cout << ByteToHexPair(static_cast<uint8_t>(row)) << ':';
    for (int address = row; address < row + 16; ++address) {
      const auto& value = bytes[static_cast<std::size_t>(address)];
      std::cout << ' ' << (value ? ByteToHexPair(*value) : "  ");
    }
    std::cout << '\n';
  }
}

int UsageError() {
  std::cerr << kInputDataIsWrong << '\n';
  return kUsage;
}

// Through a file beside it and a rename, so an earlier backup under the same name is never lost
// half-way.
std::error_code SaveImage(const std::filesystem::path& path, const EepromImage& image) {
  std::filesystem::path partial = path;
  partial += ".partial";
  std::error_code error;
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()), image.size());
    out.flush();
    if (!out) error = std::error_code(errno, std::generic_category());
  }
  if (!error) std::filesystem::rename(partial, path, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
  }
  return error;
}

// Exactly 256 bytes, as a backup holds them.
std::optional<EepromImage> LoadImage(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  EepromImage image{};
  in.read(reinterpret_cast<char*>(image.data()), image.size());
  if (in.gcount() != static_cast<std::streamsize>(image.size()) || in.peek() != EOF) {
    return std::nullopt;
  }
  return image;
}

int Backup(Opalctl& ctl, const std::filesystem::path& path) {
  ctl.Connect();
  EepromImage image{};
  if (const Result result = BackupEeprom(ctl.command, image); result != PORT_OK) {
    return Failed(result);
  }
  if (const std::error_code error = SaveImage(path, image)) {
    std::cerr << "Cannot write " << path.string() << ": " << error.message() << '\n';
    return kFailed;
  }
  std::cout << "EEPROM saved to " << path.string() << " (256 bytes).\n";
  return kDone;
}

int Restore(Opalctl& ctl, const std::filesystem::path& path) {
  const auto image = LoadImage(path);
  if (!image) {
    std::cerr << path.string() << " is not a 256-byte EEPROM backup.\n";
    return kUsage;
  }
  ctl.Connect();
  RestoreReport report;
  if (const Result result = RestoreEeprom(ctl.command, *image, report); result != PORT_OK) {
    Failed(result);
    std::cerr << "Wrote " << report.written << " of 256 bytes before the failure.\n";
    return kFailed;
  }
  for (const EepromMismatch& byte : report.mismatches) {
    std::cerr << "Address " << ByteToHexPair(byte.address) << ": file "
              << ByteToHexPair(byte.wanted) << ", printer " << ByteToHexPair(byte.found) << '\n';
  }
  if (!report.mismatches.empty()) {
    std::cerr << report.mismatches.size() << " of 256 bytes do not match the backup.\n";
    return kFailed;
  }
  std::cout << "Wrote " << report.written << " of 256 bytes; all 256 match the backup.\n";
  return kDone;
}

}  // namespace

void AddLinkCommands(CLI::App& app, Action& chosen) {
  const auto args = std::make_shared<Arguments>();
  app.add_subcommand("device-id", "Show the printer's device ID and the model it names")
      ->callback([&chosen] { chosen = DeviceId; });

  auto* eeprom = app.add_subcommand("eeprom", "Read, write, back up or restore EEPROM bytes")
                     ->require_subcommand(1);

  auto* read = eeprom->add_subcommand("read", "Show the bytes from START to END (two hex digits)");
  read->add_option("START", args->start)->required();
  read->add_option("END", args->end)->required();
  read->callback([&chosen, args] {
    chosen = [args](Opalctl& ctl) {
      const auto range = ParseEepromRange(ToUpperAscii(args->start), ToUpperAscii(args->end));
      if (!range) return UsageError();
      std::array<std::optional<uint8_t>, 256> bytes{};
      ctl.Connect();
      const Result result = ReadEepromRange(
          ctl.command, *range, [&](uint8_t address, uint8_t value) { bytes[address] = value; });
      if (result != PORT_OK) return Failed(result);
      PrintRows(*range, bytes);
      return int{kDone};
    };
  });

  auto* write = eeprom->add_subcommand("write", "Write DATA to ADDR (two hex digits each)");
  write->add_option("ADDR", args->address)->required();
  write->add_option("DATA", args->data)->required();
  write->callback([&chosen, args] {
    chosen = [args](Opalctl& ctl) {
      const auto byte = ParseEepromByte(ToUpperAscii(args->address), ToUpperAscii(args->data));
      if (!byte) return UsageError();
      ctl.Connect();
      const Result result = ctl.command.EepromWriteByte(byte->address, byte->data);
      if (result != PORT_OK) return Failed(result);
      std::cout << kEepromAddressPrefix << ByteToHexPair(byte->address) << '\n'
                << kEepromDataPrefix << ByteToHexPair(byte->data) << '\n';
      return int{kDone};
    };
  });

  auto* backup = eeprom->add_subcommand("backup", "Save all 256 bytes to FILE");
  backup->add_option("FILE", args->file)->required();
  backup->callback(
      [&chosen, args] { chosen = [args](Opalctl& ctl) { return Backup(ctl, args->file); }; });

  auto* restore = eeprom->add_subcommand(
      "restore", "Write the bytes of FILE that differ, then check all 256 against it");
  restore->add_option("FILE", args->file)->required();
  restore->callback(
      [&chosen, args] { chosen = [args](Opalctl& ctl) { return Restore(ctl, args->file); }; });

  auto* identity = app.add_subcommand("identity", "Rewrite the printer's model identity bytes");
  identity->add_option("MODEL", args->model)->required()->check(CLI::IsMember({"310", "320"}));
  identity->callback([&chosen, args] {
    chosen = [args](Opalctl& ctl) {
      ctl.Connect();
      const int32_t code = args->model == "310" ? MODEL_OPAL_310 : MODEL_OPAL_320;
      const Result result = WriteModelIdentity(ctl.command, code);
      if (result != PORT_OK) return Failed(result);
      std::cout << "Model identity written for " << ModelName(code) << ".\n";
      return int{kDone};
    };
  });
}

}  // namespace opal::cli

#include "virtualprinter/statestore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace vp {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr std::string_view kSettingsFile = "printer.json";
constexpr std::string_view kEepromFile = "eeprom.bin";
constexpr std::string_view kBlackChipFile = "chip-black.bin";
constexpr std::string_view kColorChipFile = "chip-color.bin";
constexpr std::string_view kCaptureFile = "capture.prn";
constexpr std::string_view kPagesDir = "pages";
constexpr int kMaxReplyDelayMs = 3'600'000;

[[noreturn]] void FailWithErrno(const std::string& what, const fs::path& file) {
  throw std::runtime_error(what + " " + file.string() + ": " + std::strerror(errno));
}

std::vector<uint8_t> ReadWholeFile(const fs::path& file) {
  if (!fs::is_regular_file(file))
    throw std::runtime_error(file.string() + " is missing or not a file");
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open()) FailWithErrno("cannot read", file);
  return {std::istreambuf_iterator<char>(in), {}};
}

Memory ReadMemory(const fs::path& file) {
  const std::vector<uint8_t> bytes = ReadWholeFile(file);
  Memory memory{};
  if (bytes.size() != memory.size()) {
    throw std::runtime_error(file.string() + " holds " + std::to_string(bytes.size()) +
                             " bytes instead of " + std::to_string(memory.size()));
  }
  std::copy(bytes.begin(), bytes.end(), memory.begin());
  return memory;
}

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = EIO;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

// Readers see the old content or the new one: the new bytes go to a temporary file beside the
// old, reach the disk, and only then take its name.
void ReplaceFile(const fs::path& file, std::span<const uint8_t> bytes) {
  std::string temp = (file.parent_path() / ("." + file.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) FailWithErrno("cannot create a temporary file for", file);
  int error = 0;
  if (::fchmod(fd, 0644) != 0 || !WriteAll(fd, bytes) || ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temp.c_str(), file.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temp.c_str());
    throw std::runtime_error("cannot write " + file.string() + ": " + std::strerror(error));
  }
}

void ReplaceFile(const fs::path& file, std::string_view text) {
  ReplaceFile(file, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

std::chrono::year_month_day Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return std::chrono::year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday;
}

json FaultsToJson(const Faults& faults) {
  return {{"silent", faults.silent},
          {"reply_delay_ms", faults.reply_delay_ms},
          {"short_reply", faults.short_reply},
          {"corrupt_reply", faults.corrupt_reply},
          {"stall_input", faults.stall_input}};
}

void CheckReplyDelay(int64_t delay_ms) {
  if (delay_ms < 0 || delay_ms > kMaxReplyDelayMs) {
    throw std::invalid_argument("reply_delay_ms must lie between 0 and " +
                                std::to_string(kMaxReplyDelayMs) + ", not " +
                                std::to_string(delay_ms));
  }
}

// A fault left out of printer.json is off.
Faults FaultsFromJson(const json& settings) {
  Faults faults;
  if (!settings.contains("faults")) return faults;
  const json& given = settings.at("faults");
  if (!given.is_object()) throw std::invalid_argument("\"faults\" must be an object");
  const auto flag = [&given](const char* name, bool& value) {
    if (given.contains(name)) value = given.at(name).get<bool>();
  };
  flag("silent", faults.silent);
  flag("short_reply", faults.short_reply);
  flag("corrupt_reply", faults.corrupt_reply);
  flag("stall_input", faults.stall_input);
  if (given.contains("reply_delay_ms")) {
    const json& delay = given.at("reply_delay_ms");
    if (!delay.is_number_integer()) {
      throw std::invalid_argument("\"reply_delay_ms\" must be a whole number of milliseconds");
    }
    const auto delay_ms = delay.get<int64_t>();
    CheckReplyDelay(delay_ms);
    faults.reply_delay_ms = static_cast<int>(delay_ms);
  }
  return faults;
}

Model ModelOrThrow(std::string_view key) {
  const std::optional<Model> model = ModelFromKey(key);
  if (!model) {
    throw std::runtime_error("unknown printer model \"" + std::string(key) +
                             "\" (known: 310, 320, QX-310C)");
  }
  return *model;
}

}  // namespace

StateStore::StateStore(fs::path dir, std::string_view model_if_new) : dir_(std::move(dir)) {
  if (fs::exists(dir_) && !fs::is_directory(dir_)) {
    throw std::runtime_error(dir_.string() + " is not a directory");
  }
  if (!fs::exists(dir_) || fs::is_empty(dir_)) {
    MakeFresh(model_if_new);
  } else {
    Load();
  }
  fs::create_directory(dir_ / kPagesDir);
  const fs::path capture = dir_ / kCaptureFile;
  capture_.reset(std::fopen(capture.c_str(), "ab"));
  if (!capture_) FailWithErrno("cannot open", capture);
}

void StateStore::MakeFresh(std::string_view model_key) {
  model_ = ModelOrThrow(model_key);
  fs::create_directories(dir_);
  const std::chrono::year_month_day today = Today();
  eeprom_ = FreshEeprom(model_);
  black_chip_ = FreshBlackChip(today);
  color_chip_ = FreshColorChip(today);
  ReplaceFile(dir_ / kEepromFile, eeprom_);
  ReplaceFile(dir_ / kBlackChipFile, black_chip_);
  ReplaceFile(dir_ / kColorChipFile, color_chip_);
  // printer.json last: a directory without it was never finished and is refused, not half used.
  SaveSettings({{"model", ModelKey(model_)}, {"faults", FaultsToJson(faults_)}});
}

void StateStore::Load() {
  const fs::path settings_file = dir_ / kSettingsFile;
  const std::vector<uint8_t> text = ReadWholeFile(settings_file);
  try {
    settings_ = json::parse(text.begin(), text.end());
    if (!settings_.is_object()) throw std::invalid_argument("not a JSON object");
    model_ = ModelOrThrow(settings_.at("model").get<std::string>());
    faults_ = FaultsFromJson(settings_);
  } catch (const std::exception& error) {
    throw std::runtime_error(settings_file.string() + ": " + error.what());
  }
  eeprom_ = ReadMemory(dir_ / kEepromFile);
  black_chip_ = ReadMemory(dir_ / kBlackChipFile);
  color_chip_ = ReadMemory(dir_ / kColorChipFile);
}

void StateStore::SaveSettings(const json& settings) {
  ReplaceFile(dir_ / kSettingsFile, settings.dump(2) + "\n");
  settings_ = settings;
}

void StateStore::SetFaults(const Faults& faults) {
  CheckReplyDelay(faults.reply_delay_ms);
  json settings = settings_;
  settings["faults"] = FaultsToJson(faults);
  SaveSettings(settings);
  faults_ = faults;
}

void StateStore::SetEeprom(const Memory& eeprom) {
  ReplaceFile(dir_ / kEepromFile, eeprom);
  eeprom_ = eeprom;
}

const Memory& StateStore::Chip(Cartridge cartridge) const {
  return cartridge == Cartridge::Black ? black_chip_ : color_chip_;
}

void StateStore::Capture(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), capture_.get()) != bytes.size() ||
      std::fflush(capture_.get()) != 0) {
    FailWithErrno("cannot append to", dir_ / kCaptureFile);
  }
}

}  // namespace vp

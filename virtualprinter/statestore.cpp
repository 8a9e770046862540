#include "virtualprinter/statestore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
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
constexpr int kMaxDelayMs = 3'600'000;
constexpr int kMaxMisalignment = 70;  // as far as a Bi-D value reaches
// The rows of the Bi-D misalignment in printer.json, in the order of Simulation.
constexpr std::array<std::string_view, 6> kBidRows{"ms-black",  "ms-color",  "6pl-black",
                                                   "6pl-color", "4pl-black", "4pl-color"};

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

void CheckRange(std::string_view name, int64_t value, int low, int high) {
  if (value < low || value > high) {
    throw std::invalid_argument(std::string(name) + " must lie between " + std::to_string(low) +
                                " and " + std::to_string(high) + ", not " + std::to_string(value));
  }
}

// A whole number kept under `name` in `holder`, or `fallback` when it is left out.
int IntegerSetting(const json& holder, const char* name, int low, int high, int fallback) {
  if (!holder.contains(name)) return fallback;
  const json& value = holder.at(name);
  if (!value.is_number_integer()) {
    throw std::invalid_argument("\"" + std::string(name) + "\" must be a whole number");
  }
  CheckRange(name, value.get<int64_t>(), low, high);
  return value.get<int>();
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
  faults.reply_delay_ms =
      IntegerSetting(given, "reply_delay_ms", 0, kMaxDelayMs, faults.reply_delay_ms);
  return faults;
}

json SimulationToJson(const Simulation& simulation) {
  json misalignment = json::object();
  for (std::size_t row = 0; row < kBidRows.size(); ++row) {
    misalignment[std::string(kBidRows[row])] = simulation.bid_misalignment[row];
  }
  return {{"bid_misalignment", misalignment},
          {"exchange_silence_ms", simulation.exchange_silence_ms}};
}

void CheckSimulation(const Simulation& simulation) {
  for (std::size_t row = 0; row < kBidRows.size(); ++row) {
    CheckRange(kBidRows[row], simulation.bid_misalignment[row], -kMaxMisalignment,
               kMaxMisalignment);
  }
  CheckRange("exchange_silence_ms", simulation.exchange_silence_ms, 0, kMaxDelayMs);
}

// Settings left out of printer.json keep their factory values; a row name that is not one of
// the six is a mistake worth hearing about.
Simulation SimulationFromJson(const json& settings) {
  Simulation simulation;
  if (settings.contains("bid_misalignment")) {
    const json& given = settings.at("bid_misalignment");
    if (!given.is_object()) throw std::invalid_argument("\"bid_misalignment\" must be an object");
    for (const auto& [name, value] : given.items()) {
      if (std::find(kBidRows.begin(), kBidRows.end(), name) == kBidRows.end()) {
        throw std::invalid_argument("\"bid_misalignment\" has no row \"" + name + "\"");
      }
    }
    for (std::size_t row = 0; row < kBidRows.size(); ++row) {
      simulation.bid_misalignment[row] =
          IntegerSetting(given, kBidRows[row].data(), -kMaxMisalignment, kMaxMisalignment,
                         simulation.bid_misalignment[row]);
    }
  }
  simulation.exchange_silence_ms = IntegerSetting(settings, "exchange_silence_ms", 0, kMaxDelayMs,
                                                  simulation.exchange_silence_ms);
  return simulation;
}

// The number of a page file's name, "page-0001.png" and on; 0 for any other name.
int PageNumber(const std::string& name) {
  constexpr std::string_view kPrefix = "page-";
  constexpr std::string_view kSuffix = ".png";
  if (name.size() <= kPrefix.size() + kSuffix.size() || !name.starts_with(kPrefix) ||
      !name.ends_with(kSuffix)) {
    return 0;
  }
  const std::string_view digits(name.data() + kPrefix.size(),
                                name.size() - kPrefix.size() - kSuffix.size());
  int number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  return error == std::errc() && end == digits.data() + digits.size() ? number : 0;
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
  for (const auto& entry : fs::directory_iterator(dir_ / kPagesDir)) {
    next_page_ = std::max(next_page_, PageNumber(entry.path().filename().string()) + 1);
  }
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
  json settings = SimulationToJson(simulation_);
  settings["model"] = ModelKey(model_);
  settings["faults"] = FaultsToJson(faults_);
  SaveSettings(settings);
}

void StateStore::Load() {
  const fs::path settings_file = dir_ / kSettingsFile;
  const std::vector<uint8_t> text = ReadWholeFile(settings_file);
  try {
    settings_ = json::parse(text.begin(), text.end());
    if (!settings_.is_object()) throw std::invalid_argument("not a JSON object");
    model_ = ModelOrThrow(settings_.at("model").get<std::string>());
    faults_ = FaultsFromJson(settings_);
    simulation_ = SimulationFromJson(settings_);
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
  CheckRange("reply_delay_ms", faults.reply_delay_ms, 0, kMaxDelayMs);
  json settings = settings_;
  settings["faults"] = FaultsToJson(faults);
  SaveSettings(settings);
  faults_ = faults;
}

void StateStore::SetSimulation(const Simulation& simulation) {
  CheckSimulation(simulation);
  json settings = settings_;
  settings.update(SimulationToJson(simulation));
  SaveSettings(settings);
  simulation_ = simulation;
}

void StateStore::SetEeprom(const Memory& eeprom) {
  ReplaceFile(dir_ / kEepromFile, eeprom);
  eeprom_ = eeprom;
}

const Memory& StateStore::Chip(Cartridge cartridge) const {
  return cartridge == Cartridge::Black ? black_chip_ : color_chip_;
}

void StateStore::SetChip(Cartridge cartridge, const Memory& chip) {
  const bool black = cartridge == Cartridge::Black;
  ReplaceFile(dir_ / (black ? kBlackChipFile : kColorChipFile), chip);
  (black ? black_chip_ : color_chip_) = chip;
}

void StateStore::SavePage(std::span<const uint8_t> png) {
  char name[32];
  std::snprintf(name, sizeof name, "page-%04d.png", next_page_);
  ReplaceFile(dir_ / kPagesDir / name, png);
  ++next_page_;
}

void StateStore::Capture(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), capture_.get()) != bytes.size() ||
      std::fflush(capture_.get()) != 0) {
    FailWithErrno("cannot append to", dir_ / kCaptureFile);
  }
}

}  // namespace vp

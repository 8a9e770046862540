#include "virtualprinter/statestore.h"

#include <sys/file.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <stdexcept>
#include <string>
#include <vector>

#include "virtualprinter/pageshelf.h"
#include "virtualprinter/printersettings.h"

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
constexpr std::string_view kLockFile = ".lock";
constexpr std::array<std::string_view, 4> kReplacedFiles{kSettingsFile, kEepromFile, kBlackChipFile,
                                                         kColorChipFile};
// printer.json nests three levels deep. Far deeper is no settings file: every level indents the
// saved file further and deepens the recursion that copies and writes it.
constexpr int kMaxSettingsDepth = 32;

std::span<const uint8_t> AsBytes(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

std::chrono::year_month_day Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return std::chrono::year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday;
}

Model ModelOrThrow(std::string_view key) {
  const std::optional<Model> model = ModelFromKey(key);
  if (!model) {
    throw std::runtime_error("unknown printer model \"" + std::string(key) +
                             "\" (known: 310, 320, QX-310C)");
  }
  return *model;
}

// The directory itself may be reached through links: the user named it.
StateFolder OpenDirectory(const fs::path& dir) {
  if (fs::exists(dir) && !fs::is_directory(dir)) {
    throw std::runtime_error(dir.string() + " is not a directory");
  }
  fs::create_directories(dir);
  return StateFolder(dir);
}

bool IsReplacedFile(std::string_view name) {
  return std::find(kReplacedFiles.begin(), kReplacedFiles.end(), name) != kReplacedFiles.end();
}

bool IsPage(std::string_view name) {
  return PageShelf::PageNumber(name) != 0;
}

json ParseSettings(const std::vector<uint8_t>& text) {
  return json::parse(text.begin(), text.end(), [](int depth, json::parse_event_t event, json&) {
    const bool opens =
        event == json::parse_event_t::object_start || event == json::parse_event_t::array_start;
    if (opens && depth >= kMaxSettingsDepth) {
      throw std::invalid_argument("nests deeper than " + std::to_string(kMaxSettingsDepth) +
                                  " levels");
    }
    return true;
  });
}

}  // namespace

// The lock is only opened when a program takes the printer, where a failure reads as a printer
// that does not answer: a lock file that is no file of its own is refused here already.
StateStore::StateStore(fs::path dir, std::string_view model_if_new) : folder_(OpenDirectory(dir)) {
  folder_.RequireOwnFileIfPresent(kLockFile);
  if (Empty()) {
    MakeFresh(model_if_new);
    made_fresh_ = true;
  } else {
    Load();
  }
  capture_ = folder_.OpenToAppend(kCaptureFile);
}

// Only the lock file of a program that opened the printer may be there already.
bool StateStore::Empty() const {
  const std::vector<std::string> names = folder_.Names();
  return std::all_of(names.begin(), names.end(),
                     [](const std::string& name) { return name == kLockFile; });
}

StateFolder StateStore::PagesFolder() const {
  return folder_.Child(kPagesDir);
}

void StateStore::MakeFresh(std::string_view model_key) {
  model_ = ModelOrThrow(model_key);
  const std::chrono::year_month_day today = Today();
  eeprom_ = FreshEeprom(model_);
  black_chip_ = FreshBlackChip(today);
  color_chip_ = FreshColorChip(today);
  folder_.Replace(kEepromFile, eeprom_);
  folder_.Replace(kBlackChipFile, black_chip_);
  folder_.Replace(kColorChipFile, color_chip_);
  // printer.json last: a directory without it was never finished and is refused, not half used.
  json settings = SimulationToJson(simulation_);
  settings["model"] = ModelKey(model_);
  settings["faults"] = FaultsToJson(faults_);
  SaveSettings(settings);
}

Memory StateStore::ReadMemory(std::string_view name) const {
  const std::vector<uint8_t> bytes = folder_.Read(name, kMemorySize);
  Memory memory{};
  if (bytes.size() != memory.size()) {
    throw std::runtime_error((Directory() / name).string() + " holds " +
                             std::to_string(bytes.size()) + " bytes instead of " +
                             std::to_string(memory.size()));
  }
  std::copy(bytes.begin(), bytes.end(), memory.begin());
  return memory;
}

// Everything is read before anything is kept, so a refused directory leaves the store as it was.
void StateStore::Load() {
  const fs::path settings_file = Directory() / kSettingsFile;
  const std::vector<uint8_t> text = folder_.Read(kSettingsFile, kMaxSettingsBytes);
  json settings;
  Model model{};
  Faults faults;
  Simulation simulation;
  try {
    settings = ParseSettings(text);
    if (!settings.is_object()) throw std::invalid_argument("not a JSON object");
    model = ModelOrThrow(settings.at("model").get<std::string>());
    faults = FaultsFromJson(settings);
    simulation = SimulationFromJson(settings);
  } catch (const std::exception& error) {
    throw std::runtime_error(settings_file.string() + ": " + error.what());
  }
  const Memory eeprom = ReadMemory(kEepromFile);
  const Memory black_chip = ReadMemory(kBlackChipFile);
  const Memory color_chip = ReadMemory(kColorChipFile);
  settings_ = std::move(settings);
  model_ = model;
  faults_ = faults;
  simulation_ = std::move(simulation);
  eeprom_ = eeprom;
  black_chip_ = black_chip;
  color_chip_ = color_chip;
}

bool StateStore::Lock() {
  if (lock_) return false;
  FileHandle lock = folder_.OpenToAppend(kLockFile);
  if (::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    if (error == EWOULDBLOCK) return false;
    throw std::runtime_error("cannot lock " + (Directory() / kLockFile).string() + ": " +
                             std::strerror(error));
  }
  lock_ = std::move(lock);
  return true;
}

void StateStore::Unlock() {
  const FileHandle held = std::move(lock_);
  const FileHandle written = std::move(eeprom_file_);
  if (!eeprom_unsynced_) return;
  eeprom_unsynced_ = false;
  folder_.Sync(kEepromFile);
}

// The holder of the lock is the only one writing: a temporary is left from a write that broke
// off. The capture file is opened anew in case it was moved away meanwhile.
void StateStore::Reload() {
  folder_.RemoveTemporaries(IsReplacedFile);
  PagesFolder().RemoveTemporaries(IsPage);
  FileHandle capture = folder_.OpenToAppend(kCaptureFile);
  Load();
  capture_ = std::move(capture);
}

// Indented for the trainer who edits it, unless the indentation alone would take it past what a
// load accepts, as it does for many small values nested a few levels deep.
void StateStore::SaveSettings(const json& settings) {
  std::string text = settings.dump(2) + "\n";
  if (text.size() > kMaxSettingsBytes) text = settings.dump() + "\n";
  if (text.size() > kMaxSettingsBytes) {
    throw std::runtime_error((Directory() / kSettingsFile).string() + " would be larger than " +
                             std::to_string(kMaxSettingsBytes) + " bytes");
  }
  folder_.Replace(kSettingsFile, AsBytes(text));
  settings_ = settings;
}

void StateStore::SetFaults(const Faults& faults) {
  CheckFaults(faults);
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

// A program holding the printer may write the EEPROM a hundred times for one page (the Bi-D
// check print sets and restores its trials): the bytes reach the disk once, when it lets go.
void StateStore::SetEeprom(const Memory& eeprom) {
  if (Locked()) {
    // Nobody else writes while the lock is held: the bytes that changed are written in place, as
    // one write that a killed program either made or did not, instead of a new file each frame.
    const auto first = std::mismatch(eeprom.begin(), eeprom.end(), eeprom_.begin()).first;
    const auto last = std::mismatch(eeprom.rbegin(), eeprom.rend(), eeprom_.rbegin()).first.base();
    if (first < last) {
      if (!eeprom_file_) eeprom_file_ = folder_.OpenToOverwrite(kEepromFile);
      const auto offset = first - eeprom.begin();
      if (!WriteAllAt(eeprom_file_.get(), std::span(first, last), offset)) {
        const int error = errno;
        throw std::runtime_error("cannot write " + (Directory() / kEepromFile).string() + ": " +
                                 std::strerror(error));
      }
      eeprom_unsynced_ = true;
    }
  } else {
    folder_.Replace(kEepromFile, eeprom);
  }
  eeprom_ = eeprom;
}

const Memory& StateStore::Chip(Cartridge cartridge) const {
  return cartridge == Cartridge::Black ? black_chip_ : color_chip_;
}

void StateStore::SetChip(Cartridge cartridge, const Memory& chip) {
  const bool black = cartridge == Cartridge::Black;
  folder_.Replace(black ? kBlackChipFile : kColorChipFile, chip);
  (black ? black_chip_ : color_chip_) = chip;
}

void StateStore::Capture(std::span<const uint8_t> bytes) {
  if (!bytes.empty() && !WriteAll(capture_.get(), bytes)) {
    const int error = errno;
    throw std::runtime_error("cannot append to " + (Directory() / kCaptureFile).string() + ": " +
                             std::strerror(error));
  }
}

}  // namespace vp

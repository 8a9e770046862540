#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <span>
#include <string_view>

#include "virtualprinter/printermodel.h"
#include "virtualprinter/servicecommand.h"
#include "virtualprinter/statefolder.h"
#include "virtualprinter/virtualprinter.h"

namespace vp {

// The printer's directory. Every change reaches the disk before it is kept in memory, and each file
// is replaced whole, so a crash leaves either the old or the new state, never a torn file. Files
// are reached without following links and must be regular files (pages/ a directory).
class StateStore {
 public:
  // printer.json beyond this size is no printer's settings file.
  static constexpr std::size_t kMaxSettingsBytes = 1u << 20;

  // Opens the printer kept in `dir`, or makes a factory-fresh one of `model_if_new` when the
  // directory is missing or empty. Throws std::runtime_error naming the file at fault.
  StateStore(std::filesystem::path dir, std::string_view model_if_new);

  const std::filesystem::path& Directory() const { return folder_.Path(); }
  // Whether the constructor made the printer factory-fresh.
  bool MadeFresh() const { return made_fresh_; }
  StateFolder PagesFolder() const;

  // The directory's lock, held by one program at a time: false when another holds it, or this
  // store already does.
  bool Lock();
  // Lets go, and puts the EEPROM written while locked on the disk. Throws std::runtime_error
  // when the EEPROM cannot be synced; the lock is gone all the same.
  void Unlock();
  bool Locked() const { return static_cast<bool>(lock_); }
  // Reads everything kept on disk afresh, after removing what interrupted writes left behind.
  // Throws std::runtime_error as the constructor does, and then nothing has changed.
  void Reload();

  Model GetModel() const { return model_; }
  const Faults& GetFaults() const { return faults_; }
  void SetFaults(const Faults& faults);
  const Simulation& GetSimulation() const { return simulation_; }
  void SetSimulation(const Simulation& simulation);
  const Memory& Eeprom() const { return eeprom_; }
  void SetEeprom(const Memory& eeprom);
  const Memory& Chip(Cartridge cartridge) const;
  void SetChip(Cartridge cartridge, const Memory& chip);
  void Capture(std::span<const uint8_t> bytes);

 private:
  bool Empty() const;
  void MakeFresh(std::string_view model_key);
  void Load();
  void SaveSettings(const nlohmann::json& settings);
  Memory ReadMemory(std::string_view name) const;

  StateFolder folder_;
  nlohmann::json settings_;  // all of printer.json, so settings this version ignores survive
  Model model_ = Model::Opal320;
  Faults faults_;
  Simulation simulation_;
  Memory eeprom_{};
  Memory black_chip_{};
  Memory color_chip_{};
  FileHandle capture_;
  FileHandle lock_;
  bool made_fresh_ = false;
  FileHandle eeprom_file_;        // the EEPROM written in place while locked
  bool eeprom_unsynced_ = false;  // written while locked, not yet on the disk
};

}  // namespace vp

#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <span>
#include <string_view>

#include "virtualprinter/printermodel.h"
#include "virtualprinter/servicecommand.h"
#include "virtualprinter/virtualprinter.h"

namespace vp {

// The printer's directory. Every change reaches the disk before it is kept in memory, and each file
// is replaced whole, so a crash leaves either the old or the new state, never a torn file.
class StateStore {
 public:
  // Opens the printer kept in `dir`, or makes a factory-fresh one of `model_if_new` when the
  // directory is missing or empty. Throws std::runtime_error naming the file at fault.
  StateStore(std::filesystem::path dir, std::string_view model_if_new);

  const std::filesystem::path& Directory() const { return dir_; }
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
  // Keeps a printed page as the next pages/page-NNNN.png, numbered on from the pages already
  // there.
  void SavePage(std::span<const uint8_t> png);

 private:
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  void MakeFresh(std::string_view model_key);
  void Load();
  void SaveSettings(const nlohmann::json& settings);

  std::filesystem::path dir_;
  nlohmann::json settings_;  // all of printer.json, so settings this version ignores survive
  Model model_ = Model::Opal320;
  Faults faults_;
  Simulation simulation_;
  Memory eeprom_{};
  Memory black_chip_{};
  Memory color_chip_{};
  std::unique_ptr<std::FILE, FileCloser> capture_;
  int next_page_ = 1;
};

}  // namespace vp

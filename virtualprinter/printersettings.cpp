#include "virtualprinter/printersettings.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vp {
namespace {

using nlohmann::json;

constexpr int kMaxDelayMs = 3'600'000;
constexpr int kMaxMisalignment = 70;  // as far as a Bi-D value reaches
// What the two-byte length before a device-ID answer can count, less the length itself.
constexpr std::size_t kMaxDeviceId = 65'533;
// The rows of the Bi-D misalignment in printer.json, in the order of Simulation.
constexpr std::array<std::string_view, 6> kBidRows{"ms-black",  "ms-color",  "6pl-black",
                                                   "6pl-color", "4pl-black", "4pl-color"};
// The inks of "clogged_nozzles", in the order of Simulation.
constexpr std::array<std::string_view, 6> kInkNames{"black",  "cyan",       "magenta",
                                                    "yellow", "light-cyan", "light-magenta"};
constexpr int kNozzlesPerInk = 48;
constexpr std::size_t kHeadLabelLength = 13;
constexpr std::size_t kSerialLabelLength = 10;
constexpr std::size_t kMaxScenarioName = 64;

void CheckRange(std::string_view name, int64_t value, int64_t low, int64_t high) {
  if (value < low || value > high) {
    throw std::invalid_argument(std::string(name) + " must lie between " + std::to_string(low) +
                                " and " + std::to_string(high) + ", not " + std::to_string(value));
  }
}

// A whole number kept under `name` in `holder`, or `fallback` when it is left out.
int64_t IntegerSetting(const json& holder, const char* name, int64_t low, int64_t high,
                       int64_t fallback) {
  if (!holder.contains(name)) return fallback;
  const json& value = holder.at(name);
  if (!value.is_number_integer()) {
    throw std::invalid_argument("\"" + std::string(name) + "\" must be a whole number");
  }
  // Read as unsigned first: a number beyond int64_t must not wrap into the range.
  if (value.is_number_unsigned() && value.get<uint64_t>() > static_cast<uint64_t>(INT64_MAX)) {
    throw std::invalid_argument("\"" + std::string(name) + "\" is too large");
  }
  CheckRange(name, value.get<int64_t>(), low, high);
  return value.get<int64_t>();
}

int SmallSetting(const json& holder, const char* name, int low, int high, int fallback) {
  return static_cast<int>(IntegerSetting(holder, name, low, high, fallback));
}

void CheckLength(std::string_view name, const std::string& text, std::size_t limit) {
  if (text.size() > limit) {
    throw std::invalid_argument(std::string(name) + " must not be longer than " +
                                std::to_string(limit) + " characters");
  }
}

std::string TextSetting(const json& holder, const char* name, std::size_t limit,
                        const std::string& fallback) {
  if (!holder.contains(name)) return fallback;
  if (!holder.at(name).is_string()) {
    throw std::invalid_argument("\"" + std::string(name) + "\" must be a string");
  }
  std::string text = holder.at(name).get<std::string>();
  CheckLength(name, text, limit);
  return text;
}

json NozzlesToJson(const std::array<uint64_t, 6>& clogged) {
  json inks = json::object();
  for (std::size_t ink = 0; ink < kInkNames.size(); ++ink) {
    json nozzles = json::array();
    for (int nozzle = 0; nozzle < kNozzlesPerInk; ++nozzle) {
      if (clogged[ink] >> nozzle & 1) nozzles.push_back(nozzle);
    }
    inks[std::string(kInkNames[ink])] = nozzles;
  }
  return inks;
}

std::array<uint64_t, 6> NozzlesFromJson(const json& given) {
  if (!given.is_object()) throw std::invalid_argument("\"clogged_nozzles\" must be an object");
  std::array<uint64_t, 6> clogged{};
  for (const auto& [name, nozzles] : given.items()) {
    const auto* ink = std::find(kInkNames.begin(), kInkNames.end(), name);
    if (ink == kInkNames.end()) {
      throw std::invalid_argument("\"clogged_nozzles\" has no ink \"" + name + "\"");
    }
    if (!nozzles.is_array()) throw std::invalid_argument("clogged " + name + " must be a list");
    for (const json& nozzle : nozzles) {
      if (!nozzle.is_number_integer()) {
        throw std::invalid_argument("clogged " + name + " must list whole numbers");
      }
      CheckRange(name, nozzle.get<int64_t>(), 0, kNozzlesPerInk - 1);
      clogged[static_cast<std::size_t>(ink - kInkNames.begin())] |= uint64_t{1}
                                                                    << nozzle.get<int>();
    }
  }
  return clogged;
}

}  // namespace

json FaultsToJson(const Faults& faults) {
  return {
      {"silent", faults.silent},           {"reply_delay_ms", faults.reply_delay_ms},
      {"short_reply", faults.short_reply}, {"corrupt_reply", faults.corrupt_reply},
      {"stall_input", faults.stall_input}, {"ignore_writes", faults.ignore_writes},
      {"fail_reads", faults.fail_reads},   {"power_off_after_bytes", faults.power_off_after_bytes}};
}

void CheckFaults(const Faults& faults) {
  CheckRange("reply_delay_ms", faults.reply_delay_ms, 0, kMaxDelayMs);
  CheckRange("power_off_after_bytes", faults.power_off_after_bytes, -1, LONG_MAX);
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
  flag("ignore_writes", faults.ignore_writes);
  flag("fail_reads", faults.fail_reads);
  faults.reply_delay_ms =
      SmallSetting(given, "reply_delay_ms", 0, kMaxDelayMs, faults.reply_delay_ms);
  faults.power_off_after_bytes = static_cast<long>(
      IntegerSetting(given, "power_off_after_bytes", -1, LONG_MAX, faults.power_off_after_bytes));
  return faults;
}

json SimulationToJson(const Simulation& simulation) {
  json misalignment = json::object();
  for (std::size_t row = 0; row < kBidRows.size(); ++row) {
    misalignment[std::string(kBidRows[row])] = simulation.bid_misalignment[row];
  }
  return {{"bid_misalignment", misalignment},
          {"exchange_silence_ms", simulation.exchange_silence_ms},
          {"device_id", simulation.device_id},
          {"head_label", simulation.head_label},
          {"serial_label", simulation.serial_label},
          {"scenario", simulation.scenario},
          {"clogged_nozzles", NozzlesToJson(simulation.clogged_nozzles)},
          {"ink_charged", simulation.ink_charged}};
}

void CheckSimulation(const Simulation& simulation) {
  for (std::size_t row = 0; row < kBidRows.size(); ++row) {
    CheckRange(kBidRows[row], simulation.bid_misalignment[row], -kMaxMisalignment,
               kMaxMisalignment);
  }
  CheckRange("exchange_silence_ms", simulation.exchange_silence_ms, 0, kMaxDelayMs);
  CheckLength("device_id", simulation.device_id, kMaxDeviceId);
  CheckLength("head_label", simulation.head_label, kHeadLabelLength);
  CheckLength("serial_label", simulation.serial_label, kSerialLabelLength);
  CheckLength("scenario", simulation.scenario, kMaxScenarioName);
  for (const uint64_t clogged : simulation.clogged_nozzles) {
    if (clogged >> kNozzlesPerInk != 0) {
      throw std::invalid_argument("a head has only " + std::to_string(kNozzlesPerInk) +
                                  " nozzles per ink");
    }
  }
}

// A row name that is not one of the six is a mistake worth hearing about.
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
          SmallSetting(given, kBidRows[row].data(), -kMaxMisalignment, kMaxMisalignment,
                       simulation.bid_misalignment[row]);
    }
  }
  simulation.exchange_silence_ms =
      SmallSetting(settings, "exchange_silence_ms", 0, kMaxDelayMs, simulation.exchange_silence_ms);
  simulation.device_id = TextSetting(settings, "device_id", kMaxDeviceId, simulation.device_id);
  simulation.head_label =
      TextSetting(settings, "head_label", kHeadLabelLength, simulation.head_label);
  simulation.serial_label =
      TextSetting(settings, "serial_label", kSerialLabelLength, simulation.serial_label);
  simulation.scenario = TextSetting(settings, "scenario", kMaxScenarioName, simulation.scenario);
  if (settings.contains("clogged_nozzles")) {
    simulation.clogged_nozzles = NozzlesFromJson(settings.at("clogged_nozzles"));
  }
  if (settings.contains("ink_charged")) {
    if (!settings.at("ink_charged").is_boolean()) {
      throw std::invalid_argument("\"ink_charged\" must be true or false");
    }
    simulation.ink_charged = settings.at("ink_charged").get<bool>();
  }
  return simulation;
}

}  // namespace vp

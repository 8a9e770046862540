#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vp {

// Fault injection, kept in printer.json under "faults".
struct Faults {
  bool silent = false;         // powered off: no device ID, no replies, input swallowed
  int reply_delay_ms = 0;      // a reply becomes readable this long after its request
  bool short_reply = false;    // replies lose their last byte
  bool corrupt_reply = false;  // replies do not begin with the expected header
  bool stall_input = false;    // the printer stops reading: nothing is accepted
  // EEPROM write frames and Bi-D values are taken, but nothing is stored.
  bool ignore_writes = false;
  bool fail_reads = false;  // EEPROM and chip reads get no reply; everything else works
  // Switched off once this many more bytes have reached it: `silent` turns on and this goes back
  // to -1 (never), both kept in printer.json, so the printer stays off for the next program too
  // until someone switches it on. The count left is kept when a program lets go of the printer.
  long power_off_after_bytes = -1;
};

// Realism for training, kept in printer.json.
struct Simulation {
  // How many dots (1/360 inch) to the right of its place the head lands when it prints a band
  // right to left, for MS black, MS colour, 6pl black, 6pl colour, 4pl black and 4pl colour
  // (in printer.json "bid_misalignment" with the keys "ms-black" ... "4pl-color", each from -70
  // to 70). The Bi-D value in force is taken off it, so the value equal to it prints straight.
  // The factory's values are a step or two away from the factory's Bi-D values, so a check print
  // shows something to adjust.
  std::array<int, 6> bid_misalignment{4, -4, -1, 1, 3, -1};
  // How long the printer stays silent after a liquid exchange: no device ID, no replies, and
  // what it is sent is lost ("exchange_silence_ms", up to an hour).
  int exchange_silence_ms = 3000;
  // Answers the device-ID query in place of the model's own text when not empty ("device_id",
  // for tests and practice with odd answers).
  std::string device_id{};
  // What a technician reads off the hardware: the head ID on the fitted head's label
  // ("head_label") and the serial number, the USB ID, on the printer's label ("serial_label").
  std::string head_label = "M3RF5GTPQ2SLJ";
  std::string serial_label = "K4A7Q20931";
  // The training scenario the printer was made with ("scenario"); empty for none.
  std::string scenario{};
  // Nozzles (bit n for nozzle n, 0 to 47) that print nothing until cleanings clear them, per ink
  // in the order black, cyan, magenta, yellow, light cyan, light magenta ("clogged_nozzles").
  std::array<uint64_t, 6> clogged_nozzles{};
  // A head fitted new holds no ink until the ink charge, and prints nothing ("ink_charged").
  bool ink_charged = true;
};

// A printer of the family that only sees bytes, as firmware would. It shares no code with the
// program: frames and page language are parsed from its own constants.
class VirtualPrinter {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  static constexpr std::size_t kEepromSize = 256;

  // Opens the printer kept in `dir`; a missing or empty directory becomes a factory-fresh printer
  // of `model_if_new` ("310", "320" or "QX-310C"), set up as the training scenario
  // `scenario_if_new` asks (ScenarioNames(); empty for none). Throws std::runtime_error when the
  // directory cannot be used, and when it holds a printer made with another scenario than the one
  // asked for.
  // A fresh printer made with `own_serial_if_new` gets a serial number (USB ID and label) of its
  // own, as every printer leaving the factory does; otherwise the model's sample serial.
  explicit VirtualPrinter(std::filesystem::path dir, const std::string& model_if_new = "320",
                          const std::string& scenario_if_new = "", bool own_serial_if_new = false);
  ~VirtualPrinter();
  VirtualPrinter(const VirtualPrinter&) = delete;
  VirtualPrinter& operator=(const VirtualPrinter&) = delete;

  // Takes the printer for this program, as opening a USB printer device does: false when another
  // program holds it (a lock on a file in its directory), or this object already does. A printer
  // taken reads its directory afresh, since another program may have changed it meanwhile, and
  // removes temporary files that interrupted writes left there. Throws std::runtime_error when
  // the lock or the directory cannot be used; the printer is then not taken.
  bool Claim();
  // Lets go of the printer after its pages are kept; nothing when it is not held.
  void Release();

  // Whether the printer takes bytes at this moment (false while its input is stalled).
  bool AcceptsInput(TimePoint now) const;
  // Bytes from the host, in order; every byte is appended to capture.prn.
  void Feed(std::span<const uint8_t> bytes, TimePoint now);
  // The next reply whose time has come, as one packet; empty when none is ready.
  std::vector<uint8_t> TakeReply(TimePoint now);
  // When the next reply becomes readable; nothing when none is owed.
  std::optional<TimePoint> NextReplyDue() const;
  // The IEEE 1284 device-ID text; empty when the printer does not answer.
  std::string DeviceId(TimePoint now) const;
  // Pages are drawn and encoded apart from Feed, so a write that ends a page does not wait for
  // them. This waits until every page ejected so far is in pages/, and returns why a page could
  // not be kept since the last call (one line each), empty when all were.
  [[nodiscard]] std::string WaitForPages();

  const std::filesystem::path& Directory() const;
  std::string Model() const;
  Faults GetFaults() const;
  void SetFaults(const Faults& faults);  // also written to printer.json
  Simulation GetSimulation() const;
  void SetSimulation(const Simulation& simulation);  // also written to printer.json
  std::array<uint8_t, kEepromSize> Eeprom() const;
  void SetEepromByte(uint8_t address, uint8_t value);  // for tests and training set-ups
  std::size_t MalformedFrames() const;
  // Page-language commands that were skipped because the printer does not know them or cannot
  // carry out their parameters.
  std::size_t UnknownCommands() const;
  bool StartSequenceSeen() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vp

#include "virtualprinter/virtualprinter.h"

#include <algorithm>
#include <deque>
#include <exception>
#include <iostream>
#include <random>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <variant>

#include "virtualprinter/eepromareas.h"
#include "virtualprinter/headlabel.h"
#include "virtualprinter/inksystem.h"
#include "virtualprinter/inputstream.h"
#include "virtualprinter/pageinterpreter.h"
#include "virtualprinter/pagerenderer.h"
#include "virtualprinter/pageshelf.h"
#include "virtualprinter/printermodel.h"
#include "virtualprinter/scenario.h"
#include "virtualprinter/servicecommand.h"
#include "virtualprinter/statestore.h"

namespace vp {
namespace {

static_assert(VirtualPrinter::kEepromSize == kMemorySize);

constexpr std::string_view kReplyHeader = "@BDC PS";
constexpr std::string_view kCorruptHeader = "@BDC NG";
constexpr std::string_view kReplyEnd = "\r\n";
// Dot-size codes of the 6pl and 4pl drops; any other size prints with the MS drops.
constexpr uint8_t kDotSize6pl = 0x11;
constexpr uint8_t kDotSize4pl = 0x10;

void AppendHex(std::string& text, uint8_t value) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  text += kDigits[value >> 4];
  text += kDigits[value & 0x0F];
}

}  // namespace

struct VirtualPrinter::State final : StreamListener, PrintMechanism {
  struct PendingReply {
    TimePoint due;
    std::vector<uint8_t> bytes;
  };

  State(std::filesystem::path dir, std::string_view model, std::string_view scenario,
        bool own_serial)
      : store(std::move(dir), model) {
    if (own_serial && store.MadeFresh()) TakeOwnSerial();
    if (!scenario.empty()) TakeScenario(scenario);
    UpdateHead();
  }

  void TakeOwnSerial() {
    constexpr std::string_view kSerialCharacters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kSerialCharacters.size() - 1);
    Simulation simulation = store.GetSimulation();
    Memory eeprom = store.Eeprom();
    for (std::size_t k = 0; k < simulation.serial_label.size(); ++k) {
      simulation.serial_label[k] = kSerialCharacters[pick(random)];
      eeprom[kUsbId + k] = static_cast<uint8_t>(simulation.serial_label[k]);
    }
    store.SetEeprom(eeprom);
    store.SetSimulation(simulation);
  }

  // A scenario sets up a fresh printer; one made before keeps what it was made with.
  void TakeScenario(std::string_view scenario) {
    if (!store.MadeFresh()) {
      if (store.GetSimulation().scenario == scenario) return;
      throw std::runtime_error("the virtual printer in " + store.Directory().string() +
                               " was made before, not as \"" + std::string(scenario) +
                               "\": remove the folder to make a fresh one");
    }
    Memory eeprom = store.Eeprom();
    Simulation simulation = store.GetSimulation();
    std::mt19937 random{std::random_device{}()};
    try {
      ApplyScenario(scenario, eeprom, simulation, random);
    } catch (const std::invalid_argument& error) {
      throw std::runtime_error(error.what());
    }
    store.SetEeprom(eeprom);
    store.SetSimulation(simulation);
  }

  // What the head does follows the printer's state: the ink in it, the head ID the printer
  // drives it with, its clogged nozzles.
  void UpdateHead() {
    const Simulation& simulation = store.GetSimulation();
    page.SetHead({.charged = simulation.ink_charged,
                  .id_matches = StoredHeadId(store.Eeprom()) == simulation.head_label,
                  .clogged = simulation.clogged_nozzles});
  }

  bool Claim() {
    if (!store.Lock()) return false;
    try {
      // Our own pages first: a temporary being written now is no leftover.
      renderer.Wait();
      store.Reload();
      UpdateHead();
    } catch (...) {
      store.Unlock();
      throw;
    }
    power_left = store.GetFaults().power_off_after_bytes;
    if (store.GetFaults().silent) LoseVolatileState();
    return true;
  }

  void Release() {
    if (!store.Locked()) return;
    ReportLostPages();
    Telling([this] {
      if (power_left == store.GetFaults().power_off_after_bytes) return;
      Faults faults = store.GetFaults();
      faults.power_off_after_bytes = power_left;
      store.SetFaults(faults);
    });
    Telling([this] { store.Unlock(); });
  }

  // Letting go has nobody to answer to: a step that fails is told on standard error, and the
  // steps after it still run.
  template <typename Step>
  static void Telling(Step step) {
    try {
      step();
    } catch (const std::exception& error) {
      std::cerr << "virtual printer: " << error.what() << '\n';
    }
  }

  // Nobody may be left to ask: what was lost is said where the technician sees it.
  void ReportLostPages() {
    renderer.Wait();
    std::cerr << renderer.TakeFailures();
  }

  void ApplyFaults(const Faults& faults) {
    store.SetFaults(faults);
    power_left = faults.power_off_after_bytes;
    if (faults.silent) LoseVolatileState();
  }

  // Switched off: what was half received or not yet answered is lost.
  void LoseVolatileState() {
    replies.clear();
    stream.Reset();
    page.Reset();
  }

  // The part of `bytes` that reaches the printer before its power goes.
  std::span<const uint8_t> BeforePowerOff(std::span<const uint8_t> bytes) {
    if (power_left < 0) return bytes;
    const auto heard = std::min(bytes.size(), static_cast<std::size_t>(power_left));
    power_left -= static_cast<long>(heard);
    return bytes.first(heard);
  }

  void SwitchOff() {
    Faults faults = store.GetFaults();
    faults.silent = true;
    faults.power_off_after_bytes = -1;
    ApplyFaults(faults);
  }

  void OnStartSequence() override { start_seen = true; }

  void OnServiceFrame(std::span<const uint8_t> frame) override {
    const std::optional<ServiceCommand> command = ParseServiceFrame(frame);
    if (!command) {
      ++malformed;
      return;
    }
    std::visit([this](const auto& parsed) { Run(parsed); }, *command);
    UpdateHead();
  }

  void OnBrokenFrame() override { ++malformed; }

  void OnPageByte(uint8_t byte) override { page.Take(byte); }
  bool InsidePageCommand() const override { return page.InsideCommand(); }

  // The return pass lands off by the head's misalignment less the Bi-D value in force, which the
  // printer keeps in its EEPROM.
  int ReturnPassOffset(uint8_t dot_size, bool color_ink) const override {
    const std::size_t kind = dot_size == kDotSize6pl ? 1 : dot_size == kDotSize4pl ? 2 : 0;
    const uint8_t address = static_cast<uint8_t>((color_ink ? kBidColor : kBidBlack) + kind);
    const int value = static_cast<int8_t>(store.Eeprom()[address]);
    return store.GetSimulation().bid_misalignment[kind * 2 + (color_ink ? 1 : 0)] - value;
  }

  // A full waste-ink pad stops the printer printing, though it still takes the data.
  void Eject(PageCanvas& sheet) override {
    if (ProtectionCounter(store.Eeprom()) >= kCounterMaximum) return;
    renderer.Queue(sheet.TakeSheet());
  }

  void Run(const EepromRead& read) {
    std::string subject = "\r\nEE";
    AppendHex(subject, read.address);
    Answer(subject + ':', store.Eeprom()[read.address]);
  }

  void Run(const EepromWrite& write) {
    if (!store.GetFaults().ignore_writes) WriteEepromByte(write.address, write.value);
  }

  void Run(const ChipRead& read) {
    std::string subject = read.cartridge == Cartridge::Black ? "\r\nC0" : "\r\nC1";
    AppendHex(subject, read.address);
    Answer(subject + ':', store.Chip(read.cartridge)[read.address]);
  }

  // The values in force are the ones in the EEPROM, where the printer also keeps them.
  void Run(const BidValue& bid) {
    if (store.GetFaults().ignore_writes) return;
    Memory eeprom = store.Eeprom();
    const auto slot = bid.kind - 1;
    if (bid.black) eeprom[kBidBlack + slot] = static_cast<uint8_t>(*bid.black);
    if (bid.color) eeprom[kBidColor + slot] = static_cast<uint8_t>(*bid.color);
    store.SetEeprom(eeprom);
  }

  void Run(const Initialize&) {}

  void Run(const Cleaning& cleaning) {
    Memory black = store.Chip(Cartridge::Black);
    Memory color = store.Chip(Cartridge::Color);
    Memory eeprom = store.Eeprom();
    RunCleaningSequence(cleaning.mode, {black, color, eeprom});
    store.SetChip(Cartridge::Black, black);
    store.SetChip(Cartridge::Color, color);
    store.SetEeprom(eeprom);
    Simulation simulation = store.GetSimulation();
    ClearSomeNozzles(simulation.clogged_nozzles);
    if (cleaning.mode == CleaningMode::InkCharge) simulation.ink_charged = true;
    if (simulation.clogged_nozzles != store.GetSimulation().clogged_nozzles ||
        simulation.ink_charged != store.GetSimulation().ink_charged) {
      store.SetSimulation(simulation);
    }
  }

  // The exchange keeps the printer busy: it answers nothing and loses what it is sent, from the
  // rest of this very write on, until the sequence ends.
  void Run(const LiquidExchange&) {
    quiet_until =
        request_time + std::chrono::milliseconds(store.GetSimulation().exchange_silence_ms);
    replies.clear();
    stream.Stop();
  }

  bool Quiet(TimePoint now) const { return store.GetFaults().silent || now < quiet_until; }

  void WriteEepromByte(uint8_t address, uint8_t value) {
    Memory eeprom = store.Eeprom();
    eeprom[address] = value;
    store.SetEeprom(eeprom);
  }

  // Replies are 18 bytes: header, what was read ("\r\nEE5E:", "\r\nC123:"), the value, CR LF.
  void Answer(std::string_view subject, uint8_t value) {
    const Faults& faults = store.GetFaults();
    if (faults.fail_reads) return;
    std::string text(faults.corrupt_reply ? kCorruptHeader : kReplyHeader);
    text += subject;
    AppendHex(text, value);
    text += kReplyEnd;
    if (faults.short_reply) text.pop_back();
    replies.push_back({request_time + std::chrono::milliseconds(faults.reply_delay_ms),
                       std::vector<uint8_t>(text.begin(), text.end())});
  }

  StateStore store;
  PageShelf shelf{store.PagesFolder()};  // the renderer's thread alone uses it
  PageRenderer renderer{[this](const PrintedSheet& sheet) { shelf.Keep(sheet.EncodePng()); }};
  long power_left = store.GetFaults().power_off_after_bytes;
  InputStream stream{*this};
  PageInterpreter page{*this};
  TimePoint quiet_until = TimePoint::min();
  std::deque<PendingReply> replies;
  TimePoint request_time{};
  std::size_t malformed = 0;
  bool start_seen = false;
};

VirtualPrinter::VirtualPrinter(std::filesystem::path dir, const std::string& model_if_new,
                               const std::string& scenario_if_new, bool own_serial_if_new)
    : state_(std::make_unique<State>(std::move(dir), model_if_new, scenario_if_new,
                                     own_serial_if_new)) {}

VirtualPrinter::~VirtualPrinter() {
  state_->Release();
  state_->ReportLostPages();
}

bool VirtualPrinter::Claim() {
  return state_->Claim();
}

void VirtualPrinter::Release() {
  state_->Release();
}

bool VirtualPrinter::AcceptsInput(TimePoint) const {
  return !state_->store.GetFaults().stall_input;
}

void VirtualPrinter::Feed(std::span<const uint8_t> bytes, TimePoint now) {
  State& state = *state_;
  if (state.Quiet(now) || state.store.GetFaults().stall_input) return;
  state.request_time = now;
  const std::span<const uint8_t> heard = state.BeforePowerOff(bytes);
  state.store.Capture(heard.first(state.stream.Feed(heard)));
  if (state.power_left == 0) state.SwitchOff();
}

std::vector<uint8_t> VirtualPrinter::TakeReply(TimePoint now) {
  auto& replies = state_->replies;
  if (replies.empty() || replies.front().due > now) return {};
  std::vector<uint8_t> reply = std::move(replies.front().bytes);
  replies.pop_front();
  return reply;
}

std::optional<VirtualPrinter::TimePoint> VirtualPrinter::NextReplyDue() const {
  const auto& replies = state_->replies;
  if (replies.empty()) return std::nullopt;
  return replies.front().due;
}

std::string VirtualPrinter::WaitForPages() {
  state_->renderer.Wait();
  return state_->renderer.TakeFailures();
}

std::string VirtualPrinter::DeviceId(TimePoint now) const {
  if (state_->Quiet(now)) return {};
  const std::string& replaced = state_->store.GetSimulation().device_id;
  if (!replaced.empty()) return replaced;
  const std::string name(ModelName(state_->store.GetModel()));
  return "MFG:CORVANE;CMD:ORL,BDC;MDL:" + name + ";CLS:PRINTER;DES:" + name +
         " Color Inkjet Printer;";
}

const std::filesystem::path& VirtualPrinter::Directory() const {
  return state_->store.Directory();
}

std::string VirtualPrinter::Model() const {
  return std::string(ModelKey(state_->store.GetModel()));
}

Faults VirtualPrinter::GetFaults() const {
  Faults faults = state_->store.GetFaults();
  faults.power_off_after_bytes = state_->power_left;
  return faults;
}

void VirtualPrinter::SetFaults(const Faults& faults) {
  state_->ApplyFaults(faults);
}

Simulation VirtualPrinter::GetSimulation() const {
  return state_->store.GetSimulation();
}

void VirtualPrinter::SetSimulation(const Simulation& simulation) {
  state_->store.SetSimulation(simulation);
  state_->UpdateHead();
}

std::array<uint8_t, VirtualPrinter::kEepromSize> VirtualPrinter::Eeprom() const {
  return state_->store.Eeprom();
}

void VirtualPrinter::SetEepromByte(uint8_t address, uint8_t value) {
  state_->WriteEepromByte(address, value);
  state_->UpdateHead();
}

std::size_t VirtualPrinter::MalformedFrames() const {
  return state_->malformed;
}

std::size_t VirtualPrinter::UnknownCommands() const {
  return state_->page.SkippedCommands();
}

bool VirtualPrinter::StartSequenceSeen() const {
  return state_->start_seen;
}

}  // namespace vp

#include "virtualprinter/virtualprinter.h"

#include <deque>
#include <string_view>
#include <utility>
#include <variant>

#include "virtualprinter/inputstream.h"
#include "virtualprinter/printermodel.h"
#include "virtualprinter/servicecommand.h"
#include "virtualprinter/statestore.h"

namespace vp {
namespace {

static_assert(VirtualPrinter::kEepromSize == kMemorySize);

constexpr std::string_view kReplyHeader = "@BDC PS";
constexpr std::string_view kCorruptHeader = "@BDC NG";
constexpr std::string_view kReplyEnd = "\r\n";
constexpr uint8_t kBidBlack = 0x33;  // MS, 6pl, 4pl follow one another
constexpr uint8_t kBidColor = 0x36;

void AppendHex(std::string& text, uint8_t value) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  text += kDigits[value >> 4];
  text += kDigits[value & 0x0F];
}

}  // namespace

struct VirtualPrinter::State final : StreamListener {
  struct PendingReply {
    TimePoint due;
    std::vector<uint8_t> bytes;
  };

  State(std::filesystem::path dir, std::string_view model) : store(std::move(dir), model) {}

  void OnStartSequence() override { start_seen = true; }

  void OnServiceFrame(std::span<const uint8_t> frame) override {
    const std::optional<ServiceCommand> command = ParseServiceFrame(frame);
    if (!command) {
      ++malformed;
      return;
    }
    std::visit([this](const auto& parsed) { Run(parsed); }, *command);
  }

  void OnBrokenFrame() override { ++malformed; }

  // The page language is not interpreted yet; its bytes are kept in capture.prn only.
  void OnPageByte(uint8_t) override {}

  void Run(const EepromRead& read) {
    std::string subject = "\r\nEE";
    AppendHex(subject, read.address);
    Answer(subject + ':', store.Eeprom()[read.address]);
  }

  void Run(const EepromWrite& write) { WriteEepromByte(write.address, write.value); }

  void Run(const ChipRead& read) {
    std::string subject = read.cartridge == Cartridge::Black ? "\r\nC0" : "\r\nC1";
    AppendHex(subject, read.address);
    Answer(subject + ':', store.Chip(read.cartridge)[read.address]);
  }

  // The values in force are the ones in the EEPROM, where the printer also keeps them.
  void Run(const BidValue& bid) {
    Memory eeprom = store.Eeprom();
    const auto slot = bid.kind - 1;
    if (bid.black) eeprom[kBidBlack + slot] = static_cast<uint8_t>(*bid.black);
    if (bid.color) eeprom[kBidColor + slot] = static_cast<uint8_t>(*bid.color);
    store.SetEeprom(eeprom);
  }

  // The maintenance sequences (ink use, protection counter, the silence of a liquid exchange) are
  // simulated by a later version; for now the printer accepts them and does nothing.
  void Run(const Initialize&) {}
  void Run(const Cleaning&) {}
  void Run(const LiquidExchange&) {}

  void WriteEepromByte(uint8_t address, uint8_t value) {
    Memory eeprom = store.Eeprom();
    eeprom[address] = value;
    store.SetEeprom(eeprom);
  }

  // Replies are 18 bytes: header, what was read ("\r\nEE5E:", "\r\nC123:"), the value, CR LF.
  void Answer(std::string_view subject, uint8_t value) {
    const Faults& faults = store.GetFaults();
    std::string text(faults.corrupt_reply ? kCorruptHeader : kReplyHeader);
    text += subject;
    AppendHex(text, value);
    text += kReplyEnd;
    if (faults.short_reply) text.pop_back();
    replies.push_back({request_time + std::chrono::milliseconds(faults.reply_delay_ms),
                       std::vector<uint8_t>(text.begin(), text.end())});
  }

  StateStore store;
  InputStream stream{*this};
  std::deque<PendingReply> replies;
  TimePoint request_time{};
  std::size_t malformed = 0;
  bool start_seen = false;
};

VirtualPrinter::VirtualPrinter(std::filesystem::path dir, const std::string& model_if_new)
    : state_(std::make_unique<State>(std::move(dir), model_if_new)) {}

VirtualPrinter::~VirtualPrinter() = default;

bool VirtualPrinter::AcceptsInput(TimePoint) const {
  return !state_->store.GetFaults().stall_input;
}

void VirtualPrinter::Feed(std::span<const uint8_t> bytes, TimePoint now) {
  const Faults& faults = state_->store.GetFaults();
  if (faults.silent || faults.stall_input) return;
  state_->store.Capture(bytes);
  state_->request_time = now;
  state_->stream.Feed(bytes);
}

std::vector<uint8_t> VirtualPrinter::TakeReply(TimePoint now) {
  auto& replies = state_->replies;
  if (replies.empty() || replies.front().due > now) return {};
  std::vector<uint8_t> reply = std::move(replies.front().bytes);
  replies.pop_front();
  return reply;
}

std::string VirtualPrinter::DeviceId(TimePoint) const {
  if (state_->store.GetFaults().silent) return {};
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
  return state_->store.GetFaults();
}

void VirtualPrinter::SetFaults(const Faults& faults) {
  state_->store.SetFaults(faults);
  if (faults.silent) {
    // Switched off: what was half received or not yet answered is lost.
    state_->replies.clear();
    state_->stream.Reset();
  }
}

std::array<uint8_t, VirtualPrinter::kEepromSize> VirtualPrinter::Eeprom() const {
  return state_->store.Eeprom();
}

void VirtualPrinter::SetEepromByte(uint8_t address, uint8_t value) {
  state_->WriteEepromByte(address, value);
}

std::size_t VirtualPrinter::MalformedFrames() const {
  return state_->malformed;
}

bool VirtualPrinter::StartSequenceSeen() const {
  return state_->start_seen;
}

}  // namespace vp

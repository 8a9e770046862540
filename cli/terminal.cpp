#include "cli/terminal.h"

#include <algorithm>
#include <istream>
#include <ostream>

#include "device/datamanu.h"

namespace opal::cli {

std::optional<int> NotConfirmed(Console& console, std::string_view question, bool yes,
                                std::string_view refused) {
  if (yes) return std::nullopt;
  if (!console.in_is_terminal) {
    console.err << "Standard input is not a terminal: give --yes to answer \"" << question
                << "\" with Yes.\n";
    return kUsage;
  }
  console.out << question << " [y/N] " << std::flush;
  std::string answer;
  std::getline(console.in, answer);
  answer = ToUpperAscii(answer);
  if (answer == "Y" || answer == "YES") return std::nullopt;
  console.err << refused << '\n';
  return kFailed;
}

std::string Printable(std::string_view text) {
  std::string shown;
  for (const char c : text) {
    if (c >= ' ' && c <= '~' && c != '\\') {
      shown += c;
    } else {
      shown += "\\x" + ByteToHexPair(static_cast<uint8_t>(c));
    }
  }
  return shown;
}

StatusLine::~StatusLine() {
  Clear();
}

void StatusLine::Show(std::string_view text) {
  if (!console_.out_is_terminal) return;
  // Blanks over what is left of a longer line before.
  const std::size_t blanks = shown_ > text.size() ? shown_ - text.size() : 0;
  console_.out << '\r' << text << std::string(blanks, ' ') << std::flush;
  shown_ = text.size();
}

void StatusLine::Clear() {
  if (shown_ == 0) return;
  console_.out << '\r' << std::string(shown_, ' ') << '\r' << std::flush;
  shown_ = 0;
}

void CountdownSleeper::Sleep(std::chrono::milliseconds duration) {
  using std::chrono::milliseconds;
  if (skip_) return;
  StatusLine line(ctl_.console);
  for (milliseconds left = duration; left > milliseconds(0);) {
    const auto seconds = std::chrono::ceil<std::chrono::seconds>(left).count();
    line.Show("Waiting for the printer: " + std::to_string(seconds) + " s");
    ctl_.StopIfAsked();
    const milliseconds step = std::min(left, milliseconds(1000));
    ctl_.sleeper.Sleep(step);
    left -= step;
  }
}

int ChipFailed(Opalctl& ctl, Result code) {
  if (code == ERR_CHIP_MAKER) {
    ctl.console.err << "The cartridge's chip does not name " << kChipMaker << " as its maker.\n";
    return kFailed;
  }
  if (code == ERR_CHIP_EXPIRED) {
    ctl.console.err << "The cartridge is past its effect date.\n";
    return kFailed;
  }
  return ctl.Failed(code);
}

}  // namespace opal::cli

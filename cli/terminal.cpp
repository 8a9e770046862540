#include "cli/terminal.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <string>

#include "cli/session.h"
#include "device/datamanu.h"

namespace opal::cli {

std::optional<int> NotConfirmed(std::string_view question, bool yes, std::string_view refused) {
  if (yes) return std::nullopt;
  if (!isatty(STDIN_FILENO)) {
    std::cerr << "Standard input is not a terminal: give --yes to answer \"" << question
              << "\" with Yes.\n";
    return kUsage;
  }
  std::cout << question << " [y/N] " << std::flush;
  std::string answer;
  std::getline(std::cin, answer);
  answer = ToUpperAscii(answer);
  if (answer == "Y" || answer == "YES") return std::nullopt;
  std::cerr << refused << '\n';
  return kFailed;
}

StatusLine::StatusLine() : terminal_(isatty(STDOUT_FILENO) != 0) {}

StatusLine::~StatusLine() {
  Clear();
}

void StatusLine::Show(std::string_view text) {
  if (!terminal_) return;
  // Blanks over what is left of a longer line before.
  const std::size_t blanks = shown_ > text.size() ? shown_ - text.size() : 0;
  std::cout << '\r' << text << std::string(blanks, ' ') << std::flush;
  shown_ = text.size();
}

void StatusLine::Clear() {
  if (shown_ == 0) return;
  std::cout << '\r' << std::string(shown_, ' ') << '\r' << std::flush;
  shown_ = 0;
}

void CountdownSleeper::Sleep(std::chrono::milliseconds duration) {
  using std::chrono::milliseconds;
  if (skip_) return;
  StatusLine line;
  for (milliseconds left = duration; left > milliseconds(0);) {
    const auto seconds = std::chrono::ceil<std::chrono::seconds>(left).count();
    line.Show("Waiting for the printer: " + std::to_string(seconds) + " s");
    const milliseconds step = std::min(left, milliseconds(1000));
    sleeper_.Sleep(step);
    left -= step;
  }
}

}  // namespace opal::cli

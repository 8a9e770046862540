#include "tests/support/tracefiles.h"

#include <zlib.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace opal::testing {

FakeClock TraceClock() {
  std::tm local{};
  local.tm_year = 2026 - 1900;
  local.tm_mon = 2;
  local.tm_mday = 14;
  local.tm_hour = 10;
  local.tm_min = 26;
  FakeClock clock;
  clock.SetLocalTime(local);
  return clock;
}

std::string ReadTraceText(const std::filesystem::path& file) {
  gzFile in = gzopen(file.c_str(), "rb");
  if (in == nullptr) throw std::runtime_error("cannot open " + file.string());
  std::string text;
  std::array<char, 1 << 16> buffer{};
  int count = 0;
  while ((count = gzread(in, buffer.data(), buffer.size())) > 0) text.append(buffer.data(), count);
  gzclose(in);
  if (count < 0) throw std::runtime_error("cannot read " + file.string());
  return text;
}

void WriteCompressed(const std::filesystem::path& file, const std::string& text) {
  gzFile out = gzopen(file.c_str(), "wb9");
  if (out == nullptr || gzwrite(out, text.data(), static_cast<unsigned>(text.size())) !=
                            static_cast<int>(text.size())) {
    if (out != nullptr) gzclose(out);
    throw std::runtime_error("cannot write " + file.string());
  }
  gzclose(out);
}

std::string HexRun(const std::string& text) {
  std::string hex;
  for (const char c : text) {
    std::array<char, 4> two{};
    std::snprintf(two.data(), two.size(), "%02x ", static_cast<unsigned char>(c));
    hex += two.data();
  }
  return hex.substr(0, hex.empty() ? 0 : hex.size() - 1);
}

std::vector<std::string> RecordedArguments(const std::string& command) {
  std::istringstream words(command);
  std::vector<std::string> args;
  for (std::string word; words >> word;) args.push_back(word);
  if (!args.empty()) args.erase(args.begin());
  return args;
}

}  // namespace opal::testing

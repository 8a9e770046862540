#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/tempdir.h"
#include "virtualprinter/virtualprinter.h"

namespace vp::testing {

using Bytes = std::vector<uint8_t>;
using TimePoint = VirtualPrinter::TimePoint;
inline const TimePoint kNow{std::chrono::hours(1)};

inline Bytes EepromReadFrame(uint8_t address) {
  return {0x1B, 0x7C, 0x00, 0x06, 0x00, 0x06, 0x31, 0x41, 0xBE, 0xA0, address};
}

inline Bytes EepromWriteFrame(uint8_t address, uint8_t value) {
  return {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x06, 0x31, 0x42, 0xBD, 0x21, address, value};
}

inline Bytes ChipReadFrame(uint8_t chip, uint8_t address) {
  return {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x06, 0x31, 0x61, 0x9E, 0xB0, chip, address};
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

inline std::string Text(const Bytes& bytes) {
  return {bytes.begin(), bytes.end()};
}

inline Bytes ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Table cases carry a name: it names the test and is what a failure prints of the case. A test
// file brings PrintTo into the namespace of its cases with a using-declaration.
template <typename Case>
concept NamedCase = requires(const Case& c) {
  std::string(c.name);
};

template <NamedCase Case>
void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

inline constexpr auto kCaseName = [](const auto& info) { return std::string(info.param.name); };

// A printer in a fresh temporary directory.
class PrinterTest : public ::testing::Test {
 protected:
  explicit PrinterTest(const std::string& model = "320") : printer_(Dir(), model) {}

  std::filesystem::path Dir() const { return temp_.path() / "printer"; }

  // Sends `frame` and returns the reply that is due at once, empty when there is none.
  Bytes Exchange(const Bytes& frame) {
    printer_.Feed(frame, kNow);
    return printer_.TakeReply(kNow);
  }

  uint8_t ReadEeprom(uint8_t address) { return ReplyValue(Exchange(EepromReadFrame(address))); }
  uint8_t ReadChip(uint8_t chip, uint8_t address) {
    return ReplyValue(Exchange(ChipReadFrame(chip, address)));
  }

  static uint8_t ReplyValue(const Bytes& reply) {
    EXPECT_EQ(reply.size(), 18u);
    if (reply.size() != 18) return 0;
    return static_cast<uint8_t>(std::stoi(Text(reply).substr(14, 2), nullptr, 16));
  }

  opal::testing::TempDir temp_;
  VirtualPrinter printer_;
};

}  // namespace vp::testing

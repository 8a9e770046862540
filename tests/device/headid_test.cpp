#include "device/headid.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/gatedprinter.h"

namespace opal {
namespace {

using testing::EepromWriteFrame;
using ::testing::ElementsAre;

constexpr std::string_view kSymbols = "ABCDEFGHJKLMNOPQRSTUVWXYZ123456789%*+-$:";
constexpr std::string_view kWorkedExample = "AZBCDEFJKLMNW";

TEST(HeadIdMaps, SymbolsDecodeToTheirPlaceAndBack) {
  struct Case {
    uint8_t symbol;
    uint8_t group_a;
    uint8_t group_b;
  };
  for (const Case& c : std::vector<Case>{{'A', 1, 32},
                                         {'H', 8, 39},
                                         {'J', 9, 40},
                                         {'Z', 25, 56},
                                         {'1', 26, 57},
                                         {'9', 34, 65},
                                         {'%', 35, 66},
                                         {'+', 37, 68},
                                         {'-', 38, 0},
                                         {'$', 39, 0},
                                         {':', 40, 0},
                                         {'I', 0, 0},
                                         {'0', 0, 0},
                                         {'a', 0, 0},
                                         {0x00, 0, 0},
                                         {0xFF, 0, 0}}) {
    EXPECT_EQ(DecodeGroupA(c.symbol), c.group_a) << c.symbol;
    EXPECT_EQ(DecodeGroupB(c.symbol), c.group_b) << c.symbol;
  }
  for (int value = 0; value < 256; ++value) {
    const auto v = static_cast<uint8_t>(value);
    const bool in_a = value >= 1 && value <= 40;
    const bool in_b = value >= 32 && value <= 68;
    EXPECT_EQ(EncodeGroupA(v), in_a ? kSymbols[value - 1] : v) << value;
    EXPECT_EQ(EncodeGroupB(v), in_b ? kSymbols[value - 32] : v) << value;
  }
}

// A valid ID with one position replaced; the check character is left as it was, so an accepted
// symbol can only fail at the check.
std::string WithSymbol(std::size_t position, char symbol) {
  std::string text(kWorkedExample);
  text[position - 1] = symbol;
  return text;
}

Result Validate(std::string_view text) {
  HeadIdValues values{};
  return DecodeHeadId(text, values);
}

TEST(HeadIdValidation, EachPositionAcceptsOnlyItsSymbols) {
  struct Case {
    std::size_t position;
    std::string accepted;
    std::string refused;
  };
  const std::string group_b = "AHJZ19%*+";
  const std::string never = std::string("I0az -$:") + '\0' + '\xC4';
  for (const Case& c : std::vector<Case>{
           {1, "AHJZ1567", "89%*+" + never},
           {2, "Z123456", "0789AY" + never},
           {3, "AZ19%*+", never},
           {4, "AZ19", "%*+" + never},
           {5, std::string(kSymbols), "I0az" + std::string(1, '\0')},
           {6, "AZ19", "%*+" + never},
           {7, "AZ19", "%*+" + never},
           {8, group_b, never},
           {9, group_b, never},
           {10, group_b, never},
           {11, group_b, never},
           {12, group_b, never},
       }) {
    const Result own_code = HeadIdCharacterError(c.position);
    for (const char symbol : c.accepted) {
      EXPECT_THAT(Validate(WithSymbol(c.position, symbol)),
                  ::testing::AnyOf(PORT_OK, ERR_HEADID_CHECK))
          << "position " << c.position << " symbol " << symbol;
    }
    for (const char symbol : c.refused) {
      EXPECT_EQ(Validate(WithSymbol(c.position, symbol)), own_code)
          << "position " << c.position << " symbol " << int(symbol);
    }
  }
}

TEST(HeadIdValidation, TheFirstFaultIsReported) {
  struct Case {
    std::string text;
    Result expected;
  };
  for (const Case& c : std::vector<Case>{
           {"", ERR_HEADID_LENGTH},
           {"AZBCDEFJKLMN", ERR_HEADID_LENGTH},
           {"AZBCDEFJKLMNWA", ERR_HEADID_LENGTH},
           {"azbcdefjklmnw", static_cast<Result>(0x1002)},
           {"IIIIIIIIIIIII", static_cast<Result>(0x1002)},
           {"AZ-CDEFJKL$NW", static_cast<Result>(0x1004)},
           {"AZBCDEFJKLM-0", static_cast<Result>(0x100D)},
           {"AZBCDEFJKLMNV", ERR_HEADID_CHECK},
           {"AZBCDEFJKLMN7", ERR_HEADID_CHECK},
       }) {
    EXPECT_EQ(Validate(c.text), c.expected) << c.text;
  }
}

TEST(HeadIdValidation, OnlyTheComputedCheckCharacterIsAccepted) {
  struct Case {
    std::string data;
    char check;
  };
  // The worked example, the lowest check value (1) and the highest (31).
  for (const Case& c :
       std::vector<Case>{{"AZBCDEFJKLMN", 'W'}, {"2ZBCDEFJKLMN", 'A'}, {"MZBCDEFJKLMN", '6'}}) {
    for (int symbol = 0; symbol < 256; ++symbol) {
      const std::string text = c.data + static_cast<char>(symbol);
      EXPECT_EQ(Validate(text), symbol == c.check ? PORT_OK : ERR_HEADID_CHECK) << text;
    }
  }
}

TEST(HeadIdValidation, ValuesAreDecodedInPositionOrder) {
  HeadIdValues values{};
  ASSERT_EQ(DecodeHeadId(kWorkedExample, values), PORT_OK);
  EXPECT_THAT(values, ElementsAre(1, 0, 2, 3, 4, 5, 6, 40, 41, 42, 43, 44));
  EXPECT_EQ(HeadIdCheckValue(values), 22);
}

class HeadIdCoderTest : public testing::GatedPrinterTest {
 protected:
  THeadIdCoder coder{command};
};

TEST_F(HeadIdCoderTest, WorkedExampleWritesDerivedByteFirstThenPositionsInOrderThenReadsBack) {
  ASSERT_EQ(coder.WriteHeadId(kWorkedExample), PORT_OK);
  EXPECT_THAT(EepromWrites(),
              ElementsAre(EepromWriteFrame(0x46, 0x5A), EepromWriteFrame(0x3F, 0x01),
                          EepromWriteFrame(0x45, 0x00), EepromWriteFrame(0x40, 0x02),
                          EepromWriteFrame(0x41, 0x03), EepromWriteFrame(0x42, 0x04),
                          EepromWriteFrame(0x43, 0x05), EepromWriteFrame(0x44, 0x06),
                          EepromWriteFrame(0x47, 0x28), EepromWriteFrame(0x4A, 0x29),
                          EepromWriteFrame(0x48, 0x2A), EepromWriteFrame(0x4B, 0x2B),
                          EepromWriteFrame(0x49, 0x2C)));
  EXPECT_EQ(gate.frames.size(), 2 * kHeadIdLength);
  std::string text = "0000000000000";
  ASSERT_EQ(coder.ReadHeadId(text), PORT_OK);
  EXPECT_EQ(text, kWorkedExample);
}

TEST_F(HeadIdCoderTest, DerivedByteKeepsTheHeadDataSumAtTwoC) {
  ASSERT_EQ(coder.WriteHeadId("M3RF5GTPQ2SLJ"), PORT_OK);
  const auto eeprom = printer.Eeprom();
  uint8_t sum = 0;
  for (int address = 0x46; address <= 0x4B; ++address) sum += eeprom[address];
  EXPECT_EQ(sum, 0x2C);
}

TEST_F(HeadIdCoderTest, RefusedIdSendsNothing) {
  EXPECT_EQ(coder.WriteHeadId("AZBCDEFJKLMNV"), ERR_HEADID_CHECK);
  EXPECT_TRUE(gate.frames.empty());
}

TEST_F(HeadIdCoderTest, FailingWriteStopsAndKeepsTheBytesBeforeIt) {
  const auto before = printer.Eeprom();
  gate.frames_before_cut = 3;
  EXPECT_EQ(coder.WriteHeadId(kWorkedExample), ERR_SEND_COUNT);
  const auto after = printer.Eeprom();
  EXPECT_EQ(after[0x46], 0x5A);
  EXPECT_EQ(after[0x3F], 0x01);
  EXPECT_EQ(after[0x45], 0x00);
  for (int address = 0x40; address <= 0x44; ++address) EXPECT_EQ(after[address], before[address]);
  for (int address = 0x47; address <= 0x4B; ++address) EXPECT_EQ(after[address], before[address]);
}

TEST_F(HeadIdCoderTest, ReadsPositionsInOrderAndPassesBytesOutsideTheMapsThrough) {
  struct Case {
    std::string name;
    std::vector<std::pair<uint8_t, uint8_t>> stored;
    std::string expected;
    std::string shown;
  };
  const std::string all_ff = std::string(1, '\xFF') + '/' + std::string(10, '\xFF') + 'Y';
  const std::vector<Case> cases{
      {"all zero",
       {{0x3F, 0},
        {0x45, 0},
        {0x40, 0},
        {0x41, 0},
        {0x42, 0},
        {0x43, 0},
        {0x44, 0},
        {0x47, 0},
        {0x4A, 0},
        {0x48, 0},
        {0x4B, 0},
        {0x49, 0}},
       std::string(1, '\0') + 'Z' + std::string(10, '\0') + '6',
       ""},
      {"all FF",
       {{0x3F, 0xFF},
        {0x45, 0xFF},
        {0x40, 0xFF},
        {0x41, 0xFF},
        {0x42, 0xFF},
        {0x43, 0xFF},
        {0x44, 0xFF},
        {0x47, 0xFF},
        {0x4A, 0xFF},
        {0x48, 0xFF},
        {0x4B, 0xFF},
        {0x49, 0xFF}},
       all_ff,
       all_ff},
      {"zero in position 3", {{0x40, 0}}, std::string("AZ") + '\0' + "CDEFJKLMNC", "AZ"},
      {"group A value in position 9", {{0x4A, 0x01}}, "AZBCDEFJ\x01LMN4", "AZBCDEFJ\x01LMN4"},
      {"position 2 above its range", {{0x45, 0x07}}, "A7BCDEFJKLMNZ", "A7BCDEFJKLMNZ"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(coder.WriteHeadId(kWorkedExample), PORT_OK);
    for (const auto& [address, value] : c.stored) printer.SetEepromByte(address, value);
    gate.frames.clear();
    std::string text;
    ASSERT_EQ(coder.ReadHeadId(text), PORT_OK) << c.name;
    EXPECT_EQ(text, c.expected) << c.name;
    EXPECT_EQ(HeadIdAsShown(text), c.shown) << c.name;
  }
  std::vector<uint8_t> addresses;
  for (const auto& frame : gate.frames) addresses.push_back(frame.back());
  EXPECT_THAT(addresses,
              ElementsAre(0x3F, 0x45, 0x40, 0x41, 0x42, 0x43, 0x44, 0x47, 0x4A, 0x48, 0x4B, 0x49));
}

TEST_F(HeadIdCoderTest, FailingReadLeavesTheTextAsItWas) {
  printer.SetFaults({.corrupt_reply = true});
  std::string text = "0000000000000";
  EXPECT_EQ(coder.ReadHeadId(text), ERR_BAD_REPLY);
  EXPECT_EQ(text, "0000000000000");
  EXPECT_EQ(gate.frames.size(), 1u);
}

}  // namespace
}  // namespace opal

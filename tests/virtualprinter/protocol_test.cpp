#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/virtualprinter/printerfixture.h"

namespace vp::testing {
namespace {

using vp::testing::PrintTo;

using ProtocolTest = PrinterTest;

TEST_F(ProtocolTest, WriteThenReadRepliesByteExact) {
  EXPECT_TRUE(Exchange(EepromWriteFrame(0x60, 0x43)).empty());
  EXPECT_EQ(Text(Exchange(EepromReadFrame(0x60))), "@BDC PS\r\nEE60:43\r\n");
  EXPECT_EQ(printer_.MalformedFrames(), 0u);
}

TEST_F(ProtocolTest, EveryAddressRoundTripsAndReachesTheFile) {
  for (int address = 0; address < 256; ++address) {
    printer_.Feed(EepromWriteFrame(static_cast<uint8_t>(address), static_cast<uint8_t>(~address)),
                  kNow);
  }
  for (int address = 0; address < 256; ++address) {
    EXPECT_EQ(ReadEeprom(static_cast<uint8_t>(address)), static_cast<uint8_t>(~address))
        << "address " << address;
  }
  const auto eeprom = printer_.Eeprom();
  EXPECT_EQ(ReadFile(Dir() / "eeprom.bin"), Bytes(eeprom.begin(), eeprom.end()));
  EXPECT_EQ(eeprom[0x00], 0xFF);
  EXPECT_EQ(eeprom[0xFF], 0x00);
}

TEST_F(ProtocolTest, ChipReadsAnswerFromTheChosenCartridge) {
  // Address 35 is the first letter of the maker's name on both chips; 1 is magenta, colour only.
  EXPECT_EQ(Text(Exchange(ChipReadFrame(0x00, 35))), "@BDC PS\r\nC023:56\r\n");
  EXPECT_EQ(Text(Exchange(ChipReadFrame(0x01, 35))), "@BDC PS\r\nC123:56\r\n");
  EXPECT_EQ(ReadChip(0x00, 1), 0);
  EXPECT_NE(ReadChip(0x01, 1), 0);
}

struct BidCase {
  const char* name;
  Bytes frame;
  uint8_t black_address;
  uint8_t black;
  uint8_t color_address;
  uint8_t color;
};

class BidValueTest : public PrinterTest, public ::testing::WithParamInterface<BidCase> {};

TEST_P(BidValueTest, StoresTheSetSlotsInTheEeprom) {
  const BidCase& c = GetParam();
  printer_.SetEepromByte(c.black_address, 0x11);
  printer_.SetEepromByte(c.color_address, 0x22);
  EXPECT_TRUE(Exchange(c.frame).empty());
  EXPECT_EQ(printer_.MalformedFrames(), 0u);
  EXPECT_EQ(ReadEeprom(c.black_address), c.black);
  EXPECT_EQ(ReadEeprom(c.color_address), c.color);
}

INSTANTIATE_TEST_SUITE_P(
    Slots, BidValueTest,
    ::testing::Values(
        // -128 leaves the black 6pl value alone.
        BidCase{"ColorOnly",
                {0x1B, 0x7C, 0x00, 0x0A, 0x00, 0x06, 0x31, 0x00, 0xFF, 0x00, 0x02, 0x80, 0xFF, 0x05,
                 0x00},
                0x34,
                0x11,
                0x37,
                0x05},
        BidCase{"BothAtTheLimits",
                {0x1B, 0x7C, 0x00, 0x0A, 0x00, 0x06, 0x31, 0x00, 0xFF, 0x00, 0x01, 0xBA, 0xFF, 0x46,
                 0x00},
                0x33,
                0xBA,
                0x36,
                0x46},
        // Trial values of the pattern can step past a signed byte; the printer keeps the low byte.
        BidCase{"BeyondASignedByte",
                {0x1B, 0x7C, 0x00, 0x0A, 0x00, 0x06, 0x31, 0x00, 0xFF, 0x00, 0x03, 0x81, 0x00, 0x7E,
                 0xFF},
                0x35,
                0x81,
                0x38,
                0x7E}),
    kCaseName);

struct SilentCase {
  const char* name;
  std::vector<Bytes> feeds;
};

class SilentCommandTest : public PrinterTest, public ::testing::WithParamInterface<SilentCase> {};

TEST_P(SilentCommandTest, IsAcceptedWithoutReply) {
  const auto before = printer_.Eeprom();
  for (const Bytes& feed : GetParam().feeds) printer_.Feed(feed, kNow);
  EXPECT_TRUE(printer_.TakeReply(kNow + std::chrono::hours(1)).empty());
  EXPECT_EQ(printer_.MalformedFrames(), 0u);
  EXPECT_EQ(printer_.Eeprom(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SilentCommandTest,
    ::testing::Values(SilentCase{"Initialize",
                                 {{0x1B, 0x7C, 0x00, 0x05, 0x00, 0x06, 0x31, 0x48, 0xB7, 0x24}}},
                      SilentCase{"LiquidExchangeInTwoWrites",
                                 {{0x1B, 0x7C, 0x00, 0x0E, 0x00, 0x06, 0x31, 0x81, 0x7E, 0xC0},
                                  {0x03, 0x00, 0x00, 0x00, 0x00, 0x88, 0x13, 0x0F, 0x08}}}),
    kCaseName);

struct MalformedCase {
  const char* name;
  Bytes frame;
};

class MalformedFrameTest : public PrinterTest,
                           public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedFrameTest, IsCountedUnansweredAndTheNextFrameStillWorks) {
  const auto before = printer_.Eeprom();
  const Bytes answer = Exchange(EepromReadFrame(0x5E));
  printer_.Feed(Concat({GetParam().frame, EepromReadFrame(0x5E)}), kNow);
  EXPECT_EQ(printer_.MalformedFrames(), 1u);
  EXPECT_EQ(printer_.TakeReply(kNow), answer);
  EXPECT_TRUE(printer_.TakeReply(kNow + std::chrono::hours(1)).empty());
  EXPECT_EQ(printer_.Eeprom(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, MalformedFrameTest,
    ::testing::Values(
        MalformedCase{"ThirdByteNotZero",
                      {0x1B, 0x7C, 0x01, 0x07, 0x00, 0x06, 0x31, 0x42, 0xBD, 0x21, 0x5E, 0x99}},
        MalformedCase{"FifthByteNotZero",
                      {0x1B, 0x7C, 0x00, 0x07, 0x01, 0x06, 0x31, 0x42, 0xBD, 0x21, 0x5E, 0x99}},
        MalformedCase{"CutOffByTheNextFrame", {0x1B, 0x7C}},
        MalformedCase{"EmptyFrame", {0x1B, 0x7C, 0x00, 0x00, 0x00}},
        MalformedCase{"TooShortForACommand",
                      {0x1B, 0x7C, 0x00, 0x04, 0x00, 0x06, 0x31, 0x42, 0xBD}},
        MalformedCase{"WrongModelBytes",
                      {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x06, 0x32, 0x42, 0xBD, 0x21, 0x5E, 0x99}},
        MalformedCase{"Op2NotComplement",
                      {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x06, 0x31, 0x42, 0xBE, 0x21, 0x5E, 0x99}},
        MalformedCase{"UnknownCommand",
                      {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x06, 0x31, 0x43, 0xBC, 0x21, 0x5E, 0x99}},
        MalformedCase{"WrongOp3",
                      {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x06, 0x31, 0x42, 0xBD, 0x22, 0x5E, 0x99}},
        MalformedCase{"WriteWithoutValue",
                      {0x1B, 0x7C, 0x00, 0x06, 0x00, 0x06, 0x31, 0x42, 0xBD, 0x21, 0x5E}},
        MalformedCase{"ReadWithExtraByte",
                      {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x06, 0x31, 0x41, 0xBE, 0xA0, 0x5E, 0x00}},
        MalformedCase{"UnmappedChipSelector",
                      {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x06, 0x31, 0x61, 0x9E, 0xB0, 0x80, 0x00}},
        MalformedCase{"BidKindZero",
                      {0x1B, 0x7C, 0x00, 0x0A, 0x00, 0x06, 0x31, 0x00, 0xFF, 0x00, 0x00, 0x05, 0x00,
                       0x05, 0x00}},
        MalformedCase{"BidKindFour",
                      {0x1B, 0x7C, 0x00, 0x0A, 0x00, 0x06, 0x31, 0x00, 0xFF, 0x00, 0x04, 0x05, 0x00,
                       0x05, 0x00}},
        MalformedCase{"BidSignByteNotASign",
                      {0x1B, 0x7C, 0x00, 0x0A, 0x00, 0x06, 0x31, 0x00, 0xFF, 0x00, 0x01, 0x05, 0x01,
                       0x05, 0x00}},
        MalformedCase{"UnknownCleaningMode",
                      {0x1B, 0x7C, 0x00, 0x06, 0x00, 0x06, 0x31, 0x84, 0x7B, 0x42, 0x08}},
        MalformedCase{"LiquidExchangeTailChanged",
                      {0x1B, 0x7C, 0x00, 0x0E, 0x00, 0x06, 0x31, 0x81, 0x7E, 0xC0, 0x03, 0x00, 0x00,
                       0x00, 0x00, 0x88, 0x13, 0x0F, 0x09}}),
    kCaseName);

TEST_F(ProtocolTest, FramesSplitAtAnyPointWork) {
  for (uint8_t split = 0; split <= 23; ++split) {
    const Bytes stream = Concat({EepromWriteFrame(0x10, split), EepromReadFrame(0x10)});
    printer_.Feed(std::span(stream).first(split), kNow);
    printer_.Feed(std::span(stream).subspan(split), kNow);
    EXPECT_EQ(ReplyValue(printer_.TakeReply(kNow)), split) << "split after byte " << int{split};
  }
  EXPECT_EQ(printer_.MalformedFrames(), 0u);
}

TEST_F(ProtocolTest, FramesFedByteByByteWork) {
  printer_.Feed({}, kNow);
  for (const uint8_t byte : Concat({EepromWriteFrame(0x20, 0xC3), EepromReadFrame(0x20)})) {
    printer_.Feed(std::span(&byte, 1), kNow);
  }
  EXPECT_EQ(Text(printer_.TakeReply(kNow)), "@BDC PS\r\nEE20:C3\r\n");
}

TEST_F(ProtocolTest, PageLanguageAroundFramesIsLeftAlone) {
  const Bytes page{'T',  'i',  't',  'l',  'e',  0x00, 0x0D, 0x0A, 0x1B, 0x40,
                   0x1B, 0x28, 0x47, 0x01, 0x00, 0x01, 0x1B, 0x1B, 0x0C};
  printer_.Feed(Concat({page, EepromReadFrame(0x5E), page}), kNow);
  EXPECT_EQ(printer_.TakeReply(kNow).size(), 18u);
  EXPECT_EQ(printer_.MalformedFrames(), 0u);
}

const Bytes kStartSequence{0x00, 0x00, 0x00, 0x1B, 0x01, '@', 'Q', 'R',  'T',
                           ' ',  '1',  '2',  '8',  '4',  '.', '4', 0x0A, '@',
                           'Q',  'R',  'T',  ' ',  ' ',  ' ', ' ', ' ',  0x0A};

TEST_F(ProtocolTest, StartSequenceIsRecognisedEvenByteByByte) {
  EXPECT_FALSE(printer_.StartSequenceSeen());
  for (const uint8_t byte : kStartSequence) printer_.Feed(std::span(&byte, 1), kNow);
  EXPECT_TRUE(printer_.StartSequenceSeen());
}

struct NotStartCase {
  const char* name;
  Bytes bytes;
};

class NotStartSequenceTest : public PrinterTest,
                             public ::testing::WithParamInterface<NotStartCase> {};

TEST_P(NotStartSequenceTest, IsNotTakenForItAndHidesNoFrame) {
  printer_.Feed(Concat({GetParam().bytes, EepromReadFrame(0x5E)}), kNow);
  EXPECT_FALSE(printer_.StartSequenceSeen());
  EXPECT_EQ(printer_.TakeReply(kNow).size(), 18u);
}

INSTANTIATE_TEST_SUITE_P(
    Near, NotStartSequenceTest,
    ::testing::Values(
        NotStartCase{"TwoNuls", Bytes(kStartSequence.begin() + 1, kStartSequence.end())},
        NotStartCase{"CutShort", Bytes(kStartSequence.begin(), kStartSequence.begin() + 12)},
        NotStartCase{
            "OneBlankMissing",
            Concat({Bytes(kStartSequence.begin(), kStartSequence.end() - 2), Bytes{0x0A}})}),
    kCaseName);

}  // namespace
}  // namespace vp::testing

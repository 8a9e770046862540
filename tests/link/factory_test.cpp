#include "link/factory.h"

#include <gmock/gmock.h>

#include <gtest/gtest.h>
#include <deque>
#include <sstream>

#include "link/resultcodes.h"
#include "tests/support/fakes.h"
#include "tests/support/scripteddevice.h"

namespace opal {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Bytes = std::vector<uint8_t>;

class FactoryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK); }

  testing::FakeClock clock;
  testing::ThrowingExit exit;
  testing::Script script;
  testing::ScriptedProvider provider{script, clock};
  TPrinterPort port{provider, clock, exit};
  TFactoryCommand command{port};
};

TEST_F(FactoryTest, FramesAreByteExact) {
  uint8_t value = 0;
  script.packets = {testing::ReplyWith(0), testing::ReplyWith(0)};
  EXPECT_EQ(command.EepromReadByte(0x5E, value), PORT_OK);
  EXPECT_EQ(command.EepromWriteByte(0x60, 0x43), PORT_OK);
  EXPECT_EQ(command.SetBidValue(2, -128, 5), PORT_OK);
  EXPECT_EQ(command.ChipReadByte(0x80, 0x12, value), PORT_OK);
  EXPECT_EQ(command.InitializePrinter(), PORT_OK);
  EXPECT_EQ(command.RunCleaning(CLEANING_POWERFUL), PORT_OK);
  EXPECT_EQ(command.LiquidExchange(), PORT_OK);
  EXPECT_THAT(script.writes,
              ElementsAre(Bytes{0x1B, 0x7C, 0, 6, 0, 6, 0x31, 0x41, 0xBE, 0xA0, 0x5E},
                          Bytes{0x1B, 0x7C, 0, 7, 0, 6, 0x31, 0x42, 0xBD, 0x21, 0x60, 0x43},
                          Bytes{0x1B, 0x7C, 0, 0x0A, 0, 6, 0x31, 0, 0xFF, 0, 2, 0x80, 0xFF, 5, 0},
                          Bytes{0x1B, 0x7C, 0, 7, 0, 6, 0x31, 0x61, 0x9E, 0xB0, 0x01, 0x12},
                          Bytes{0x1B, 0x7C, 0, 5, 0, 6, 0x31, 0x48, 0xB7, 0x24},
                          Bytes{0x1B, 0x7C, 0, 6, 0, 6, 0x31, 0x84, 0x7B, 0x42, 10},
                          Bytes{0x1B, 0x7C, 0, 0x0E, 0, 6, 0x31, 0x81, 0x7E, 0xC0},
                          Bytes{0x03, 0, 0, 0, 0, 0x88, 0x13, 0x0F, 0x08}));
}

TEST_F(FactoryTest, ChipSelectorsOtherThanColourTravelUnchanged) {
  uint8_t value = 0;
  for (const uint8_t chip : {0x00, 0x05}) {
    script.packets = {testing::ReplyWith(0)};
    EXPECT_EQ(command.ChipReadByte(chip, 0, value), PORT_OK);
    EXPECT_EQ(script.writes.back()[10], chip);
  }
}

TEST_F(FactoryTest, RepliesDecodeTheirTwoDigits) {
  uint8_t value = 0;
  script.packets = {testing::ReplyWith(0x3F)};
  EXPECT_EQ(command.EepromReadByte(0, value), PORT_OK);
  EXPECT_EQ(value, 0x3F);
  script.packets = {testing::ReplyWith(0x3F)};
  EXPECT_EQ(command.EepromReadByteUnchecked(0), 0x3F);
}

TEST_F(FactoryTest, BadRepliesLeaveTheValueUntouched) {
  struct Case {
    Bytes reply;
    Result expected;
  };
  Bytes short_reply = testing::ReplyWith(0x12);
  short_reply.pop_back();
  const std::vector<Case> cases{
      {testing::ReplyWith(0x12, "@BDC PX"), ERR_BAD_REPLY},
      {short_reply, ERR_RECEIVE_COUNT},
      {{}, ERR_RECEIVE_TIMEOUT},
  };
  for (const auto& c : cases) {
    script.packets.clear();
    if (!c.reply.empty()) script.packets.push_back(c.reply);
    uint8_t value = 0xAB;
    EXPECT_EQ(command.EepromReadByte(0x10, value), c.expected);
    EXPECT_EQ(value, 0xAB);
  }
}

TEST_F(FactoryTest, UncheckedReadOfAMissingReplyDoesNotRepeatTheLastValue) {
  script.packets = {testing::ReplyWith(0x3F)};
  EXPECT_EQ(command.EepromReadByteUnchecked(0x33), 0x3F);
  const uint8_t missing = command.EepromReadByteUnchecked(0x33);
  EXPECT_NE(missing, 0x3F);
  EXPECT_EQ(command.EepromReadByteUnchecked(0x33), missing);
}

TEST_F(FactoryTest, FailedSendStopsATestedRead) {
  script.accept_per_write = 0;
  uint8_t value = 0;
  EXPECT_EQ(command.EepromReadByte(0x10, value), ERR_SEND_TIMEOUT);
}

std::vector<std::pair<uint8_t, uint8_t>> IdentityWrites(PrinterModel model) {
  std::vector<std::pair<uint8_t, uint8_t>> writes;
  for (const EepromWrite& write : ModelIdentityWrites(model)) {
    writes.emplace_back(write.address, write.value);
  }
  return writes;
}

TEST(ModelIdentity, EachModelGetsItsBytesInOrder) {
  std::vector<std::pair<uint8_t, uint8_t>> cleared;
  for (int a = 0x70; a <= 0x7D; ++a) cleared.emplace_back(a, 0);

  auto opal320 = cleared;
  opal320.emplace_back(0x5E, 0x00);
  for (int a = 0x60; a <= 0x6F; ++a) opal320.emplace_back(a, 0);
  EXPECT_THAT(IdentityWrites(PrinterModel::Opal320), ElementsAreArray(opal320));

  auto opal310 = cleared;
  opal310.emplace_back(0x5E, 0x02);
  const std::string name = "Corvane Opal 310";
  for (int i = 0; i < 16; ++i) opal310.emplace_back(0x60 + i, name[i]);
  EXPECT_THAT(IdentityWrites(PrinterModel::Opal310), ElementsAreArray(opal310));

  EXPECT_THAT(IdentityWrites(PrinterModel::None), ElementsAreArray(cleared));
}

TEST_F(FactoryTest, VerifiedWritesSucceedOnlyWhenEveryByteReadsBack) {
  const std::vector<EepromWrite> writes{{0x4C, 0x41}, {0x4D, 0x42}};
  struct Case {
    std::deque<Bytes> replies;
    Result expected;
    std::string message;
  };
  const std::vector<Case> cases{
      {{testing::ReplyWith(0x41), testing::ReplyWith(0x42)}, PORT_OK, ""},
      {{testing::ReplyWith(0x41), testing::ReplyWith(0x00)},
       ERR_WRITE_NOT_HELD,
       "Verify error at address 4D: written 42, read back 00."},
      {{testing::ReplyWith(0x41)},
       ERR_WRITE_UNREADABLE,
       "Verify error at address 4D: written 42, cannot be read back (Receive error)."},
  };
  for (const auto& c : cases) {
    script.writes.clear();
    script.packets = c.replies;
    EXPECT_EQ(command.WriteEepromVerified(writes), c.expected);
    if (c.expected != PORT_OK) {
      EXPECT_EQ(command.Message(c.expected), c.message);
    }
    ASSERT_GE(script.writes.size(), 3u);
    EXPECT_EQ(script.writes[0][7], 0x42);
    EXPECT_EQ(script.writes[1][7], 0x42);
    EXPECT_EQ(script.writes[2][7], 0x41);
  }
}

TEST_F(FactoryTest, AVerifiedWriteStopsAtTheFirstSendThatFails) {
  script.stall_after_writes = 1;
  const std::vector<EepromWrite> writes{{0x10, 1}, {0x11, 2}, {0x12, 3}};
  EXPECT_EQ(command.WriteEepromVerified(writes), ERR_SEND_TIMEOUT);
  EXPECT_EQ(script.writes.size(), 1u);
  EXPECT_EQ(command.Message(ERR_SEND_TIMEOUT), "Transmission error");
}

TEST(ResultMessages, CodesMapToTheirTexts) {
  EXPECT_EQ(ResultMessage(ERR_PORT_NOT_OPEN), "Cannot open port.");
  EXPECT_EQ(ResultMessage(ERR_SEND_TIMEOUT), "Transmission error");
  EXPECT_EQ(ResultMessage(ERR_SEND_COUNT), "Transmission error");
  EXPECT_EQ(ResultMessage(ERR_RECEIVE_COUNT), "Receive error");
  EXPECT_EQ(ResultMessage(ERR_BAD_REPLY), "Receive error");
  EXPECT_EQ(ResultMessage(static_cast<Result>(0x100F)), "Check ID is invalid.");
  EXPECT_EQ(ResultMessage(static_cast<Result>(0x2001)), "");
}

TEST(ResultMessages, CodesSayTheirGivenNames) {
  EXPECT_EQ(ResultName(ERR_WRITE_NOT_HELD), "ERR_WRITE_NOT_HELD");
  EXPECT_EQ(ResultName(HeadIdCharacterError(3)), "ERR_HEADID_CHARACTER_3");
  EXPECT_EQ(ResultName(static_cast<Result>(42)), "42") << "a number no code has";
  std::ostringstream printed;
  printed << PORT_OK;
  EXPECT_EQ(printed.str(), "PORT_OK");
}

}  // namespace
}  // namespace opal

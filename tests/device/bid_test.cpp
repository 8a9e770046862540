#include "device/bid.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/scriptedlink.h"
#include "tests/support/statusrecorder.h"
#include "tests/support/tempdir.h"
#include "virtualport/virtualport.h"
#include "virtualprinter/virtualprinter.h"

namespace opal {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Pair;
using Bytes = std::vector<uint8_t>;

class BidTest : public testing::ScriptedLinkTest {
 protected:
  TBidAdjustment bid{command};
  testing::StatusRecorder status;
};

TEST_F(BidTest, StoredBytesReadAsSignedDecimals) {
  const std::vector<std::pair<uint8_t, std::string>> cases{
      {0xBA, "-70"}, {0x80, "-128"}, {0x46, "70"}, {0x00, "0"}, {0x7F, "127"}};
  for (const auto& [stored, text] : cases) {
    script.packets = {testing::ReplyWith(stored)};
    std::string read = "unchanged";
    EXPECT_EQ(bid.ReadBidValue(INK_COLOR, BidKind::Pl6, read), PORT_OK);
    EXPECT_EQ(read, text);
    EXPECT_EQ(script.writes.back().back(), 0x37);
  }
}

TEST_F(BidTest, FailedReadLeavesTheTextAlone) {
  std::string read = "12";
  EXPECT_EQ(bid.ReadBidValue(INK_BLACK, BidKind::Ms, read), ERR_RECEIVE_TIMEOUT);
  EXPECT_EQ(read, "12");
}

TEST_F(BidTest, OnlyValuesWithinRangeAreSentWithTheOtherSlotUnchanged) {
  struct Case {
    std::string text;
    uint8_t ink_group;
    BidKind kind;
    Result expected;
    Bytes arguments;  // kind, black low, black sign, colour low, colour sign; empty: nothing sent
  };
  const std::vector<Case> cases{
      {"70", INK_BLACK, BidKind::Ms, PORT_OK, {1, 0x46, 0x00, 0x80, 0xFF}},
      {"-70", INK_COLOR, BidKind::Pl4, PORT_OK, {3, 0x80, 0xFF, 0xBA, 0xFF}},
      {"  -5", INK_COLOR, BidKind::Pl6, PORT_OK, {2, 0x80, 0xFF, 0xFB, 0xFF}},
      {"+7", INK_BLACK, BidKind::Pl6, PORT_OK, {2, 0x07, 0x00, 0x80, 0xFF}},
      {"71", INK_BLACK, BidKind::Ms, static_cast<Result>(0x2001), {}},
      {"-71", INK_COLOR, BidKind::Ms, static_cast<Result>(0x2002), {}},
      {"", INK_BLACK, BidKind::Pl6, static_cast<Result>(0x2003), {}},
      {"abc", INK_COLOR, BidKind::Pl6, static_cast<Result>(0x2004), {}},
      {"5 ", INK_BLACK, BidKind::Pl4, static_cast<Result>(0x2005), {}},
      {"99999999999", INK_COLOR, BidKind::Pl4, static_cast<Result>(0x2006), {}},
      {"-", INK_COLOR, BidKind::Pl4, static_cast<Result>(0x2006), {}},
  };
  for (const auto& c : cases) {
    script.writes.clear();
    if (!c.arguments.empty()) {
      // The printer keeps the value it was set at the value's own address.
      script.packets = {testing::ReplyWith(c.arguments[c.ink_group == INK_BLACK ? 1 : 3])};
    }
    EXPECT_EQ(bid.WriteBidValue(c.ink_group, c.kind, c.text), c.expected) << '"' << c.text << '"';
    if (c.arguments.empty()) {
      EXPECT_THAT(script.writes, IsEmpty()) << '"' << c.text << '"';
    } else {
      ASSERT_EQ(script.writes.size(), 2u);
      EXPECT_EQ(Bytes(script.writes[0].begin() + 10, script.writes[0].end()), c.arguments)
          << '"' << c.text << '"';
      EXPECT_EQ(script.writes[1].back(), BidAddress(c.kind, c.ink_group));
    }
  }
  EXPECT_EQ(ResultMessage(static_cast<Result>(0x2001)), "");
}

TEST_F(BidTest, PresentDataReadsAsThreeLines) {
  for (const uint8_t value : {1, 0xFE, 3, 0xFC, 70, 0xBA}) {
    script.packets.push_back(testing::ReplyWith(value));
  }
  EXPECT_EQ(ReportPresentBidValues(bid, status.Report()), PORT_OK);
  EXPECT_THAT(
      status.lines,
      ElementsAre(Pair(StatusMode::Plain, "Multi shot Black = "), Pair(StatusMode::Append, "1"),
                  Pair(StatusMode::Append, ", Multi shot Color = "), Pair(StatusMode::Append, "-2"),
                  Pair(StatusMode::NewLine, "VSD 6pl Black = "), Pair(StatusMode::Append, "3"),
                  Pair(StatusMode::Append, ", VSD 6pl Color = "), Pair(StatusMode::Append, "-4"),
                  Pair(StatusMode::NewLine, "VSD 4pl Black = "), Pair(StatusMode::Append, "70"),
                  Pair(StatusMode::Append, ", VSD 4pl Color = "), Pair(StatusMode::Append, "-70")));
  std::vector<uint8_t> addresses;
  for (const auto& frame : script.writes) addresses.push_back(frame.back());
  EXPECT_THAT(addresses, ElementsAre(0x33, 0x36, 0x34, 0x37, 0x35, 0x38));
}

TEST_F(BidTest, SixValueReadStopsAtTheFirstFailingRead) {
  script.packets = {testing::ReplyWith(1), testing::ReplyWith(2), testing::ReplyWith(3)};
  std::vector<std::pair<std::size_t, std::string>> shown;
  EXPECT_EQ(ReadAllBidValues(bid, [&](std::size_t row,
                                      const std::string& text) { shown.emplace_back(row, text); }),
            ERR_RECEIVE_TIMEOUT);
  EXPECT_THAT(shown, ElementsAre(Pair(0u, "1"), Pair(1u, "2"), Pair(2u, "3")));
  EXPECT_EQ(script.writes.size(), 4u);
}

TEST_F(BidTest, WritingLoopGoesOnPastRangeErrorsAndStopsAtTheFirstWriteThatFails) {
  struct Case {
    std::string name;
    std::vector<std::pair<std::size_t, std::string>> ticked;
    std::vector<uint8_t> held;  // what the printer reads back, one per value set
    bool port_open;
    std::vector<std::pair<StatusMode, std::string>> lines;
    std::vector<std::size_t> written;
    std::size_t frames;
    Result result;
  };
  const std::string done = " has been written in EEPROM.";
  const std::vector<Case> cases{
      {"range codes",
       {{0, "80"}, {2, "-12"}, {5, "x"}},
       {0xF4},
       true,
       {{StatusMode::Plain, ""},
        {StatusMode::NewLine, "As 6pl Black data, "},
        {StatusMode::Append, "-12"},
        {StatusMode::Append, done},
        {StatusMode::NewLine, ""}},
       {2},
       2,
       static_cast<Result>(0x2001)},
      {"value not held",
       {{0, "5"}, {1, "6"}},
       {0x04},
       true,
       {{StatusMode::Plain, "Verify error at address 33: written 05, read back 04."}},
       {},
       2,
       ERR_WRITE_NOT_HELD},
      {"port closed",
       {{3, "1"}, {4, "2"}},
       {},
       false,
       {{StatusMode::Plain, "Cannot open port."}},
       {},
       0,
       ERR_PORT_NOT_OPEN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    status.lines.clear();
    script.writes.clear();
    script.packets.clear();
    for (const uint8_t value : c.held) script.packets.push_back(testing::ReplyWith(value));
    if (!c.port_open) port.Close();
    std::array<BidEntry, kBidRowCount> entries{};
    for (const auto& [row, text] : c.ticked) entries[row] = {true, text};
    std::vector<std::size_t> written;
    EXPECT_EQ(WriteTickedBidValues(bid, entries, status.Report(),
                                   [&](std::size_t row) { written.push_back(row); }),
              c.result);
    EXPECT_EQ(status.lines, c.lines);
    EXPECT_EQ(written, c.written);
    EXPECT_EQ(script.writes.size(), c.frames);
  }
}

TEST_F(BidTest, NothingTickedWritesNothing) {
  EXPECT_EQ(WriteTickedBidValues(bid, {}, status.Report(), [](std::size_t) { FAIL(); }), PORT_OK);
  EXPECT_THAT(status.lines, IsEmpty());
  EXPECT_THAT(script.writes, IsEmpty());
}

TEST(BidOnThePrinter, WrittenValueReadsBackAndTheOtherSlotKeepsItsValue) {
  testing::TempDir temp;
  vp::VirtualPrinter printer(temp.path() / "printer");
  testing::FakeClock clock;
  testing::ThrowingExit exit;
  VirtualPortProvider provider(printer, clock, clock);
  TPrinterPort port(provider, clock, exit);
  TFactoryCommand command(port);
  TBidAdjustment bid(command);
  ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK);
  printer.SetEepromByte(0x34, 0x05);

  ASSERT_EQ(bid.WriteBidValue(INK_COLOR, BidKind::Pl6, "-33"), PORT_OK);
  std::string black, color;
  EXPECT_EQ(bid.ReadBidValue(INK_BLACK, BidKind::Pl6, black), PORT_OK);
  EXPECT_EQ(bid.ReadBidValue(INK_COLOR, BidKind::Pl6, color), PORT_OK);
  EXPECT_EQ(black, "5");
  EXPECT_EQ(color, "-33");
}

}  // namespace
}  // namespace opal

#include "printing/bidcheck.h"

#include <gmock/gmock.h>

#include <fstream>
#include <iterator>

#include "tests/printing/rasterfixture.h"
#include "tests/support/statusrecorder.h"
#include "tests/support/tempdir.h"
#include "virtualport/virtualport.h"
#include "virtualprinter/virtualprinter.h"

namespace opal {
namespace {

using testing::Bytes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Pair;

class BidCheckTest : public testing::RasterFixture {};

TEST_F(BidCheckTest, PrintsBothInkGroupsOfEachDotKindInOrder) {
  script.eeprom.emplace();
  EXPECT_EQ(PrintBidCheckPattern(raster, command), PORT_OK);
  const auto stream = Decoded();
  ASSERT_THAT(stream.error, IsEmpty());
  std::vector<std::string> labels;
  for (const auto* text : stream.Named("text")) {
    const std::string bytes(text->bytes.begin(), text->bytes.end());
    if (!bytes.starts_with("data")) labels.push_back(bytes);
  }
  using std::string_literals::operator""s;
  EXPECT_THAT(labels,
              ElementsAre("Bi-D check pattern\0"s, "Bi-d\0"s, " MS Black\0"s, " MS Color\0"s,
                          " 6pl Black\0"s, " 6pl Color\0"s, " 4pl Black\0"s, " 4pl Color\0"s));
  std::vector<int> read_addresses;
  for (const auto* frame : stream.ServiceFrames()) {
    if (frame->bytes.at(7) == 0x41) read_addresses.push_back(frame->bytes.back());
  }
  // Every pair before the first byte of the page; then each block's pair after each of its 15
  // trials and after it is set back.
  std::vector<int> expected{0x33, 0x36, 0x34, 0x37, 0x35, 0x38};
  for (const int black : {0x33, 0x34, 0x35}) {
    for (int block = 0; block < 2 * 16; ++block)
      expected.insert(expected.end(), {black, black + 3});
  }
  EXPECT_THAT(read_addresses, ::testing::ElementsAreArray(expected));
  EXPECT_EQ(stream.elements[6].name, "text");
  EXPECT_EQ(stream.elements.back().name, "FF");
}

TEST_F(BidCheckTest, FailedTitleStopsThePageAtOnce) {
  script.accept_per_write = 0;
  const auto start = clock.Now();
  EXPECT_EQ(PrintBidCheckPattern(raster, command), ERR_SEND_TIMEOUT);
  EXPECT_LT(clock.Now() - start, std::chrono::seconds(11));
}

TEST_F(BidCheckTest, PrinterThatStopsTakingBytesMidPageCostsOneTimeLimit) {
  for (int read = 0; read < 6; ++read) script.packets.push_back(testing::ReplyWith(0));
  script.stall_after_writes = 12;  // amid the first block, its page bytes held in larger writes
  testing::StatusRecorder status;
  const auto start = clock.Now();
  EXPECT_EQ(PrintBidCheckPage(raster, command, 0, status.Report()), ERR_WRITE_UNREADABLE);
  EXPECT_LT(clock.Now() - start, std::chrono::seconds(11));
  // The first block's trials may have reached the printer; it cannot tell whether they did.
  EXPECT_THAT(status.lines,
              ElementsAre(Pair(StatusMode::Busy, "Bi-d pattern is being printed out now."),
                          Pair(StatusMode::Error,
                               "Verify error at address 33: written 00, cannot be read back "
                               "(Transmission error).")));
}

TEST_F(BidCheckTest, BlockThatCannotSetItsValuesBackEndsThePage) {
  script.eeprom.emplace();
  for (uint8_t address = 0x33; address <= 0x38; ++address) (*script.eeprom)[address] = 3;
  script.bid_frames_held = 15;  // the last trial's value stays
  testing::StatusRecorder status;
  EXPECT_EQ(PrintBidCheckPage(raster, command, 0, status.Report()), ERR_WRITE_NOT_HELD);
  const auto stream = Decoded();
  std::size_t bid_frames = 0;
  for (const auto* frame : stream.ServiceFrames()) bid_frames += frame->bytes.at(7) == 0x00;
  EXPECT_EQ(bid_frames, 15u + 1u);  // no block after the first
  EXPECT_THAT(stream.Named("FF"), IsEmpty());
  EXPECT_THAT(status.lines.back(),
              Pair(StatusMode::Error, "Verify error at address 33: written 03, read back 05."));
}

TEST_F(BidCheckTest, PageThatNeverReachedThePrinterIsReportedAsAnError) {
  testing::StatusRecorder status;
  port.Close();
  EXPECT_EQ(PrintBidCheckPage(raster, command, 0, status.Report()), ERR_PORT_NOT_OPEN);
  EXPECT_THAT(status.lines,
              ElementsAre(Pair(StatusMode::Busy, "Bi-d pattern is being printed out now."),
                          Pair(StatusMode::Error, "Cannot open port.")));
}

// The printer as a technician meets it: the page through the whole link into a virtual printer.
class BidCheckPageTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK); }

  Bytes Capture() {
    std::ifstream in(temp.path() / "printer" / "capture.prn", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  testing::TempDir temp;
  vp::VirtualPrinter printer{temp.path() / "printer"};
  testing::FakeClock clock;
  testing::ThrowingExit exit;
  VirtualPortProvider provider{printer, clock, clock};
  TPrinterPort port{provider, clock, exit};
  TFactoryCommand command{port};
  TRasterPrinter raster{port, exit};
  testing::StatusRecorder status;
};

TEST_F(BidCheckPageTest, PrintingLeavesThePrintersAlignmentAsItWas) {
  const std::vector<std::pair<uint8_t, int8_t>> stored{{0x33, 72},  {0x34, -71},  {0x35, 3},
                                                       {0x36, -70}, {0x37, -128}, {0x38, 34}};
  for (const auto& [address, value] : stored) {
    printer.SetEepromByte(address, static_cast<uint8_t>(value));
  }
  EXPECT_EQ(PrintBidCheckPage(raster, command, 30, status.Report()), PORT_OK);

  const auto eeprom = printer.Eeprom();
  for (const auto& [address, value] : stored) {
    EXPECT_EQ(static_cast<int8_t>(eeprom[address]), value) << int(address);
  }
  EXPECT_THAT(status.lines,
              ElementsAre(Pair(StatusMode::Busy, "Bi-d pattern is being printed out now."),
                          Pair(StatusMode::Done, "Bi-d pattern print is completed.")));

  const Bytes capture = Capture();
  const auto stream = testing::DecodePageStream(capture);
  ASSERT_THAT(stream.error, IsEmpty());
  // The six values are read before anything of the page goes out.
  constexpr std::size_t kReads = 6;
  for (std::size_t read = 0; read < kReads; ++read) {
    EXPECT_EQ(stream.elements[read].name, "service");
  }
  std::size_t line_feeds_first = 0;
  while (stream.elements[kReads + 2 * line_feeds_first].name == "CR") ++line_feeds_first;
  EXPECT_EQ(line_feeds_first, 60u);
  EXPECT_EQ(stream.elements[kReads + 120].name, "ESC @");
  const auto& elements = stream.elements;
  EXPECT_EQ(elements[elements.size() - 1].name, "FF");
  EXPECT_EQ(elements[elements.size() - 2].name, "FF");
}

}  // namespace
}  // namespace opal

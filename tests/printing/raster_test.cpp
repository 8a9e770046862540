#include "printing/raster.h"

#include <gmock/gmock.h>

#include <functional>
#include <string>

#include "tests/printing/rasterfixture.h"

namespace opal {
namespace {

using testing::Bytes;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class RasterTest : public testing::RasterFixture {};

struct EmitterCase {
  std::string name;
  std::function<Result(TRasterPrinter&)> emit;
  std::vector<Bytes> writes;
};

TEST_F(RasterTest, EachEmitterWritesItsBytesInOneWrite) {
  const Bytes crlf{0x0D, 0x0A};
  const std::vector<EmitterCase> cases{
      {"initialize", [](auto& r) { return r.SendInitialize(); }, {{0x1B, 0x40}}},
      {"graphics", [](auto& r) { return r.SendGraphicsMode(); }, {{0x1B, 0x28, 0x47, 1, 0, 1}}},
      {"unit", [](auto& r) { return r.SendUnit(10); }, {{0x1B, 0x28, 0x55, 1, 0, 10}}},
      {"direction", [](auto& r) { return r.SendDirection(0); }, {{0x1B, 0x55, 0}}},
      {"dot size",
       [](auto& r) { return r.SendDotSize(0x12); },
       {{0x1B, 0x28, 0x65, 2, 0, 0, 0x12}}},
      {"colour mode", [](auto& r) { return r.SendColorMode(2); }, {{0x1B, 0x28, 0x4B, 2, 0, 0, 2}}},
      {"light cyan", [](auto& r) { return r.SelectInk(0x84); }, {{0x1B, 0x28, 0x72, 2, 0, 1, 2}}},
      {"magenta", [](auto& r) { return r.SelectInk(0x81); }, {{0x1B, 0x28, 0x72, 2, 0, 0, 1}}},
      {"light magenta",
       [](auto& r) { return r.SelectInk(0x82); },
       {{0x1B, 0x28, 0x72, 2, 0, 1, 1}}},
      {"cyan", [](auto& r) { return r.SelectInk(0x83); }, {{0x1B, 0x28, 0x72, 2, 0, 0, 2}}},
      {"yellow", [](auto& r) { return r.SelectInk(0x85); }, {{0x1B, 0x28, 0x72, 2, 0, 0, 4}}},
      {"unknown ink", [](auto& r) { return r.SelectInk(7); }, {{0x1B, 0x28, 0x72, 2, 0, 0, 0}}},
      {"end band", [](auto& r) { return r.SendEndBand(); }, {{0x1B, 0x3C, 0x0D}}},
      {"header",
       [](auto& r) { return r.SendRasterHeader(30, 10, 48, 64, 11); },
       {{0x1B, 0x2E, 1, 0x1E, 0x0A, 0x30, 0x40, 0x0B}}},
      {"advance",
       [](auto& r) { return r.SendAdvance(141); },
       {{0x1B, 0x28, 0x76, 2, 0, 0x8D, 0, 0x0D}}},
      {"resolution",
       [](auto& r) { return r.SendRasterResolution(0x68, 0x01, 3, 1); },
       {{0x1B, 0x28, 0x44, 4, 0, 0x68, 0x01, 3, 1}}},
      {"transfer",
       [](auto& r) { return r.SendRasterTransfer(0x11, 1, 2, 0xD0, 0x02, 0x30, 0x00); },
       {{0x1B, 0x69, 0x11, 1, 2, 0xD0, 0x02, 0x30, 0}}},
      {"form feed", [](auto& r) { return r.SendFormFeed(); }, {{0x0C}}},
      {"three new lines", [](auto& r) { return r.SendNewLines(3); }, {crlf, crlf, crlf}},
      {"no new lines",
       [](auto& r) {
         EXPECT_EQ(r.SendNewLines(0), PORT_OK);
         return r.SendNewLines(-4);
       },
       {}},
      {"text with its NUL", [](auto& r) { return r.SendText("Bi-d"); }, {{'B', 'i', '-', 'd', 0}}},
      {"print setup",
       [](auto& r) { return r.SendPrintSetup(10, 1, 0x12, 1); },
       {{0x1B, 0x40},
        {0x1B, 0x28, 0x47, 1, 0, 1},
        {0x1B, 0x28, 0x55, 1, 0, 0x0A},
        {0x1B, 0x55, 1},
        {0x1B, 0x28, 0x65, 2, 0, 0, 0x12},
        {0x1B, 0x28, 0x4B, 2, 0, 0, 1}}},
  };
  // Held or written at once, each emitter's bytes reach the port whole and in order.
  const auto joined = [](const std::vector<Bytes>& writes) {
    Bytes all;
    for (const Bytes& write : writes) all.insert(all.end(), write.begin(), write.end());
    return all;
  };
  for (const auto& c : cases) {
    script.writes.clear();
    EXPECT_EQ(c.emit(raster), PORT_OK) << c.name;
    EXPECT_EQ(raster.Port().Release(), PORT_OK) << c.name;
    EXPECT_EQ(joined(script.writes), joined(c.writes)) << c.name;
    EXPECT_LE(script.writes.size(), 2u) << c.name;
  }
}

TEST_F(RasterTest, RunsAndCommandsAreHeldUntilAPageEdgeOrAFullWrite) {
  EXPECT_EQ(raster.SendRun(1, 0x80), PORT_OK);
  EXPECT_EQ(raster.SendRun(2, 0x00), PORT_OK);
  EXPECT_EQ(raster.SendRun(0, 0x55), PORT_OK);
  EXPECT_EQ(raster.SendRun(129, 0xFF), PORT_OK);
  EXPECT_EQ(raster.SendEndBand(), PORT_OK);
  EXPECT_EQ(raster.SendRun(120, 0x00), PORT_OK);
  EXPECT_TRUE(script.writes.empty());
  EXPECT_EQ(raster.SendText("x"), PORT_OK);
  EXPECT_THAT(script.writes, ElementsAre(Bytes{0x00, 0x80, 0xFF, 0x00, 0x80, 0xFF, 0x1B, 0x3C, 0x0D,
                                               0x89, 0x00, 'x', 0x00}));

  // A long band goes out in writes of kHeldMost, each byte once and in order.
  script.writes.clear();
  constexpr int kRuns = 20'000;
  for (int run = 0; run < kRuns; ++run) {
    EXPECT_EQ(raster.SendRun(1, static_cast<uint8_t>(run)), PORT_OK);
    EXPECT_EQ(raster.SendEndBand(), PORT_OK);
  }
  EXPECT_EQ(raster.SendFormFeed(), PORT_OK);
  std::size_t total = 0;
  for (const Bytes& write : script.writes) total += write.size();
  EXPECT_EQ(total, kRuns * 5u + 1);
  EXPECT_EQ(script.writes.size(), kRuns * 5u / TPrinterPort::kHeldMost + 1);
  EXPECT_EQ(script.writes.front().size(), TPrinterPort::kHeldMost);
}

TEST_F(RasterTest, RunThatCannotBeEncodedEndsTheProgramWithoutSendingAnything) {
  for (const int count : {130, -1}) {
    script.writes.clear();
    EXPECT_EQ(raster.SendRun(5, 0x11), PORT_OK);
    try {
      EXPECT_EQ(raster.SendRun(count, 0x00), PORT_OK);
      FAIL() << "the program went on after a run of " << count;
    } catch (const testing::ProgramEnded& ended) {
      EXPECT_EQ(ended.notice.caption, "error");
      EXPECT_THAT(ended.notice.text, StartsWith("RepeatSend() error"));
      EXPECT_THAT(ended.notice.text, HasSubstr(std::to_string(count)));
    }
    EXPECT_EQ(raster.SendFormFeed(), PORT_OK);
    EXPECT_THAT(script.writes, ElementsAre(Bytes{0x0C})) << count;
  }
}

TEST_F(RasterTest, AHeldStreamFailsAtTheWriteThatReleasesIt) {
  script.accept_per_write = 0;
  const auto start = clock.Now();
  EXPECT_EQ(raster.SendNewLines(3), PORT_OK);
  EXPECT_EQ(raster.SendFormFeed(), ERR_SEND_TIMEOUT);
  EXPECT_LT(clock.Now() - start, std::chrono::seconds(11));
}

TEST_F(RasterTest, PrintStartMovesTwoLinesPerStep) {
  EXPECT_EQ(MovePrintStart(raster, 30), PORT_OK);
  EXPECT_EQ(raster.Port().Release(), PORT_OK);
  EXPECT_THAT(script.writes, ElementsAre(::testing::SizeIs(30u * 2 * 2)));
  script.writes.clear();
  EXPECT_EQ(MovePrintStart(raster, 0), PORT_OK);
  EXPECT_TRUE(script.writes.empty());
}

}  // namespace
}  // namespace opal

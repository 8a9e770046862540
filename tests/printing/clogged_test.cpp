#include "printing/clogged.h"

#include <gmock/gmock.h>

#include <string>
#include <utility>

#include "tests/printing/rasterfixture.h"
#include "tests/support/statusrecorder.h"

namespace opal {
namespace {

using testing::Bytes;
using ::testing::ElementsAre;
using ::testing::Pair;

class CloggedTest : public testing::RasterFixture {
 protected:
  StatusReport Recorder() {
    return [this](StatusMode mode, std::string_view text) {
      status.Report()(mode, text);
      writes_when_reported.push_back(script.writes.size());
    };
  }

  testing::StatusRecorder status;
  std::vector<std::size_t> writes_when_reported;
};

// The line feed after the caption goes out with the remote-mode bytes that follow it.
TEST_F(CloggedTest, StartsThePrintersOwnNozzleCheckInSixWrites) {
  EXPECT_EQ(PrintAllNozzleTestPattern(raster, Recorder()), PORT_OK);
  const std::string caption = "All Nozzle Test Pattern";
  Bytes caption_bytes(caption.begin(), caption.end());
  caption_bytes.push_back(0x00);
  EXPECT_THAT(script.writes,
              ElementsAre(caption_bytes,
                          Bytes{0x0D, 0x0A, 0x1B, 0x28, 0x52, 0x08, 0x00, 0x00, 'R', 'E', 'M', 'O',
                                'T', 'E', '1'},
                          Bytes{'L', 'D', 0x00, 0x00}, Bytes{'N', 'C', 0x02, 0x00, 0x00, 0x00},
                          Bytes{0x1B, 0x00, 0x00, 0x00}, Bytes{0x0C}));
  EXPECT_EQ(testing::Joined(script.writes).size(), 54u);
  EXPECT_THAT(status.lines,
              ElementsAre(Pair(StatusMode::Busy, "Nozzle check pattern is printing now."),
                          Pair(StatusMode::Done, "Recovery clogged head routine has completed.")));
  EXPECT_THAT(writes_when_reported, ElementsAre(0u, 6u));
}

TEST_F(CloggedTest, CheckThatNeverReachedThePrinterIsReportedAsAnError) {
  port.Close();
  EXPECT_EQ(PrintAllNozzleTestPattern(raster, Recorder()), ERR_PORT_NOT_OPEN);
  EXPECT_THAT(status.lines,
              ElementsAre(Pair(StatusMode::Busy, "Nozzle check pattern is printing now."),
                          Pair(StatusMode::Error, "Cannot open port.")));
}

}  // namespace
}  // namespace opal

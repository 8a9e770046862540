#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/cli/virtualopalctl.h"
#include "tests/support/pagestream.h"

namespace opal {
namespace {

using ::testing::IsEmpty;

class PrintCommandsTest : public testing::VirtualOpalctlTest {
 protected:
  std::vector<uint8_t> BidBytes() const {
    const auto eeprom = Eeprom();
    return {eeprom.begin() + 0x33, eeprom.begin() + 0x39};
  }
};

TEST_F(PrintCommandsTest, WrittenValueIsReadBackInItsLine) {
  const auto write = Run({"bid", "write", "6pl-color", "-33"});
  ASSERT_EQ(write.status, 0) << write.err;
  EXPECT_EQ(write.out, "As 6pl Color data, -33 has been written in EEPROM.\n");
  const auto read = Run({"bid", "read"});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_THAT(read.out, ::testing::MatchesRegex("Multi shot Black = -?[0-9]+, Multi shot Color = "
                                                "-?[0-9]+\nVSD 6pl Black = -?[0-9]+, VSD 6pl "
                                                "Color = -33\nVSD 4pl Black = -?[0-9]+, VSD 4pl "
                                                "Color = -?[0-9]+\n"));
}

TEST_F(PrintCommandsTest, ValueOutOfRangeIsRefusedBeforeAnythingIsSent) {
  for (const char* value : {"71", "-71", "abc", ""}) {
    const auto run = Run({"bid", "write", "ms-black", value});
    EXPECT_EQ(run.status, 2) << value;
    EXPECT_EQ(run.err, "Limitaion of adjustment value is -70 to 70\n") << value;
  }
  EXPECT_THAT(Capture(), IsEmpty());
}

TEST_F(PrintCommandsTest, BidCheckPageLeavesTheStoredValuesAsTheyWere) {
  ASSERT_EQ(Run({"bid", "write", "ms-black", "-41"}).status, 0);
  ASSERT_EQ(Run({"bid", "write", "4pl-color", "70"}).status, 0);
  const auto before = BidBytes();
  const auto run = Run({"print", "bid", "--position", "2"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Bi-d pattern is being printed out now.\nBi-d pattern print is completed.\n");
  EXPECT_EQ(BidBytes(), before);

  const auto capture = Capture();
  const auto stream = testing::DecodePageStream(capture);
  ASSERT_THAT(stream.error, IsEmpty());
  EXPECT_EQ(stream.Bands().size(), 6u * 33u);
  EXPECT_EQ(stream.Named("FF").size(), 2u);
  EXPECT_EQ(stream.elements.back().name, "FF");
}

TEST_F(PrintCommandsTest, EachPatternPrintsOnAPageOfItsOwn) {
  for (const char* name : {"beta-black", "halign-even", "bid-6pl-color"}) {
    const auto run = Run({"print", "pattern", name});
    EXPECT_EQ(run.status, 0) << name << run.err;
    EXPECT_EQ(Capture().back(), 0x0C) << name;
  }
  EXPECT_EQ(Run({"print", "pattern", "bid-8pl-black"}).status, 2);
}

}  // namespace
}  // namespace opal

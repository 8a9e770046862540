#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/linuxdevices.h"
#include "tests/link/umockdev/testbed.h"

namespace opal {
namespace {

using ::testing::ElementsAre;

constexpr const char* kParport0 =
    "P: /devices/platform/parport_pc.956/parport/parport0\nN: parport0\nE: SUBSYSTEM=ppdev\n\n"
    "P: /devices/platform/parport_pc.956/parport/parport0/lp0\nN: lp0\nE: SUBSYSTEM=printer\n";

// The device ID of a parallel printer comes from an IEEE 1284 negotiation on the port's ppdev
// node, which is claimed for it and always released and put back into compatibility mode.
TEST(ParportTest, TheDeviceIdIsNegotiatedThroughPpdev) {
  struct Case {
    const char* what;
    std::string answer;
    std::string text;
  };
  const std::string text = "MFG:VELTA;MDL:Corvane Opal 310;";
  const std::vector<Case> cases{
      {"the printer answers", testing::DeviceIdAnswer(text), text},
      {"the printer refuses the negotiation", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::Testbed bed;
    testing::ScriptedParport parport(c.answer);
    bed.Attach("/dev/parport0", parport);
    bed.Add(kParport0);
    LinuxPortProvider provider;

    OpenOutcome outcome = provider.Open(PortId::Lpt1);
    ASSERT_NE(outcome.device, nullptr) << outcome.detail;
    EXPECT_EQ(outcome.device->DeviceId(), c.text);
    EXPECT_THAT(parport.Calls(), ElementsAre("claim", "negotiate compat", "negotiate device id",
                                             "negotiate compat", "release"));
  }
}

}  // namespace
}  // namespace opal

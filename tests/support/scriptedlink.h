#pragma once

#include <gtest/gtest.h>

#include "link/factory.h"
#include "link/printerdriver.h"
#include "tests/support/fakes.h"
#include "tests/support/scripteddevice.h"

namespace opal::testing {

// The port, open on a USB port name, and the service commands over a device that records every
// write and answers from its script.
class ScriptedLinkTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK); }

  FakeClock clock;
  ThrowingExit exit;
  Script script;
  ScriptedProvider provider{script, clock};
  TPrinterPort port{provider, clock, exit};
  TFactoryCommand command{port};
};

}  // namespace opal::testing

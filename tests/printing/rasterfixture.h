#pragma once

#include <cstdint>
#include <vector>

#include "printing/raster.h"
#include "tests/support/pagestream.h"
#include "tests/support/scriptedlink.h"

namespace opal::testing {

using Bytes = std::vector<uint8_t>;

// The program's printing objects over a device that records every write.
class RasterFixture : public ScriptedLinkTest {
 protected:
  DecodedStream Decoded() const {
    const Bytes all = Joined(script.writes);
    return DecodePageStream(all);
  }

  TRasterPrinter raster{port, exit};
};

}  // namespace opal::testing

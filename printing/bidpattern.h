#pragma once

#include <array>
#include <cstdint>

#include "device/bid.h"
#include "link/factory.h"
#include "printing/raster.h"

namespace opal {

// One Bi-D check block: the stored value of the ink group and the four around it after
// "data = ", and under each a bidirectional trial printed with that value in force against
// unidirectional reference bars. `stored` must come from a checked read: the trials set the
// printer's values of this dot kind, and the block ends by setting back `stored` and reading it
// back, so printing never moves the technician's alignment. A trial whose values do not go out
// ends the trials at once. Returns the restore's failure (ERR_WRITE_NOT_HELD or
// ERR_WRITE_UNREADABLE, naming the value that may be left at a trial's), else the first trial
// that failed, else the result of the block's final SendInitialize.
Result PrintBidBlock(TRasterPrinter& raster, TFactoryCommand& command, BidKind kind,
                     uint8_t ink_group, const BidPair& stored);

// The block around the pair it reads first; a pair that cannot be read sends nothing and gives
// the read's code.
Result PrintBidPattern(TRasterPrinter& raster, TFactoryCommand& command, BidKind kind,
                       uint8_t ink_group);

// The Black and Color blocks of every dot kind, each followed by three line feeds. A block that
// fails ends it at once, so no later block writes to the printer's EEPROM over a failing link;
// a failing line feed does not. Returns the first failure or PORT_OK.
Result PrintBidBlocks(TRasterPrinter& raster, TFactoryCommand& command, const BidPairs& pairs);

}  // namespace opal

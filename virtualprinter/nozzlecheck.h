#pragma once

#include "virtualprinter/headcondition.h"
#include "virtualprinter/pagecanvas.h"

namespace vp {

// The printer's own nozzle check, kept in its memory and printed on the remote command "NC":
// under a line naming the inks, every nozzle of each ink's row prints one short line. The lines
// stand in a staircase of four steps, so each is clear of its neighbours and a clogged nozzle
// leaves a gap in the stairs (as `head` says). Prints with the top left corner at (left, top) and
// returns how far the paper moved, in pixels.
int PrintNozzleCheck(PageCanvas& page, int left, int top, const HeadCondition& head);

}  // namespace vp

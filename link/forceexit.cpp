#include "link/forceexit.h"

#include <cstdlib>

namespace opal {

void ForceExit(ProgramExit& exit) {
  exit.End({kApplicationTitle, kForceExitText});
  std::abort();  // an implementation of End that returned would break its contract
}

}  // namespace opal

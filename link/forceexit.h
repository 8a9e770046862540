#pragma once

#include "link/programexit.h"
#include "link/showntext.h"

namespace opal {

inline constexpr const char* kApplicationTitle = "Corvane Opal 310_320";
inline constexpr const char* kForceExitText =
    OPAL_TEXT("Core", "Printer is error or power off status.\nThis program is closed by force.");

// Ends the program when the printer no longer answers.
[[noreturn]] void ForceExit(ProgramExit& exit);

}  // namespace opal

#pragma once

#include "ui/seams/printerworker.h"
#include "ui/servicecontext.h"

namespace opal::ui {

// How the program watches its printer work: past a second the busy form says what the printer
// is doing and how far it has come, and a window closed meanwhile asks, stops the work where
// nothing is half-done (never amid a stream nor inside a journaled write), closes the port and
// ends the program.
WorkWatch PrinterWorkWatch(ServiceContext& context);

// The line that says what the printer is doing, for the traffic seen and the time it has run.
QString PrinterWorkLine(const PortTraffic& traffic, std::chrono::milliseconds running);

}  // namespace opal::ui

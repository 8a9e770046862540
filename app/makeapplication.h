#pragma once

#include <memory>

#include "app/options.h"
#include "app/serviceapplication.h"

namespace opal::app {

// What the command line came to when it was read before the application was made: Qt takes its
// own options (-platform, -style, ...) out of the command line only then, so a refusal here may
// yet be lifted.
struct EarlyReading {
  ParsedOptions parsed;
  std::string out;
  std::string err;
};

// Reads the command line before the application is made, keeping what it would print.
EarlyReading ReadCommandLineEarly(int argc, char** argv);

// Makes the program's application. Where no display can be opened Qt would abort the process;
// it ends instead with the early reading's message and status when that refused the command
// line (a usage error must be told over ssh too), otherwise with Qt's reason and status 1.
std::unique_ptr<ServiceApplication> MakeApplication(int& argc, char** argv,
                                                    const EarlyReading& early);

}  // namespace opal::app

#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/fakes.h"

namespace opal::testing {

// The clock recorded traces run on, and their replays: the same minute every time, since a USB
// ID write sends its stamp.
FakeClock TraceClock();

// The text of a trace file, plain or gzip-compressed (".gz"); throws std::runtime_error when it
// cannot be read.
std::string ReadTraceText(const std::filesystem::path& file);
// Writes `text` gzip-compressed.
void WriteCompressed(const std::filesystem::path& file, const std::string& text);

// The bytes of `text` as a trace line writes them: "4b 34".
std::string HexRun(const std::string& text);

// The command line a trace names as opalctl's arguments: its words after "opalctl".
std::vector<std::string> RecordedArguments(const std::string& command);

}  // namespace opal::testing

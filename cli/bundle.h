#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "link/tracefile.h"

namespace opal::cli {

// One file of an archive: its name inside it and its text.
using ArchivedFile = std::pair<std::string, std::string>;

// A gzip-compressed tar (ustar) archive of `files`, each dated `time`.
std::vector<uint8_t> TarGz(const std::vector<ArchivedFile>& files, std::time_t time);

// A trace as it may leave the bench: one recorded with IDs kept is masked as it would have been.
std::string TraceForBundle(const TraceRead& trace);

// The last `count` entries of the journal, one line each, USB IDs and the bytes written into
// them masked.
std::string JournalForBundle(const std::filesystem::path& journal_file, std::size_t count);

// Writes the support bundle to `file`: the doctor's `findings`, both programs' versions, the
// kernel and distribution, the last traces and the journal's last entries, serials masked.
// Returns what went wrong, nullopt when it is written.
std::optional<std::string> WriteBundle(const std::filesystem::path& file,
                                       const std::string& findings,
                                       const std::filesystem::path& journal_file);

}  // namespace opal::cli

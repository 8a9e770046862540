#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "device/eeprom.h"

namespace opal::cli {

// Why `path` cannot take a backup: it exists and is not a regular file (a device, a FIFO, a
// directory, or a symbolic link, which is not followed). nullopt when a backup may go there.
std::optional<std::string> BackupTargetRefusal(const std::filesystem::path& path);

// Writes the image through a temporary file created beside `path` (never through anything that
// is already there), flushed to the disk, then renamed over `path`, so an earlier backup is never
// lost half-way and nothing but `path` is replaced. The temporary is removed on failure. Returns
// what went wrong, nullopt on success.
std::optional<std::string> SaveBackup(const std::filesystem::path& path, const EepromImage& image);
// The same for any bytes.
std::optional<std::string> SaveFile(const std::filesystem::path& path,
                                    std::span<const uint8_t> bytes);

// The 256 bytes of a backup. Only a regular file is read, without waiting on a FIFO or following
// a link, and never more than one byte past what a backup holds. nullopt with `problem` set when
// the file cannot be used.
std::optional<EepromImage> LoadBackup(const std::filesystem::path& path, std::string& problem);

}  // namespace opal::cli

#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

// An open file descriptor, closed with its owner.
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(int fd) : fd_(fd) {}
  FileHandle(FileHandle&& other) noexcept;
  FileHandle& operator=(FileHandle&& other) noexcept;
  ~FileHandle();

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// A folder of the printer's files, reached through a descriptor and entered by plain names only,
// so a link planted in place of the folder's files or sub-folders never leads a read or a write
// elsewhere. Every file it gives or takes must be a regular file of its own.
class StateFolder {
 public:
  // Opens the directory `path`; the path itself may pass through links, as the user named it.
  explicit StateFolder(std::filesystem::path path);

  const std::filesystem::path& Path() const { return path_; }
  // The sub-folder `name`, made when missing. Refused when it is a link or not a directory.
  StateFolder Child(std::string_view name) const;
  std::vector<std::string> Names() const;

  // Refused when `name` is there and is a link, not a regular file or a file with other names.
  void RequireOwnFileIfPresent(std::string_view name) const;
  // The whole file, refused when it is a link, not a regular file or larger than `limit` bytes.
  std::vector<uint8_t> Read(std::string_view name, std::size_t limit) const;
  // Readers see the old content or the new one: the bytes go to a temporary file made beside the
  // target, reach the disk, and only then take its name. Refused when the target is not a regular
  // file. New files get the user's umask.
  void Replace(std::string_view name, std::span<const uint8_t> bytes) const;
  // Puts what was written to `name` in place on the disk.
  void Sync(std::string_view name) const;
  // As Replace, but never over an existing file: false when `name` is taken.
  bool Add(std::string_view name, std::span<const uint8_t> bytes) const;
  // The regular file `name`, made when missing, opened for appending.
  FileHandle OpenToAppend(std::string_view name) const;
  // The regular file `name`, which must be there, opened for writing in place.
  FileHandle OpenToOverwrite(std::string_view name) const;
  // Removes what an interrupted Replace or Add left behind for a file whose name `ours` accepts.
  void RemoveTemporaries(const std::function<bool(std::string_view)>& ours) const;

 private:
  StateFolder(std::filesystem::path path, FileHandle fd);
  std::filesystem::path Within(std::string_view name) const { return path_ / name; }
  // The name of a new temporary file beside `name` that holds `bytes`, on the disk.
  std::string WriteTemporary(std::string_view name, std::span<const uint8_t> bytes) const;

  std::filesystem::path path_;
  FileHandle fd_;
};

// Writes all of `bytes`; false with errno set when the file takes no more.
bool WriteAll(int fd, std::span<const uint8_t> bytes);
// As WriteAll, at `offset` of the file.
bool WriteAllAt(int fd, std::span<const uint8_t> bytes, off_t offset);

}  // namespace vp

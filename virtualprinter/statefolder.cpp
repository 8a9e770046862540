#include "virtualprinter/statefolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <stdexcept>
#include <utility>

namespace vp {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kTemporaryTail = 6;  // random letters after ".NAME."
constexpr int kTemporaryAttempts = 100;

[[noreturn]] void FailAsLink(const fs::path& file) {
  throw std::runtime_error(file.string() +
                           " is a link; the printer's files must be plain files in its folder");
}

// O_NOFOLLOW meeting a link fails with ELOOP.
[[noreturn]] void FailWithError(const std::string& what, const fs::path& file, int error) {
  if (error == ELOOP) FailAsLink(file);
  throw std::runtime_error(what + " " + file.string() + ": " + std::strerror(error));
}

[[noreturn]] void FailWithErrno(const std::string& what, const fs::path& file) {
  FailWithError(what, file, errno);
}

// A file that has another name elsewhere would take the printer's bytes there too.
void RequireOwnRegular(const struct stat& status, const fs::path& file) {
  if (S_ISLNK(status.st_mode)) FailAsLink(file);
  if (!S_ISREG(status.st_mode)) throw std::runtime_error(file.string() + " is not a regular file");
  if (status.st_nlink > 1) {
    throw std::runtime_error(file.string() +
                             " has other names (hard links); the printer's files must be its own");
  }
}

void RequireRegular(int fd, const fs::path& file) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) FailWithErrno("cannot examine", file);
  RequireOwnRegular(status, file);
}

std::string TemporaryName(std::string_view name) {
  static constexpr std::string_view kLetters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::minstd_rand random(std::random_device{}());
  std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
  std::string temporary = "." + std::string(name) + ".";
  for (std::size_t i = 0; i < kTemporaryTail; ++i) temporary += kLetters[pick(random)];
  return temporary;
}

// The file a temporary of that name stands in for; empty when the name is no temporary.
std::string_view TemporaryTarget(std::string_view name) {
  if (name.size() <= kTemporaryTail + 2 || name.front() != '.') return {};
  const std::size_t dot = name.size() - kTemporaryTail - 1;
  const bool tail_ok =
      name[dot] == '.' &&
      std::all_of(name.begin() + static_cast<long>(dot) + 1, name.end(),
                  [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
  return tail_ok ? name.substr(1, dot - 1) : std::string_view();
}

}  // namespace

FileHandle::FileHandle(FileHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

FileHandle::~FileHandle() {
  if (fd_ >= 0) ::close(fd_);
}

namespace {

// Calls `write(data, size, done)` until every byte is written; false with errno set when the
// file takes no more.
template <typename Write>
bool WriteEvery(std::span<const uint8_t> bytes, Write write) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = write(bytes.data() + done, bytes.size() - done, done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = EIO;
      return false;
    }
    done += static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
  return WriteEvery(bytes, [fd](const uint8_t* data, std::size_t size, std::size_t) {
    return ::write(fd, data, size);
  });
}

bool WriteAllAt(int fd, std::span<const uint8_t> bytes, off_t offset) {
  return WriteEvery(bytes, [fd, offset](const uint8_t* data, std::size_t size, std::size_t done) {
    return ::pwrite(fd, data, size, offset + static_cast<off_t>(done));
  });
}

StateFolder::StateFolder(fs::path path) : path_(std::move(path)) {
  fd_ = FileHandle(::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd_) FailWithErrno("cannot open the folder", path_);
}

StateFolder::StateFolder(fs::path path, FileHandle fd)
    : path_(std::move(path)), fd_(std::move(fd)) {}

StateFolder StateFolder::Child(std::string_view name) const {
  const std::string entry(name);
  if (::mkdirat(fd_.get(), entry.c_str(), 0777) != 0 && errno != EEXIST) {
    FailWithErrno("cannot make the folder", Within(name));
  }
  FileHandle child(
      ::openat(fd_.get(), entry.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!child) {
    if (errno == ELOOP || errno == ENOTDIR) {
      throw std::runtime_error(Within(name).string() + " is a link or not a folder");
    }
    FailWithErrno("cannot open the folder", Within(name));
  }
  return StateFolder(Within(name), std::move(child));
}

std::vector<std::string> StateFolder::Names() const {
  // The listing gets a descriptor of its own: closedir closes it.
  const int listing = ::openat(fd_.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* const dir = listing < 0 ? nullptr : ::fdopendir(listing);
  if (dir == nullptr) {
    if (listing >= 0) ::close(listing);
    FailWithErrno("cannot list", path_);
  }
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(dir);
  return names;
}

std::vector<uint8_t> StateFolder::Read(std::string_view name, std::size_t limit) const {
  const fs::path file = Within(name);
  // Not blocking, so a FIFO planted in the folder is refused instead of waited on.
  const FileHandle fd(::openat(fd_.get(), std::string(name).c_str(),
                               O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (!fd) {
    if (errno == ENOENT) throw std::runtime_error(file.string() + " is missing");
    FailWithErrno("cannot read", file);
  }
  RequireRegular(fd.get(), file);
  std::vector<uint8_t> bytes;
  uint8_t chunk[4096];
  for (;;) {
    const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) FailWithErrno("cannot read", file);
    if (got == 0) return bytes;
    bytes.insert(bytes.end(), chunk, chunk + got);
    if (bytes.size() > limit) {
      throw std::runtime_error(file.string() + " is larger than " + std::to_string(limit) +
                               " bytes");
    }
  }
}

std::string StateFolder::WriteTemporary(std::string_view name,
                                        std::span<const uint8_t> bytes) const {
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    std::string temporary = TemporaryName(name);
    const int fd = ::openat(fd_.get(), temporary.c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) FailWithErrno("cannot create a temporary file for", Within(name));
    int error = 0;
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
      ::unlinkat(fd_.get(), temporary.c_str(), 0);
      FailWithError("cannot write", Within(name), error);
    }
    return temporary;
  }
  throw std::runtime_error("cannot create a temporary file for " + Within(name).string());
}

void StateFolder::Sync(std::string_view name) const {
  const std::string target(name);
  const int fd = ::openat(fd_.get(), target.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) FailWithErrno("cannot open", Within(name));
  int error = ::fsync(fd) == 0 ? 0 : errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) FailWithError("cannot write", Within(name), error);
}

void StateFolder::RequireOwnFileIfPresent(std::string_view name) const {
  struct stat status {};
  if (::fstatat(fd_.get(), std::string(name).c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
    RequireOwnRegular(status, Within(name));
  }
}

void StateFolder::Replace(std::string_view name, std::span<const uint8_t> bytes) const {
  const std::string target(name);
  RequireOwnFileIfPresent(name);
  const std::string temporary = WriteTemporary(name, bytes);
  if (::renameat(fd_.get(), temporary.c_str(), fd_.get(), target.c_str()) != 0) {
    const int error = errno;
    ::unlinkat(fd_.get(), temporary.c_str(), 0);
    FailWithError("cannot write", Within(name), error);
  }
}

bool StateFolder::Add(std::string_view name, std::span<const uint8_t> bytes) const {
  const std::string target(name);
  const std::string temporary = WriteTemporary(name, bytes);
  if (::renameat2(fd_.get(), temporary.c_str(), fd_.get(), target.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  const int error = errno;
  ::unlinkat(fd_.get(), temporary.c_str(), 0);
  if (error == EEXIST) return false;
  FailWithError("cannot write", Within(name), error);
}

FileHandle StateFolder::OpenToAppend(std::string_view name) const {
  FileHandle fd(::openat(fd_.get(), std::string(name).c_str(),
                         O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                         0666));
  if (!fd) FailWithErrno("cannot open", Within(name));
  RequireRegular(fd.get(), Within(name));
  return fd;
}

FileHandle StateFolder::OpenToOverwrite(std::string_view name) const {
  FileHandle fd(::openat(fd_.get(), std::string(name).c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC));
  if (!fd) FailWithErrno("cannot open", Within(name));
  RequireRegular(fd.get(), Within(name));
  return fd;
}

void StateFolder::RemoveTemporaries(const std::function<bool(std::string_view)>& ours) const {
  for (const std::string& name : Names()) {
    const std::string_view target = TemporaryTarget(name);
    // One that cannot be removed does no harm: it is never read.
    if (!target.empty() && ours(target)) ::unlinkat(fd_.get(), name.c_str(), 0);
  }
}

}  // namespace vp

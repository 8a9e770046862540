#include "cli/backupfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

namespace opal::cli {
namespace {

namespace fs = std::filesystem;

// Closes the descriptor it holds when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now, so a failing close (a full disk on some file systems) can be seen.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

std::string NotRegular(const fs::path& path) {
  return path.string() + " is not a regular file.";
}

std::string WithReason(const std::string& text, int error) {
  return text + ": " + std::strerror(error);
}

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

std::string RandomSuffix() {
  static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device device;
  std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
  std::string suffix;
  for (int i = 0; i < 8; ++i) suffix += kLetters[pick(device)];
  return suffix;
}

// A new file of our own beside `path`: created exclusively and without following a link, so a
// name someone planted there is never written through. Mode 0666 lets the umask decide.
int CreateTemporary(const fs::path& path, fs::path& temporary) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    temporary = path;
    temporary += ".partial-" + RandomSuffix();
    const int fd =
        open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The rename is durable only once its directory is on the disk too.
void SyncDirectoryOf(const fs::path& path) {
  const fs::path parent = path.has_parent_path() ? path.parent_path() : fs::path(".");
  const Descriptor directory(open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.get() >= 0) fsync(directory.get());
}

std::optional<std::string> WriteTemporary(int fd, std::span<const uint8_t> bytes) {
  if (!WriteAll(fd, bytes)) return std::strerror(errno);
  if (fsync(fd) != 0) return std::strerror(errno);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> BackupTargetRefusal(const fs::path& path) {
  struct stat status {};
  if (lstat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode)) return std::nullopt;
  return NotRegular(path) + " Nothing was written.";
}

std::optional<std::string> SaveBackup(const fs::path& path, const EepromImage& image) {
  return SaveFile(path, image);
}

std::optional<std::string> SaveFile(const fs::path& path, std::span<const uint8_t> bytes) {
  if (auto refusal = BackupTargetRefusal(path)) return refusal;
  const std::string cannot = "Cannot write " + path.string();
  fs::path temporary;
  Descriptor file(CreateTemporary(path, temporary));
  if (file.get() < 0) return WithReason(cannot, errno);
  std::optional<std::string> problem = WriteTemporary(file.get(), bytes);
  if (!file.Close() && !problem) problem = std::strerror(errno);
  if (!problem) {
    // Checked again at the last moment: what is at `path` may have changed while we read.
    if (auto refusal = BackupTargetRefusal(path)) {
      unlink(temporary.c_str());
      return refusal;
    }
    if (rename(temporary.c_str(), path.c_str()) != 0) problem = std::strerror(errno);
  }
  if (problem) {
    unlink(temporary.c_str());
    return cannot + ": " + *problem;
  }
  SyncDirectoryOf(path);
  return std::nullopt;
}

std::optional<EepromImage> LoadBackup(const fs::path& path, std::string& problem) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer that may never come.
  const Descriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
  if (file.get() < 0) {
    problem = errno == ELOOP ? NotRegular(path) : WithReason("Cannot read " + path.string(), errno);
    return std::nullopt;
  }
  struct stat status {};
  if (fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
    problem = NotRegular(path);
    return std::nullopt;
  }
  // One byte more than a backup holds tells a longer file from an exact one.
  std::array<uint8_t, kEepromSize + 1> bytes{};
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t count = read(file.get(), bytes.data() + got, bytes.size() - got);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      problem = WithReason("Cannot read " + path.string(), errno);
      return std::nullopt;
    }
    if (count == 0) break;
    got += static_cast<std::size_t>(count);
  }
  if (got != kEepromSize) {
    problem = path.string() + " is not a 256-byte EEPROM backup.";
    return std::nullopt;
  }
  EepromImage image{};
  std::copy_n(bytes.begin(), kEepromSize, image.begin());
  return image;
}

}  // namespace opal::cli

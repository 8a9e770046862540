#pragma once

#include <filesystem>
#include <string>

namespace opal::testing {

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The whole content of `path`; empty when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);

}  // namespace opal::testing

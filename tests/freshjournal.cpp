#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

namespace {

// Every test starts with an empty service journal of its own: what one test leaves unsettled
// must not be found by the next, whose printer may well have the same identity. Its settings are
// its own too, so no test forwards to a shop the user configured.
class FreshJournalHome final : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
      if (const char* old = std::getenv(name)) saved_[name] = old;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "opal-journal-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    home_ = pattern;
    ::setenv("XDG_DATA_HOME", pattern.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home_ / "config").c_str(), 1);
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
      if (const auto old = saved_.find(name); old != saved_.end()) {
        ::setenv(name, old->second.c_str(), 1);
      } else {
        ::unsetenv(name);
      }
    }
    std::error_code ignored;
    if (!home_.empty()) std::filesystem::remove_all(home_, ignored);
    home_.clear();
    saved_.clear();
  }

  std::map<std::string, std::string> saved_;
  std::filesystem::path home_;
};

const bool kRegistered = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshJournalHome);
  return true;
}();

}  // namespace

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace {

// Every test starts with an empty service journal of its own: what one test leaves unsettled
// must not be found by the next, whose printer may well have the same identity.
class FreshJournalHome final : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    if (const char* old = std::getenv("XDG_DATA_HOME")) saved_ = old;
    std::string pattern = (std::filesystem::temp_directory_path() / "opal-journal-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    home_ = pattern;
    ::setenv("XDG_DATA_HOME", pattern.c_str(), 1);
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    if (saved_) {
      ::setenv("XDG_DATA_HOME", saved_->c_str(), 1);
    } else {
      ::unsetenv("XDG_DATA_HOME");
    }
    std::error_code ignored;
    if (!home_.empty()) std::filesystem::remove_all(home_, ignored);
    home_.clear();
    saved_.reset();
  }

  std::optional<std::string> saved_;
  std::filesystem::path home_;
};

const bool kRegistered = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshJournalHome);
  return true;
}();

}  // namespace

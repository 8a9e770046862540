#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace opal {
namespace {

namespace fs = std::filesystem;

const std::set<std::string> kFolders{
    "link", "device", "maintenance", "printing",       "service", "ui",
    "app",  "cli",    "virtualport", "virtualprinter", "report"};

std::string Read(const fs::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The folders named in backquotes in the README's sentence that begins "May include".
std::set<std::string> Allowed(const std::string& readme) {
  const auto start = readme.find("May include");
  if (start == std::string::npos) return {};
  static const std::regex kSentenceEnd(R"(\.(\s|$))");
  std::smatch end;
  const std::string rest = readme.substr(start);
  std::string sentence =
      std::regex_search(rest, end, kSentenceEnd) ? rest.substr(0, end.position()) : rest;
  // What follows "never" is what the folder must not include.
  sentence = sentence.substr(0, sentence.find("never"));
  std::set<std::string> allowed;
  static const std::regex kNamed("`([a-z]+)/?`");
  for (auto it = std::sregex_iterator(sentence.begin(), sentence.end(), kNamed);
       it != std::sregex_iterator(); ++it) {
    if (kFolders.contains((*it)[1])) allowed.insert((*it)[1]);
  }
  return allowed;
}

// Every other folder of the program that the folder's sources include, with one file that does.
std::map<std::string, std::string> Included(const fs::path& folder) {
  std::map<std::string, std::string> found;
  static const std::regex kInclude(R"re(#include "([a-z]+)/)re");
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const auto extension = entry.path().extension();
    if (extension != ".h" && extension != ".cpp") continue;
    const std::string text = Read(entry.path());
    for (auto it = std::sregex_iterator(text.begin(), text.end(), kInclude);
         it != std::sregex_iterator(); ++it) {
      const std::string named = (*it)[1];
      if (kFolders.contains(named) && named != folder.filename()) {
        found.emplace(named, entry.path().filename().string());
      }
    }
  }
  return found;
}

TEST(IncludeRules, EveryFolderIncludesOnlyWhatItsReadmeAllows) {
  const fs::path root = OPAL_SOURCE_DIR;
  for (const std::string& folder : kFolders) {
    SCOPED_TRACE(folder);
    const std::set<std::string> allowed = Allowed(Read(root / folder / "README.md"));
    for (const auto& [included, by] : Included(root / folder)) {
      EXPECT_TRUE(allowed.contains(included))
          << by << " includes " << included << "/, which " << folder << "/README.md does not allow";
    }
  }
}

TEST(IncludeRules, TheSentenceIsReadAsWritten) {
  using ::testing::ElementsAre;
  EXPECT_THAT(Allowed("No Qt. May include `link/` and `device`, never `ui/`. Not `cli/`."),
              ElementsAre("device", "link"));
  EXPECT_THAT(Allowed("It includes nothing of the program."), ::testing::IsEmpty());
}

}  // namespace
}  // namespace opal

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/virtualprinter/printerfixture.h"
#include "virtualprinter/statestore.h"

namespace vp::testing {
namespace {

namespace fs = std::filesystem;

// What a generated printer.json must do; garbage may happen to be settings or not.
enum class Outcome { kLoads, kRefused, kEither };

struct Generated {
  std::string name;
  std::string text;
  Outcome outcome = Outcome::kEither;
};

// Settings that keep, under a key the printer does not know, arrays and objects in turn `depth`
// levels deep around `innermost`.
std::string NestedSettings(int depth, const std::string& innermost) {
  std::string open;
  std::string close;
  for (int level = 0; level < depth; ++level) {
    const bool object = level % 2 == 1;
    open += object ? R"({"k": )" : "[";
    close += object ? '}' : ']';
  }
  std::reverse(close.begin(), close.end());
  return R"({"model": "310", "kept": )" + open + innermost + close + "}";
}

// As a fuzzer takes a valid file apart: bytes and tokens put in, ranges cut out or doubled.
std::string Mutated(std::string text, std::mt19937& random) {
  static const std::vector<std::string> kTokens{
      "[", "]",      "{",       "}",    "\"",           ",",       ":",
      "0", "-1e999", "\\u0000", "null", "[[[[[[[[[[[[", R"({"a":)"};
  const auto at = [&](std::size_t size) {
    return std::uniform_int_distribution<std::size_t>(0, size)(random);
  };
  const int mutations = std::uniform_int_distribution<int>(1, 4)(random);
  for (int k = 0; k < mutations; ++k) {
    const std::size_t from = at(text.size());
    const std::size_t length = at(std::min<std::size_t>(40, text.size() - from));
    switch (std::uniform_int_distribution<int>(0, 3)(random)) {
      case 0:
        text.insert(from, kTokens[at(kTokens.size() - 1)]);
        break;
      case 1:
        text.erase(from, length);
        break;
      case 2:
        text.insert(from, text.substr(from, length));
        break;
      default:
        text.insert(from, 1, static_cast<char>(at(255)));
        break;
    }
  }
  return text;
}

class GeneratedSettingsTest : public ::testing::Test {
 protected:
  GeneratedSettingsTest() {
    VirtualPrinter fresh(dir_);
    factory_ = Text(ReadFile(SettingsFile()));
  }

  fs::path SettingsFile() const { return dir_ / "printer.json"; }

  // Whatever loads is saved, and what was saved loads and saves again to the same text; whatever
  // does not load is refused naming the file.
  void LoadSaveLoad(const Generated& generated) {
    SCOPED_TRACE(generated.name);
    std::ofstream(SettingsFile(), std::ios::binary | std::ios::trunc) << generated.text;
    std::optional<VirtualPrinter> loaded;
    try {
      loaded.emplace(dir_);
    } catch (const std::runtime_error& error) {
      EXPECT_NE(generated.outcome, Outcome::kLoads) << error.what();
      EXPECT_NE(std::string(error.what()).find("printer.json"), std::string::npos) << error.what();
      return;
    }
    EXPECT_NE(generated.outcome, Outcome::kRefused);
    try {
      loaded->SetFaults(loaded->GetFaults());
      const Bytes saved = ReadFile(SettingsFile());
      VirtualPrinter reloaded(dir_);
      reloaded.SetFaults(reloaded.GetFaults());
      EXPECT_EQ(Text(ReadFile(SettingsFile())), Text(saved));
    } catch (const std::exception& error) {
      ADD_FAILURE() << "settings that loaded did not save and load again: " << error.what();
    }
  }

  opal::testing::TempDir temp_;
  fs::path dir_ = temp_.path() / "printer";
  std::string factory_;
};

TEST_F(GeneratedSettingsTest, NestedSettingsLoadSaveAndLoadAgainOrAreRefused) {
  std::vector<Generated> cases;
  for (int depth : {1, 8}) {
    cases.push_back(
        {"depth " + std::to_string(depth), NestedSettings(depth, "7"), Outcome::kLoads});
  }
  for (int depth = 28; depth <= 36; ++depth) {
    cases.push_back({"depth " + std::to_string(depth), NestedSettings(depth, "7")});
  }
  for (int depth : {1'000, 5'300, 200'000}) {
    cases.push_back(
        {"depth " + std::to_string(depth), NestedSettings(depth, "7"), Outcome::kRefused});
  }
  // Values enough that indenting each 20 levels deep when saved takes the file past what a load
  // accepts, though they take a twentieth of it.
  constexpr int kDepth = 20;
  std::string values = "[0";
  for (std::size_t k = 0; k < StateStore::kMaxSettingsBytes / (2 * kDepth); ++k) values += ",0";
  cases.push_back({"wide at depth 20", NestedSettings(kDepth, values + "]"), Outcome::kLoads});
  for (const Generated& generated : cases) LoadSaveLoad(generated);
}

TEST_F(GeneratedSettingsTest, BrokenSettingsLoadSaveAndLoadAgainOrAreRefused) {
  std::mt19937 random(20240611);
  for (int k = 0; k < 300; ++k) {
    LoadSaveLoad({"mutation " + std::to_string(k), Mutated(factory_, random)});
  }
  for (int k = 0; k < 30; ++k) {
    std::string bytes(std::uniform_int_distribution<std::size_t>(0, 64)(random), '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    LoadSaveLoad({"random bytes " + std::to_string(k), bytes, Outcome::kRefused});
  }
}

}  // namespace
}  // namespace vp::testing

#include "link/models.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

namespace opal {
namespace {

// What every row of the model table must hold, so a new model is one row and this test.
TEST(ModelTable, EveryRowIsWholeAndFoundByItsName) {
  std::set<std::string_view> keys;
  for (const ModelEntry& entry : kModels) {
    SCOPED_TRACE(std::string(entry.name));
    EXPECT_EQ(ModelNamedIn("MFG:VELTA;MDL:" + std::string(entry.name) + ";"), entry.model);
    EXPECT_EQ(ModelName(entry.model), entry.name);
    for (const ModelEntry& other : kModels) {
      if (&other != &entry) {
        EXPECT_EQ(entry.name.find(other.name), std::string_view::npos);
      }
    }
    if (entry.key.empty()) {
      EXPECT_TRUE(entry.sheet_line.empty()) << "a model not offered is not named on the sheet";
      continue;
    }
    EXPECT_TRUE(keys.insert(entry.key).second) << "keys are unique";
    EXPECT_EQ(ModelKeyed(entry.key), entry.model);
    EXPECT_TRUE(entry.sheet_line.ends_with(entry.name));
    EXPECT_LE(entry.identity_text.size(), 16u);
  }
}

TEST(ModelTable, OnlyModelsWithAKeyAreOffered) {
  EXPECT_THAT(OfferedModels(),
              ::testing::ElementsAre(PrinterModel::Opal310, PrinterModel::Opal320));
  EXPECT_THAT(OfferedModelKeys(), ::testing::ElementsAre("310", "320"));
  EXPECT_EQ(ModelKeyed(""), PrinterModel::None);
  EXPECT_EQ(ModelKeyed("QX-310C"), PrinterModel::None);
  EXPECT_EQ(ModelEntryOf(PrinterModel::None), nullptr);
}

}  // namespace
}  // namespace opal

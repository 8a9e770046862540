#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTest>
#include <cstdlib>
#include <fstream>

#include "service/journalstore.h"
#include "tests/support/pgserver.h"
#include "tests/ui/support/uiworld.h"
#include "ui/forms/boot.h"
#include "ui/widgets/shopstateline.h"

namespace opal::testing {
namespace {

namespace fs = std::filesystem;

void ConfigureShop(const std::string& connection) {
  const fs::path folder = fs::path(std::getenv("XDG_CONFIG_HOME")) / "opal-service";
  fs::create_directories(folder);
  std::ofstream(folder / "shop.conf") << "bench = bench-7\nconnection = " << connection << '\n';
}

void AddEntry() {
  JournalStore store(DefaultJournalFile());
  JournalEntry entry;
  entry.time = "2026-03-02 10:00:00";
  entry.operation = "Bi-D write";
  entry.state = std::string(kStateDone);
  entry.changes = {{0x10, 1, 2}};
  ASSERT_TRUE(store.AddEntry(entry)) << store.Problem();
}

// The line as the start-up form shows it.
ui::ShopStateLine& Line(UiWorld& world) {
  world.forms.FormBoot->show();
  auto* line = world.forms.FormBoot->findChild<ui::ShopStateLine*>("ShopStateLbl");
  EXPECT_NE(line, nullptr);
  return *line;
}

TEST(ShopStateLine, WithoutAShopTheStartUpFormShowsNothingOfIt) {
  UiWorld world;
  QTRY_VERIFY(!Line(world).isVisible());
}

TEST(ShopStateLine, SaysWhatWaitsWhileTheShopIsAwayAndForwardsItWhenItAnswers) {
  AddEntry();
  // Nothing listens on port 1: refused at once.
  ConfigureShop("host=127.0.0.1 port=1 dbname=shop connect_timeout=2");
  {
    UiWorld world;
    const ui::ShopStateLine& line = Line(world);
    QTRY_COMPARE_WITH_TIMEOUT(line.text().contains("not reachable, 1 change pending"), true, 10000);
    EXPECT_TRUE(line.text().contains("(bench bench-7)"));
  }
  PostgresServer server;
  OPAL_NEED_POSTGRES(server);
  ConfigureShop(server.Connection());
  // The failed attempt above set a back-off; a journal that waited it out forwards at once.
  ASSERT_TRUE(JournalStore(DefaultJournalFile()).ForwardFailed(1, 0, ""));
  UiWorld world;
  const ui::ShopStateLine& line = Line(world);
  QTRY_COMPARE_WITH_TIMEOUT(line.text().contains("Shop: reachable, nothing pending"), true, 10000);
  std::string rows;
  ASSERT_TRUE(server.Psql("SELECT bench, operation FROM entry_revisions", rows));
  EXPECT_EQ(rows, "bench-7|Bi-D write\n");
}

}  // namespace
}  // namespace opal::testing

#pragma once

#include <cstdint>
#include <string>

#include "link/timing.h"
#include "service/journalstore.h"
#include "service/shopconfig.h"

namespace opal {

// What the bench knows of the shop: for `opalctl shop status` and the start-up form.
struct ShopState {
  ShopConfig config;
  bool reached = false;
  Forwarding forwarding;
  std::string problem;  // why the shop could not be reached or the journal not read
};

// Of one attempt to bring the journal's changes to the shop.
struct ShopSync {
  bool done = false;  // the shop holds every change the journal had
  int64_t forwarded = 0;
  std::string problem;
};

// Seconds to wait after `failures` attempts in a row failed: twice as long each time, from 10 s
// up to 10 minutes.
int64_t BackoffSeconds(int failures);
// Whether the back-off since the last failure has run out.
bool ForwardingDue(const Forwarding& state, const Clock& clock);

// Forwards every change the shop does not hold yet, oldest first, a batch to a transaction; the
// journal notes each batch the shop committed, so nothing is sent twice and a batch cut short is
// sent again whole, which the shop takes as the one it has. A failure is noted with the time of
// the next attempt. Connects itself, at most for libpq's connect_timeout.
ShopSync ForwardToShop(JournalStore& store, const ShopConfig& config, const Clock& clock);

// As ForwardToShop when the back-off allows and something waits; otherwise does nothing and
// reports done when nothing waits.
ShopSync ForwardIfDue(JournalStore& store, const ShopConfig& config, const Clock& clock);

// Whether the shop answers and where forwarding stands; reaches the shop only to ask.
ShopState ShopStatus(const std::filesystem::path& journal_file, const ShopConfig& config);

// "The shop holds every change of this bench's journal." or how many wait, and why.
std::string ShopStateLine(const ShopState& state);

}  // namespace opal

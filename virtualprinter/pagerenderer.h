#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "virtualprinter/pagecanvas.h"

namespace vp {

// Hands ejected sheets to `keep` on a thread of its own, in the order they left the printer, so
// the host's write that ends a page never waits for a page to be encoded and stored.
class PageRenderer {
 public:
  using Keeper = std::function<void(const PrintedSheet&)>;

  // `keep` runs on the renderer's thread only; what it throws is a sheet not kept.
  explicit PageRenderer(Keeper keep);
  // Keeps every sheet handed over before it returns.
  ~PageRenderer();
  PageRenderer(const PageRenderer&) = delete;
  PageRenderer& operator=(const PageRenderer&) = delete;

  // Returns at once unless the sheets waiting already hold more than kBacklogBytes: a host
  // that prints faster than pages are encoded then waits, rather than memory running out.
  void Queue(PrintedSheet sheet);
  // Blocks until every sheet handed over is kept or found impossible to keep.
  void Wait();
  // Why sheets could not be kept since the last call, one line each; empty when all were.
  std::string TakeFailures();

  static constexpr std::size_t kBacklogBytes = 256u << 20;
  static constexpr int kRendererNiceness = 10;

 private:
  void Work();

  Keeper keep_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<PrintedSheet> waiting_;
  std::size_t waiting_bytes_ = 0;
  bool encoding_ = false;
  bool stopping_ = false;
  std::string failures_;
  std::thread worker_;  // started by the first sheet
};

}  // namespace vp

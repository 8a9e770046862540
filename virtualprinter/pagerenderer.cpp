#include "virtualprinter/pagerenderer.h"

#include <sys/resource.h>
#include <exception>
#include <utility>

namespace vp {

PageRenderer::PageRenderer(Keeper keep) : keep_(std::move(keep)) {}

PageRenderer::~PageRenderer() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void PageRenderer::Queue(PrintedSheet sheet) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return waiting_bytes_ <= kBacklogBytes; });
  waiting_bytes_ += sheet.Bytes();
  waiting_.push_back(std::move(sheet));
  if (!worker_.joinable()) worker_ = std::thread(&PageRenderer::Work, this);
  lock.unlock();
  changed_.notify_all();
}

void PageRenderer::Wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return waiting_.empty() && !encoding_; });
}

std::string PageRenderer::TakeFailures() {
  const std::lock_guard lock(mutex_);
  return std::exchange(failures_, {});
}

// Sheets still waiting when the renderer is destroyed are kept before the thread ends.
void PageRenderer::Work() {
  // Keeping pages is behind-the-scenes work: whoever prints, and its windows, come first. On
  // Linux this thread alone is lowered.
  setpriority(PRIO_PROCESS, 0, getpriority(PRIO_PROCESS, 0) + kRendererNiceness);
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
    if (waiting_.empty()) return;
    const PrintedSheet sheet = std::move(waiting_.front());
    waiting_.pop_front();
    encoding_ = true;
    lock.unlock();
    std::string failure;
    try {
      keep_(sheet);
    } catch (const std::exception& error) {
      failure = std::string("a printed page was lost: ") + error.what() + "\n";
    }
    lock.lock();
    encoding_ = false;
    waiting_bytes_ -= sheet.Bytes();
    failures_ += failure;
    changed_.notify_all();
  }
}

}  // namespace vp

#include "ui/seams/printerworker.h"

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "ui/seams/inputdrop.h"

namespace opal::ui {
namespace {

// Work that runs while the window's thread already waits for other work would wait for itself.
thread_local bool waiting_for_work = false;

void PostToTheWindow(std::function<void()> task) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

}  // namespace

bool OnWindowThread() {
  const QCoreApplication* application = QCoreApplication::instance();
  return application == nullptr || QThread::currentThread() == application->thread();
}

void OnTheWindow(const std::function<void()>& task) {
  if (OnWindowThread()) {
    task();
    return;
  }
  std::mutex mutex;
  std::condition_variable ran_cv;
  bool ran = false;
  std::exception_ptr failure;
  PostToTheWindow([&] {
    try {
      task();
    } catch (...) {
      failure = std::current_exception();
    }
    const std::lock_guard lock(mutex);
    ran = true;
    ran_cv.notify_one();
  });
  std::unique_lock lock(mutex);
  ran_cv.wait(lock, [&] { return ran; });
  if (failure) std::rethrow_exception(failure);
}

void RunOffTheWindow(const std::function<void()>& work) {
  if (!OnWindowThread() || waiting_for_work || QCoreApplication::instance() == nullptr) {
    work();
    return;
  }
  std::atomic<bool> done = false;
  std::exception_ptr failure;
  std::thread worker([&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
    done = true;
    // Wakes the window's thread if it sleeps for want of events.
    PostToTheWindow([] {});
  });
  {
    const InputDropped dropped;
    waiting_for_work = true;
    while (!done) {
      QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    waiting_for_work = false;
    // What came in as the work ended must not wait for the next event loop either.
    QCoreApplication::processEvents();
  }
  worker.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace opal::ui

#include "ui/seams/printerworker.h"

#include <sys/resource.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

#include "ui/seams/inputdrop.h"
#include "ui/seams/waitcountdown.h"

namespace opal::ui {
namespace {

// Work that runs while the window's thread already waits for other work would wait for itself.
thread_local bool waiting_for_work = false;
WorkWatch watch;
std::atomic<bool> stop_asked = false;
// What long work is doing, for as long as the watch is kept.
std::unique_ptr<WaitCountdown> work_note;

void HideWorkNote() {
  if (work_note) work_note->hide();
}

constexpr std::chrono::milliseconds kDescribeEvery{250};
constexpr int kWorkerNiceness = 5;

// A window's close box while work runs asks whether to stop; the close itself never happens
// here, the program ends once the work has stopped.
class CloseDuringWork final : public QObject {
 public:
  CloseDuringWork() { QCoreApplication::instance()->installEventFilter(this); }
  ~CloseDuringWork() override { QCoreApplication::instance()->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // The window system's close box reaches a window first.
    if (event->type() != QEvent::Close || !event->spontaneous() || !watched->isWindowType()) {
      return QObject::eventFilter(watched, event);
    }
    if (!stop_asked && !asking_ && watch.ask_stop) {
      asking_ = true;
      stop_asked = watch.ask_stop();
      asking_ = false;
    }
    return true;
  }

 private:
  bool asking_ = false;
};

void PostToTheWindow(std::function<void()> task) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

QElapsedTimer Started() {
  QElapsedTimer timer;
  timer.start();
  return timer;
}

// The work stopped at a safe point, or ended before it came to one: either way the technician
// asked to close, and the program ends. Anything else the work threw is what ends it instead.
void EndStoppedWork(const std::exception_ptr& failure) {
  if (failure) {
    try {
      std::rethrow_exception(failure);
    } catch (const WorkStopped&) {
    } catch (...) {
      return;
    }
  }
  stop_asked = false;
  if (watch.end) watch.end();
}

}  // namespace

WorkWatched::WorkWatched(WorkWatch installed) {
  watch = std::move(installed);
  stop_asked = false;
}

WorkWatched::~WorkWatched() {
  work_note.reset();
  watch = {};
  stop_asked = false;
}

void StopWorkIfAsked() {
  if (stop_asked && (!watch.may_stop || watch.may_stop())) throw WorkStopped{};
}

void PrinterIdle() {
  ProcessEventsDroppingInput();
  if (!OnWindowThread()) StopWorkIfAsked();
}

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
    // On a busy machine the window's thread, not the work, must get the next free core.
    setpriority(PRIO_PROCESS, 0, getpriority(PRIO_PROCESS, 0) + kWorkerNiceness);
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
    // Hidden, not destroyed, when the work ends: making and destroying a window each time would
    // hold up the event loop at both ends of the work.
    const struct Hidden {
      ~Hidden() { HideWorkNote(); }
    } hidden;
    const InputDropped dropped;
    const CloseDuringWork close_asks;
    const QElapsedTimer running = Started();
    QTimer describe;
    QObject::connect(&describe, &QTimer::timeout, [&] {
      if (running.elapsed() < kDescribedAfter.count() || !watch.describe) return;
      if (!work_note) work_note = std::make_unique<WaitCountdown>();
      work_note->ShowWork(watch.describe(std::chrono::milliseconds(running.elapsed())));
    });
    describe.start(kDescribeEvery);
    waiting_for_work = true;
    while (!done) {
      QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    waiting_for_work = false;
    // What came in as the work ended must not wait for the next event loop either; nor must the
    // form's taking back the keyboard from the note.
    HideWorkNote();
    QCoreApplication::processEvents();
  }
  worker.join();
  if (stop_asked) EndStoppedWork(failure);
  if (failure) std::rethrow_exception(failure);
}

}  // namespace opal::ui

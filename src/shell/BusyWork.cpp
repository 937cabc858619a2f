#include "shell/BusyWork.h"

#include <cmath>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "shell/Editor.h"

namespace kvx {
namespace {

// The work on its own thread; what it throws is kept for the main thread.
class Worker {
  public:
    explicit Worker(const std::function<void()>& work)
        : thread_([this, &work] {
              try {
                  work();
              } catch (...) {
                  failure_ = std::current_exception();
              }
              const std::lock_guard lock(mutex_);
              done_ = true;
              changed_.notify_all();
          }) {}
    ~Worker() {
        if (thread_.joinable()) thread_.join();
    }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // Waits at most `wait`; true once the work is done.
    bool WaitFor(std::chrono::milliseconds wait) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, wait, [this] { return done_; });
    }
    // Once done: throws what the work threw.
    void Finish() {
        thread_.join();
        if (failure_) std::rethrow_exception(failure_);
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool done_ = false;
    std::exception_ptr failure_;
    std::thread thread_;  // last: it starts once the rest is ready
};

// The busy cursor while it is shown, taken away however the work ends.
class BusyCursor {
  public:
    explicit BusyCursor(platform::WindowSystem& windows) : windows_(windows) {}
    ~BusyCursor() {
        if (shown_) windows_.SetBusyCursor(false);
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    void Show() {
        if (!shown_) windows_.SetBusyCursor(true);
        shown_ = true;
    }

  private:
    platform::WindowSystem& windows_;
    bool shown_ = false;
};

}  // namespace

std::string BusyStatus(Language language, const std::string& what,
                       std::chrono::milliseconds elapsed) {
    const long seconds = std::lround(static_cast<double>(elapsed.count()) / 1000.0);
    return InLanguage(language, what) + " " + std::to_string(seconds) + " s";
}

void BusyWork::Run(const std::string& what, const std::function<void()>& work) {
    const Clock::time_point start = now();
    Clock::time_point nextStatus = start + ShowAfter;
    BusyCursor cursor(editor_.windows);
    Worker worker(work);
    while (!worker.WaitFor(Tick)) {
        if (const Clock::time_point t = now(); t >= nextStatus) {
            cursor.Show();
            ShowStatus(
                BusyStatus(editor_.language, what,
                           std::chrono::duration_cast<std::chrono::milliseconds>(t - start)));
            nextStatus = t + StatusEvery;
        }
        editor_.windows.ProcessNonInputEvents(static_cast<int>(Tick.count()));
    }
    worker.Finish();
}

void BusyWork::RunHere(const std::function<void()>& work) {
    BusyCursor cursor(editor_.windows);
    cursor.Show();
    work();
}

void BusyWork::ShowStatus(const std::string& text) {
    // The status bar shows the editor's own text again after the command.
    editor_.statusText = text;
    if (editor_.frame.handle != platform::NoWindow)
        editor_.windows.SetStatusText(editor_.frame.handle, text);
}

}  // namespace kvx

#pragma once
// The editor's long work (reading or writing a big model) runs on a thread of its own while the
// main thread keeps the windows painted: it delivers the toolkit's events that are not input
// and takes no message from the editor's queue, so no command runs meanwhile and the keys and
// clicks given wait for the work's end. Work that lasts longer than ShowAfter shows the busy
// cursor and, in the status bar, what runs and for how long, every StatusEvery.

#include <chrono>
#include <functional>
#include <string>

#include "platform/LongWork.h"
#include "shell/Language.h"

namespace kvx {

struct Editor;

// The status bar's text for work named `what` (French) that has run `elapsed`, in language:
// "Import en cours... 2 s", the seconds rounded.
std::string BusyStatus(Language language, const std::string& what,
                       std::chrono::milliseconds elapsed);

class BusyWork final : public platform::LongWork {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds ShowAfter{500};
    static constexpr std::chrono::milliseconds StatusEvery{250};
    // How long the main thread waits for the work between two rounds of the toolkit's events.
    static constexpr std::chrono::milliseconds Tick{20};

    explicit BusyWork(Editor& editor) : editor_(editor) {}
    void Run(const std::string& what, const std::function<void()>& work) override;
    void RunHere(const std::function<void()>& work) override;

    // The clock the progress is measured with (tests give their own).
    std::function<Clock::time_point()> now = [] { return Clock::now(); };

  private:
    void ShowStatus(const std::string& text);

    Editor& editor_;
};

}  // namespace kvx

#pragma once
// Work that may take long (reading or writing a big model) and changes nothing the windows show.
// The editor runs it beside its windows, which stay painted and show how long it has run; tests
// and tools run it at once.

#include <functional>
#include <string>

namespace kvx::platform {

class LongWork {
  public:
    virtual ~LongWork() = default;
    // Runs work and returns once it is done; `what` names it in the status bar while it runs
    // ("Import en cours..."). What work throws is thrown again here.
    virtual void Run(const std::string& what, const std::function<void()>& work) = 0;
    // Runs work that must stay on the caller's thread (it changes the scene) and may take long:
    // the windows cannot be painted meanwhile, but the busy cursor shows.
    virtual void RunHere(const std::function<void()>& work) { work(); }
};

// Runs the work at once on the caller's thread.
class InlineWork final : public LongWork {
  public:
    void Run(const std::string&, const std::function<void()>& work) override { work(); }
};

}  // namespace kvx::platform

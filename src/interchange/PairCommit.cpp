#include "interchange/PairCommit.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace kvx {
namespace {

// A second name for the earlier named file, to put it back if a later step fails.
class Keepsake {
  public:
    explicit Keepsake(const ReplaceTarget& target) : target_(target.Path()) {
        if (!target.Exists()) return;
        for (int attempt = 0; attempt < 16 && name_.empty(); ++attempt) {
            const std::string name = TemporaryNameBeside(target_);
            if (::link(target_.c_str(), name.c_str()) == 0)
                name_ = name;
            else if (errno != EEXIST)
                break;
        }
    }
    ~Keepsake() {
        if (!name_.empty()) ::unlink(name_.c_str());
    }
    Keepsake(const Keepsake&) = delete;
    Keepsake& operator=(const Keepsake&) = delete;
    // Puts the earlier file back; without one, removes what was put in its place.
    void Restore(bool existed) {
        if (!name_.empty() && std::rename(name_.c_str(), target_.c_str()) == 0)
            name_.clear();
        else if (!existed)
            ::unlink(target_.c_str());
    }

  private:
    std::string target_;
    std::string name_;
};

}  // namespace

bool CommitPair(TemporaryFile& model, const ReplaceTarget& modelTarget, TemporaryFile& named,
                const ReplaceTarget& namedTarget, const std::function<void()>& afterEachStep,
                std::string& reason, TemporaryFile* laterNamed) {
    const auto step = [&] {
        if (afterEachStep) afterEachStep();
    };
    const FolderCommit locks({FolderOf(modelTarget.Path()), FolderOf(namedTarget.Path())});
    if (!locks.Held(reason) || !modelTarget.Unchanged(reason) || !namedTarget.Unchanged(reason))
        return false;

    Keepsake keepsake(namedTarget);
    if (!named.RenameOver(namedTarget, reason)) return false;
    step();
    if (!model.RenameOver(modelTarget, reason)) {
        keepsake.Restore(namedTarget.Exists());
        return false;
    }
    step();
    if (laterNamed && laterNamed->RenameOver(namedTarget, reason)) step();
    return true;
}

}  // namespace kvx

#pragma once
// Recovery copies: while the scene has unsaved changes, a copy of it is kept in the user's state
// folder, so that a crash or a kill loses nothing. The copy is written after 30 seconds without
// a change and after every 50 changes, always through a temporary file renamed into place, never
// over the user's own file; the scene is taken in memory on the main thread and written by a
// helper thread. A save, a scene without unsaved changes ("Nouveau" answered "Non", an undo back
// to the saved state) or a clean exit removes it.
//
// Each run of the editor has its own copy, "recovery-ID.KVX" beside "recovery-ID.name" (the
// scene's own file name, if it has one), and holds "recovery-ID.lock" locked while it runs. At
// start, a copy whose lock nobody holds belongs to a run that did not end cleanly: the user is
// asked "Récupérer le travail non enregistré ?"; Oui opens it as the scene, with unsaved changes
// and its own file name, Non drops it.

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace kvx {

class Editor;

inline constexpr std::uint32_t RecoveryTimerId = 2;
inline constexpr std::uint32_t RecoveryIdleMilliseconds = 30000;
inline constexpr int RecoveryStepInterval = 50;
inline constexpr const char* RecoverQuestionText = "Récupérer le travail non enregistré ?";

// The folder for recovery copies: $XDG_STATE_HOME/kolvex, else ~/.local/state/kolvex; empty when
// neither can be found.
std::string DefaultRecoveryFolder();

class RecoveryCopies {
  public:
    RecoveryCopies() = default;
    ~RecoveryCopies();
    RecoveryCopies(const RecoveryCopies&) = delete;
    RecoveryCopies& operator=(const RecoveryCopies&) = delete;

    // Starts this run's copies in folder (made if missing) under this run's id, and offers the
    // copy of a run that did not end cleanly. Without a folder nothing is kept.
    void Start(Editor& editor, const std::string& folder, const std::string& id);
    // After each message: notices changes, keeps the idle timer, writes after 50 changes, and
    // removes the copy once nothing is unsaved.
    void AfterMessage(Editor& editor);
    // The idle timer ran out: writes the copy.
    void OnIdle(Editor& editor);
    // A clean end: the copy and the lock go.
    void Finish();

    // The path of this run's copy (for tests), and whether one is on disk.
    std::string CopyPath() const;
    bool HasCopy() const { return written_; }
    // Waits for the copy being written.
    void WaitForWriter();

  private:
    void Write(Editor& editor);
    void Remove(Editor& editor);
    void DeleteCopy();

    std::string folder_;
    std::string id_;
    int lock_ = -1;
    std::uint64_t seenVersion_ = 0;
    int changesSinceCopy_ = 0;
    bool written_ = false;
    bool timerOn_ = false;
    std::thread writer_;
};

}  // namespace kvx

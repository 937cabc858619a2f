#include "shell/Recovery.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/Constants.h"
#include "scene/FileReplace.h"
#include "scene/SceneFile.h"
#include "shell/Editor.h"

namespace kvx {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view Prefix = "recovery-";

std::string PathOf(const std::string& folder, const std::string& id, const char* extension) {
    return (fs::path(folder) / (std::string(Prefix) + id + extension)).string();
}

// Takes the lock of a run; the handle, or -1 when another process holds it.
int TakeLock(const std::string& path) {
    const int handle = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (handle < 0) return -1;
    if (::flock(handle, LOCK_EX | LOCK_NB) == 0) return handle;
    ::close(handle);
    return -1;
}

bool WriteWhole(const std::string& path, const void* bytes, std::size_t size) {
    std::string reason;
    return ReplaceFileBytes(path, bytes, size, reason);
}

std::string ReadName(const std::string& path) {
    FileAccess file;
    if (!file.OpenForRead(path) || file.size > 65536) return {};
    std::string name(static_cast<std::size_t>(file.size), '\0');
    if (!name.empty() && !file.ReadBytes(name.data(), name.size(), 0)) return {};
    return name;
}

// A copy left by a run that did not end cleanly, with its lock held while it is handled.
struct DeadRun {
    std::string id;
    fs::file_time_type time;
    int lock = -1;
};

std::vector<DeadRun> DeadRuns(const std::string& folder, const std::string& ownId) {
    std::vector<DeadRun> runs;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        const std::string name = e.path().filename().string();
        if (!name.starts_with(Prefix) || e.path().extension() != ".KVX") continue;
        const std::string id = name.substr(Prefix.size(), name.size() - Prefix.size() - 4);
        if (id == ownId) continue;
        const int lock = TakeLock(PathOf(folder, id, ".lock"));
        if (lock < 0) continue;  // that run goes on
        runs.push_back({id, fs::last_write_time(e.path(), ec), lock});
    }
    return runs;
}

}  // namespace

std::string DefaultRecoveryFolder() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        return (fs::path(state) / "kolvex").string();
    if (const char* home = std::getenv("HOME"); home && *home == '/')
        return (fs::path(home) / ".local" / "state" / "kolvex").string();
    return {};
}

RecoveryCopies::~RecoveryCopies() {
    WaitForWriter();
    if (lock_ >= 0) ::close(lock_);
}

std::string RecoveryCopies::CopyPath() const {
    return PathOf(folder_, id_, ".KVX");
}

void RecoveryCopies::WaitForWriter() {
    if (writer_.joinable()) writer_.join();
}

void RecoveryCopies::Start(Editor& editor, const std::string& folder, const std::string& id) {
    std::error_code ec;
    if (folder.empty() || (!fs::create_directories(folder, ec) && ec)) return;
    lock_ = TakeLock(PathOf(folder, id, ".lock"));
    if (lock_ < 0) return;
    folder_ = folder;
    id_ = id;
    seenVersion_ = editor.history.ContentVersion();

    std::vector<DeadRun> runs = DeadRuns(folder_, id_);
    std::optional<std::size_t> newest;
    for (std::size_t i = 0; i < runs.size(); ++i)
        if (!newest || runs[i].time > runs[*newest].time) newest = i;
    if (newest && editor.prompts.MessageBox(RecoverQuestionText, FrameTitle, platform::MB_YESNO) ==
                      platform::IDYES) {
        const DeadRun& run = runs[*newest];
        std::string reason;
        if (LoadSceneFromPath(*editor.scene, PathOf(folder_, run.id, ".KVX"), true, reason)) {
            editor.history.Clear();
            editor.history.MarkUnsaved();
            editor.documentPath = ReadName(PathOf(folder_, run.id, ".name"));
            editor.RequestRedraw(RedrawScope::All);
            seenVersion_ = editor.history.ContentVersion();
            Write(editor);  // before the old copy goes
        } else {
            editor.prompts.MessageBox(LoadErrorText, LoadErrorTitle, platform::MB_OK);
        }
    }
    WaitForWriter();
    for (const DeadRun& run : runs) {
        for (const char* extension : {".KVX", ".name", ".lock"})
            ::unlink(PathOf(folder_, run.id, extension).c_str());
        ::close(run.lock);
    }
}

void RecoveryCopies::AfterMessage(Editor& editor) {
    if (folder_.empty()) return;
    if (!editor.history.Modified()) {
        seenVersion_ = editor.history.ContentVersion();
        changesSinceCopy_ = 0;
        if (written_ || timerOn_) Remove(editor);
        return;
    }
    if (editor.history.ContentVersion() == seenVersion_) return;
    seenVersion_ = editor.history.ContentVersion();
    // 30 seconds from the latest change.
    editor.windows.SetTimer(editor.frame.handle, RecoveryTimerId, RecoveryIdleMilliseconds);
    timerOn_ = true;
    if (++changesSinceCopy_ >= RecoveryStepInterval) Write(editor);
}

void RecoveryCopies::OnIdle(Editor& editor) {
    if (folder_.empty()) return;
    if (editor.history.Modified()) Write(editor);
}

void RecoveryCopies::Write(Editor& editor) {
    if (timerOn_) editor.windows.KillTimer(editor.frame.handle, RecoveryTimerId);
    timerOn_ = false;
    changesSinceCopy_ = 0;
    WaitForWriter();
    // The scene as it is now, taken here; the files are written beside the editing.
    std::vector<std::uint8_t> bytes = SceneBytes(*editor.scene);
    std::string name = editor.documentPath;
    const std::string copy = CopyPath();
    const std::string namePath = PathOf(folder_, id_, ".name");
    writer_ = std::thread([bytes = std::move(bytes), name = std::move(name), copy, namePath] {
        WriteWhole(namePath, name.data(), name.size());
        WriteWhole(copy, bytes.data(), bytes.size());
    });
    written_ = true;
}

void RecoveryCopies::Remove(Editor& editor) {
    if (timerOn_) editor.windows.KillTimer(editor.frame.handle, RecoveryTimerId);
    timerOn_ = false;
    DeleteCopy();
}

void RecoveryCopies::DeleteCopy() {
    WaitForWriter();
    ::unlink(CopyPath().c_str());
    ::unlink(PathOf(folder_, id_, ".name").c_str());
    written_ = false;
}

void RecoveryCopies::Finish() {
    if (folder_.empty()) return;
    DeleteCopy();
    ::unlink(PathOf(folder_, id_, ".lock").c_str());
    if (lock_ >= 0) ::close(lock_);
    lock_ = -1;
    folder_.clear();
}

}  // namespace kvx

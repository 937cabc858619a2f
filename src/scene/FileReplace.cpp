#include "scene/FileReplace.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>
#include <thread>
#include <utility>

namespace kvx {
namespace {

constexpr mode_t WriteBits = S_IWUSR | S_IWGRP | S_IWOTH;
// The part of a target's name kept in its temporary file's name: with the dot and the suffix
// the name stays within the 255 bytes a folder entry may have.
constexpr std::size_t KeptNameBytes = 200;
// What is kept where the folder takes shorter names (eCryptfs takes 143 bytes).
constexpr std::size_t ShortKeptNameBytes = 40;
constexpr int CreateAttempts = 64;
// How long a writer waits for another Kolvex's renames in the folder before giving up.
constexpr int FolderLockAttempts = 200;
constexpr auto FolderLockPause = std::chrono::milliseconds(10);

// The first bytes of name, at most count, never ending inside a UTF-8 character.
std::string CutName(const std::string& name, std::size_t count) {
    if (name.size() <= count) return name;
    std::size_t end = count;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
        --end;
    return name.substr(0, end);
}

std::string RandomLetters(std::size_t count) {
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
    std::string s;
    for (std::size_t i = 0; i < count; ++i)
        s += letters[pick(device)];
    return s;
}

}  // namespace

std::string FollowLinks(const std::string& path) {
    namespace fs = std::filesystem;
    fs::path p = path;
    for (int i = 0; i < LinkFollowLimit; ++i) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec)) || ec) break;
        const fs::path target = fs::read_symlink(p, ec);
        if (ec) break;
        p = target.is_absolute() ? target : p.parent_path() / target;
    }
    return p.string();
}

std::string FolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

std::string TemporaryNameBeside(const std::string& target, std::size_t keptBytes) {
    const std::filesystem::path p(target);
    const std::string name =
        "." + CutName(p.filename().string(), keptBytes) + ".kvx-" + RandomLetters(8);
    return (p.parent_path() / name).string();
}

std::string TemporaryNameBeside(const std::string& target) {
    return TemporaryNameBeside(target, KeptNameBytes);
}

bool ReplaceTarget::Hold(const std::string& path, std::string& reason) {
    path_ = FollowLinks(path);
    exists_ = ::lstat(path_.c_str(), &before_) == 0;
    if (!exists_ && errno != ENOENT) {
        reason = "cannot look at " + path_;
        return false;
    }
    if (!exists_) return true;
    if (!S_ISREG(before_.st_mode)) {
        reason = path_ + " is not a plain file";
        return false;
    }
    // The user's own right to write it, not only its mode: a file of another user stays theirs.
    if ((before_.st_mode & WriteBits) == 0 ||
        ::faccessat(AT_FDCWD, path_.c_str(), W_OK, AT_EACCESS) != 0) {
        reason = path_ + " is read-only";
        return false;
    }
    if (!held_.OpenForRead(path_)) {
        reason = "cannot hold " + path_ + " (not a plain writable file, or in use)";
        return false;
    }
    return true;
}

bool ReplaceTarget::PassAttributesTo(int handle) const {
    if (!exists_) return true;
    // Only the owner (or root) may give a file away; anyone else keeps it as their own.
    if (::fchown(handle, before_.st_uid, before_.st_gid) != 0) {
        [[maybe_unused]] const int ignored =
            ::fchown(handle, static_cast<uid_t>(-1), before_.st_gid);
    }
    return ::fchmod(handle, before_.st_mode & 07777) == 0;
}

bool ReplaceTarget::Unchanged(std::string& reason) const {
    struct stat now {};
    const bool there = ::lstat(path_.c_str(), &now) == 0;
    if (there == exists_ &&
        (!exists_ || (now.st_ino == before_.st_ino && now.st_dev == before_.st_dev))) {
        return true;
    }
    reason = path_ + " was replaced while saving";
    return false;
}

TemporaryFile::~TemporaryFile() {
    if (path_.empty() || placed_) return;
    file_.Close();
    ::unlink(path_.c_str());
}

bool TemporaryFile::Create(const ReplaceTarget& target, std::string& reason) {
    // Readable by nobody else until it has the earlier file's permissions.
    const mode_t permissions = target.Exists() ? 0600 : 0666;
    std::size_t kept = KeptNameBytes;
    for (int attempt = 0; attempt < CreateAttempts; ++attempt) {
        const std::string name = TemporaryNameBeside(target.Path(), kept);
        if (file_.CreateNew(name, permissions)) {
            path_ = name;
            if (target.PassAttributesTo(file_.handle)) return true;
            reason = "cannot give " + path_ + " the permissions of " + target.Path();
            return false;
        }
        if (errno == ENAMETOOLONG && kept > ShortKeptNameBytes) {
            kept = ShortKeptNameBytes;
            continue;
        }
        if (errno != EEXIST) break;
    }
    reason = "cannot create a temporary file beside " + target.Path();
    return false;
}

bool TemporaryFile::Finish(std::string& reason) {
    const bool written = file_.Flush(true);
    if (file_.Close() && written) return true;
    reason = "cannot write " + path_;
    return false;
}

bool TemporaryFile::RenameOver(const ReplaceTarget& target, std::string& reason) {
    if (std::rename(path_.c_str(), target.Path().c_str()) != 0) {
        reason = "cannot replace " + target.Path();
        return false;
    }
    placed_ = true;
    return true;
}

FolderCommit::FolderCommit(const std::vector<std::string>& folders) {
    // One lock per folder, however its name is spelt, always taken in the same order.
    std::vector<std::pair<std::pair<dev_t, ino_t>, int>> found;
    for (const std::string& folder : folders) {
        const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        struct stat st {};
        if (handle < 0) continue;
        if (::fstat(handle, &st) != 0) {
            ::close(handle);
            continue;
        }
        found.push_back({{st.st_dev, st.st_ino}, handle});
    }
    std::sort(found.begin(), found.end());
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (i > 0 && found[i].first == found[i - 1].first) {
            ::close(found[i].second);
            continue;
        }
        handles_.push_back(found[i].second);
    }
    for (const int handle : handles_) {
        int attempt = 0;
        while (::flock(handle, LOCK_EX | LOCK_NB) != 0 && ++attempt < FolderLockAttempts)
            std::this_thread::sleep_for(FolderLockPause);
        if (attempt == FolderLockAttempts) held_ = false;
    }
}

FolderCommit::~FolderCommit() {
    for (const int handle : handles_) {
        ::fsync(handle);
        ::close(handle);  // lets go of the lock
    }
}

bool FolderCommit::Held(std::string& reason) const {
    if (held_) return true;
    reason = "the folder is held by another program";
    return false;
}

bool ReplaceFile(const std::string& path, const std::function<bool(FileAccess&)>& write,
                 std::string& reason) {
    ReplaceTarget target;
    TemporaryFile temporary;
    if (!target.Hold(path, reason) || !temporary.Create(target, reason)) return false;
    if (!write(temporary.File())) {
        reason = "nothing to write to " + temporary.Path();
        return false;
    }
    if (!temporary.Finish(reason)) return false;
    const FolderCommit commit({FolderOf(target.Path())});
    return commit.Held(reason) && target.Unchanged(reason) && temporary.RenameOver(target, reason);
}

bool ReplaceFileBytes(const std::string& path, const void* bytes, std::size_t size,
                      std::string& reason) {
    return ReplaceFile(
        path,
        [&](FileAccess& file) {
            file.WriteBytes(bytes, size);
            return true;
        },
        reason);
}

}  // namespace kvx

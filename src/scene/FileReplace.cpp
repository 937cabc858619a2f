#include "scene/FileReplace.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "scene/FileAccess.h"

namespace kvx {
namespace {

constexpr mode_t WriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

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

bool ReplaceFile(const std::string& path, std::string_view temporarySuffix,
                 const std::function<bool(FileAccess&)>& write, std::string& reason) {
    const std::string target = FollowLinks(path);
    // The earlier file, held for the whole save.
    FileAccess held;
    struct stat before {};
    const bool exists = ::lstat(target.c_str(), &before) == 0;
    if (!exists && errno != ENOENT) {
        reason = "cannot look at " + target;
        return false;
    }
    if (exists) {
        if ((before.st_mode & WriteBits) == 0) {
            reason = target + " is read-only";
            return false;
        }
        if (!held.OpenForRead(target)) {
            reason = "cannot hold " + target + " (not a plain writable file, or in use)";
            return false;
        }
    }

    const std::string temporary = target + std::string(temporarySuffix);
    FileAccess file;
    if (!file.OpenForWrite(temporary)) {
        reason = "cannot create " + temporary;
        return false;
    }
    const auto discard = [&](std::string why) {
        file.Close();
        ::unlink(temporary.c_str());
        reason = std::move(why);
        return false;
    };
    if (exists && ::fchmod(file.handle, before.st_mode & 07777) != 0)
        return discard("cannot give " + temporary + " the permissions of " + target);
    if (!write(file)) return discard("nothing to write to " + temporary);
    const bool written = file.Flush(true);
    if (!file.Close() || !written) return discard("cannot write " + temporary);
    // The name must still lead to the file held: another program may have put a new one there.
    struct stat now {};
    const bool stillThere = ::lstat(target.c_str(), &now) == 0;
    if (exists != stillThere ||
        (exists && (now.st_ino != before.st_ino || now.st_dev != before.st_dev))) {
        return discard(target + " was replaced while saving");
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0)
        return discard("cannot replace " + target);
    return true;
}

}  // namespace kvx

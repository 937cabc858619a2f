#pragma once
// Replacing whole files without ever destroying the earlier ones, and without letting anything
// planted beside them (a link, a file of a guessed name) turn the write against the user.
//
// - A symbolic link is followed to the file it names; that file is replaced and the link stays.
// - An existing target must be a plain file the user may write and that nobody holds: it is opened
// and locked
//   (the lock every Kolvex takes on the files it reads or saves) until the replacement is done, so
//   a target that is read-only, a folder, a pipe, a device, in use or being saved by another
//   Kolvex is refused and left as it was.
// - The new content goes into a temporary file created beside the target under a fresh name,
//   exclusively and never through a link, so a file or link already there is never touched. Only
//   the writer that created a temporary file ever removes it.
// - The temporary file is stored, given the permissions (and where allowed the owner) of the file
//   it replaces, renamed over the target, and the folder is stored so the new name survives a
//   power loss. Renames in one folder are done under the folder's lock, so two Kolvex writers
//   never interleave theirs.

#include <sys/stat.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "scene/FileAccess.h"

namespace kvx {

// The file that path names once every symbolic link on its last component is followed (a
// dangling link gives the missing file it points to). At most LinkFollowLimit links are followed.
inline constexpr int LinkFollowLimit = 40;
std::string FollowLinks(const std::string& path);

// The folder that holds path ("." for a bare name).
std::string FolderOf(const std::string& path);

// A file that new content will replace, checked and held until this object goes.
class ReplaceTarget {
  public:
    // Follows links from path and checks what is there (see above). False with a reason when the
    // target may not be replaced.
    bool Hold(const std::string& path, std::string& reason);
    // The file that will be replaced, links followed.
    const std::string& Path() const { return path_; }
    bool Exists() const { return exists_; }
    // The held earlier file, to read what it holds; not open when the target does not exist.
    FileAccess& Earlier() { return held_; }
    // Gives a new file the permissions (and, where allowed, the owner) of the earlier one.
    bool PassAttributesTo(int handle) const;
    // Whether the name still leads to the held file (or still to nothing): another program may
    // have put something else there meanwhile.
    bool Unchanged(std::string& reason) const;

  private:
    std::string path_;
    FileAccess held_;
    struct stat before_ {};
    bool exists_ = false;
};

// A file created under a fresh name beside a target. Removed when this object goes unless it
// was renamed over its target.
class TemporaryFile {
  public:
    TemporaryFile() = default;
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Creates the file in target's folder: ".NAME.kvx-XXXXXXXX", the name cut short so that it
    // fits wherever target's name fits.
    bool Create(const ReplaceTarget& target, std::string& reason);
    FileAccess& File() { return file_; }
    const std::string& Path() const { return path_; }
    // Stores what was written and closes the file.
    bool Finish(std::string& reason);
    // Renames the finished file over target's path.
    bool RenameOver(const ReplaceTarget& target, std::string& reason);

  private:
    std::string path_;
    FileAccess file_;
    bool placed_ = false;
};

// The locks on the folders under which their files are renamed (each folder once, however its
// name is spelt); stores the folders when it lets go. Another Kolvex's renames are waited for,
// two seconds at the most.
class FolderCommit {
  public:
    explicit FolderCommit(const std::vector<std::string>& folders);
    ~FolderCommit();
    FolderCommit(const FolderCommit&) = delete;
    FolderCommit& operator=(const FolderCommit&) = delete;
    // False with a reason when a folder's lock could not be had.
    bool Held(std::string& reason) const;

  private:
    std::vector<int> handles_;
    bool held_ = true;
};

// A fresh name for a new file beside target: ".NAME.kvx-XXXXXXXX", NAME cut to its first
// keptBytes bytes (200 by default), never inside a character.
std::string TemporaryNameBeside(const std::string& target, std::size_t keptBytes);
std::string TemporaryNameBeside(const std::string& target);

// Writes path's new content through write (which returns false to give up) and puts it in place.
// False with a reason when anything fails; path is then exactly as it was.
bool ReplaceFile(const std::string& path, const std::function<bool(FileAccess&)>& write,
                 std::string& reason);
// The same with the whole new content given as bytes.
bool ReplaceFileBytes(const std::string& path, const void* bytes, std::size_t size,
                      std::string& reason);

}  // namespace kvx

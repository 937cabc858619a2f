#pragma once
// Replacing a whole file without ever destroying the earlier one: the new content goes into a
// temporary file beside the real target, which is stored and then renamed over it.
//
// - A symbolic link is followed to the file it names; that file is replaced and the link stays.
// - An existing target must be a plain, writable file that nobody holds: it is opened and locked
//   (the lock every Kolvex takes on the files it reads or saves) for the whole save, so a target
//   that is read-only, in use or being saved by another Kolvex is refused and left as it was.
// - The new file keeps the permissions of the one it replaces.

#include <functional>
#include <string>
#include <string_view>

namespace kvx {

class FileAccess;

// The file that path names once every symbolic link on its last component is followed (a
// dangling link gives the missing file it points to). At most LinkFollowLimit links are followed.
inline constexpr int LinkFollowLimit = 40;
std::string FollowLinks(const std::string& path);

// Writes path's new content through write (which returns false to give up) and puts it in place.
// False with a reason when anything fails; path is then exactly as it was.
bool ReplaceFile(const std::string& path, std::string_view temporarySuffix,
                 const std::function<bool(FileAccess&)>& write, std::string& reason);

}  // namespace kvx

#include "scene/FileAccess.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>

namespace kvx {
namespace {

static_assert(std::endian::native == std::endian::little,
              "scene files are little-endian like this machine");

}  // namespace

FileAccess::~FileAccess() {
    Close();
}

int FileAccess::Open(const std::string& p, OpenMode mode, mode_t permissions) {
    Close();
    path = p;
    const bool truncate = mode != OpenMode::Existing;
    disposition = truncate ? CreateAlways : OpenExisting;
    // Never waits on a pipe or device: those are refused below.
    int flags = O_RDWR | O_CLOEXEC | O_NONBLOCK;
    if (mode == OpenMode::Truncate) flags |= O_CREAT;
    if (mode == OpenMode::New) flags |= O_CREAT | O_EXCL | O_NOFOLLOW;
    int fd = ::open(p.c_str(), flags, permissions);
    if (fd < 0 && mode == OpenMode::Existing && (errno == EACCES || errno == EROFS))
        fd = ::open(p.c_str(), (flags & ~O_RDWR) | O_RDONLY);
    if (fd < 0) return 0;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int why = errno;
        ::close(fd);
        if (mode == OpenMode::New) ::unlink(p.c_str());  // made here, and nobody else's
        errno = why;
        return 0;
    }
    // Truncate only once the lock is held, never a file someone else has open.
    if (mode == OpenMode::Truncate && ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return 0;
    }
    handle = fd;
    size = truncate ? 0 : static_cast<std::uint64_t>(st.st_size);
    position_ = 0;
    readBuffer_.clear();
    readBufferStart_ = 0;
    writeBuffer_.clear();
    readFailed_ = writeFailed_ = false;
    return 1;
}

int FileAccess::OpenForRead(const std::string& p) {
    return Open(p, OpenMode::Existing, 0);
}

int FileAccess::OpenForWrite(const std::string& p) {
    return Open(p, OpenMode::Truncate, 0666);
}

int FileAccess::CreateNew(const std::string& p, mode_t permissions) {
    return Open(p, OpenMode::New, permissions);
}

bool FileAccess::Flush(bool durable) {
    if (handle < 0) return false;
    std::size_t done = 0;
    while (done < writeBuffer_.size()) {
        const ssize_t n = ::write(handle, writeBuffer_.data() + done, writeBuffer_.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            writeFailed_ = true;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    writeBuffer_.clear();
    if (durable && !writeFailed_ && ::fsync(handle) != 0) writeFailed_ = true;
    return !writeFailed_;
}

int FileAccess::Close() {
    if (handle < 0) return 1;
    bool ok = writeBuffer_.empty() || Flush(false);
    ok = ok && !writeFailed_;
    if (::close(handle) != 0) ok = false;
    handle = -1;
    writeBuffer_.clear();
    readBuffer_.clear();
    return ok ? 1 : 0;
}

bool FileAccess::Fill(std::int64_t at) {
    readBuffer_.resize(BufferSize);
    std::size_t got = 0;
    while (got < BufferSize) {
        const ssize_t n = ::pread(handle, readBuffer_.data() + got, BufferSize - got,
                                  static_cast<off_t>(at) + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    readBuffer_.resize(got);
    readBufferStart_ = at;
    return got > 0;
}

bool FileAccess::ReadBytesThroughFile(void* out, std::size_t count) {
    auto* dst = static_cast<std::uint8_t*>(out);
    std::size_t done = 0;
    while (done < count) {
        const std::int64_t inBuffer = position_ - readBufferStart_;
        if (handle < 0 || position_ < 0) break;
        if (inBuffer < 0 || inBuffer >= static_cast<std::int64_t>(readBuffer_.size())) {
            if (!Fill(position_)) break;
            continue;
        }
        const std::size_t n =
            std::min(count - done, readBuffer_.size() - static_cast<std::size_t>(inBuffer));
        std::memcpy(dst + done, readBuffer_.data() + inBuffer, n);
        done += n;
        position_ += static_cast<std::int64_t>(n);
    }
    if (done < count) {
        std::memset(dst, 0, count);  // a value cut short is no value
        readFailed_ = true;
        return false;
    }
    return true;
}

void FileAccess::WriteBytesThroughFile(const void* buffer, std::size_t count) {
    if (handle < 0) {
        writeFailed_ = true;
        return;
    }
    const auto* src = static_cast<const std::uint8_t*>(buffer);
    writeBuffer_.insert(writeBuffer_.end(), src, src + count);
    position_ += static_cast<std::int64_t>(count);
    if (writeBuffer_.size() >= BufferSize) Flush(false);
}

}  // namespace kvx

#pragma once
// The one wrapper of a file handle. Files are opened for reading and writing with an exclusive
// lock taken without waiting, so while one is open no other Kolvex (or other locking program) can
// open it. Numbers are little-endian. Reads and writes are buffered; a read past the end or a
// failed write is remembered and reported, never taken as data.

#include <sys/types.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "scene/NumberReads.h"

namespace kvx {

class FileAccess : public NumberReads<FileAccess> {
  public:
    static constexpr std::uint32_t GenericReadWrite = 0xC0000000u;
    static constexpr std::uint32_t OpenExisting = 3;
    static constexpr std::uint32_t CreateAlways = 2;
    static constexpr std::int64_t CurrentPosition = -1;

    FileAccess() = default;
    ~FileAccess();
    FileAccess(const FileAccess&) = delete;
    FileAccess& operator=(const FileAccess&) = delete;

    // Opens an existing file, for reading and writing when the user may write it and for
    // reading only otherwise (a file on a read-only share or disc); size is its length. 1 or 0.
    int OpenForRead(const std::string& path);
    // Creates the file or truncates it; size is 0. 1 or 0.
    int OpenForWrite(const std::string& path);
    // Creates a file that must not exist yet (nor a link of that name) with these permissions
    // (less the umask); size is 0. 1 or 0, and errno tells why on 0.
    int CreateNew(const std::string& path, mode_t permissions = 0666);
    // Writes what is buffered and closes. 0 when anything written since opening failed to reach
    // the file (the file is closed all the same); 1 otherwise, also with no file open.
    int Close();
    bool IsOpen() const { return handle >= 0; }

    // Reads at offset (from the start), or at the current position for CurrentPosition; the
    // position advances by the size read. Past the end they give 0 and set ReadFailed. A read
    // that the buffer holds is done here, without a call: a scene file is millions of them.
#if defined(__GNUC__)
    [[gnu::always_inline]]
#endif
    bool
    ReadBytes(void* out, std::size_t count, std::int64_t offset = CurrentPosition) {
        if (offset != CurrentPosition) position_ = offset;
        const std::int64_t inBuffer = position_ - readBufferStart_;
        if (inBuffer >= 0 && static_cast<std::uint64_t>(inBuffer) + count <= readBuffer_.size()) {
            std::memcpy(out, readBuffer_.data() + inBuffer, count);
            position_ += static_cast<std::int64_t>(count);
            return true;
        }
        return ReadBytesThroughFile(out, count);
    }
    bool ReadFailed() const {
        return readFailed_;
    }
    // Moves the read position to offset bytes from the start.
    void Seek(std::int64_t offset) {
        position_ = offset;
    }
    std::int64_t Position() const {
        return position_;
    }

    // Writes at the current position, which advances.
    void WriteBytes(const void* buffer, std::size_t count) {
        if (handle >= 0 && writeBuffer_.size() + count < BufferSize) {
            const auto* src = static_cast<const std::uint8_t*>(buffer);
            writeBuffer_.insert(writeBuffer_.end(), src, src + count);
            position_ += static_cast<std::int64_t>(count);
            return;
        }
        WriteBytesThroughFile(buffer, count);
    }
    void WriteU8(std::int32_t value) {
        const auto b = static_cast<std::uint8_t>(value);
        WriteBytes(&b, 1);
    }
    void WriteI32(std::int32_t value) {
        WriteBytes(&value, 4);
    }
    void WriteF64(double value) {
        WriteBytes(&value, 8);
    }
    bool WriteFailed() const {
        return writeFailed_;
    }
    // Pushes buffered writes to the file and asks the system to store them. False on failure.
    bool Flush(bool durable);

    std::uint64_t size = 0;
    std::string path;
    std::uint32_t access = GenericReadWrite;
    std::uint32_t disposition = OpenExisting;
    int handle = -1;

  private:
    static constexpr std::size_t BufferSize = std::size_t{1} << 16;

    bool ReadBytesThroughFile(void* out, std::size_t count);
    void WriteBytesThroughFile(const void* buffer, std::size_t count);
    enum class OpenMode { Existing, Truncate, New };
    int Open(const std::string& p, OpenMode mode, mode_t permissions);
    bool Fill(std::int64_t at);

    std::int64_t position_ = 0;
    std::vector<std::uint8_t> readBuffer_;
    std::int64_t readBufferStart_ = 0;
    std::vector<std::uint8_t> writeBuffer_;
    bool readFailed_ = false;
    bool writeFailed_ = false;
};

}  // namespace kvx

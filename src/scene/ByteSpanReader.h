#pragma once
// Reads little-endian numbers from bytes already in memory, with the reading interface of
// FileAccess (offsets, a current position, a remembered failure), so that one checker reads
// scene files from disk and from memory alike.

#include <cstdint>
#include <cstring>
#include <span>

#include "scene/NumberReads.h"

namespace kvx {

class ByteSpanReader : public NumberReads<ByteSpanReader> {
  public:
    static constexpr std::int64_t CurrentPosition = -1;

    explicit ByteSpanReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint64_t Size() const { return bytes_.size(); }

    // Past the end they give 0 and set ReadFailed; the position advances by the size asked.
    bool ReadBytes(void* out, std::size_t count, std::int64_t offset = CurrentPosition) {
        if (offset != CurrentPosition) position_ = offset;
        const auto size = static_cast<std::int64_t>(bytes_.size());
        const auto n = static_cast<std::int64_t>(count);
        if (position_ < 0 || position_ > size || n > size - position_) {
            std::memset(out, 0, count);
            position_ += n;
            failed_ = true;
            return false;
        }
        std::memcpy(out, bytes_.data() + position_, count);
        position_ += n;
        return true;
    }
    bool ReadFailed() const { return failed_; }
    void Seek(std::int64_t offset) { position_ = offset; }
    std::int64_t Position() const { return position_; }

  private:
    std::span<const std::uint8_t> bytes_;
    std::int64_t position_ = 0;
    bool failed_ = false;
};

}  // namespace kvx

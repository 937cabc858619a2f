#pragma once
// The little-endian number reads of anything that reads bytes like FileAccess (ReadBytes(out,
// count, offset), an offset of -1 meaning the current position), so the scene file's one checker
// reads from a file and from memory alike.

#include <cstdint>

namespace kvx {

template <typename Source>
class NumberReads {
  public:
    std::uint8_t ReadU8(std::int64_t offset = -1) { return Read<std::uint8_t>(offset); }
    std::int8_t ReadI8(std::int64_t offset = -1) { return Read<std::int8_t>(offset); }
    std::int32_t ReadI32(std::int64_t offset = -1) { return Read<std::int32_t>(offset); }
    double ReadF64(std::int64_t offset = -1) { return Read<double>(offset); }

  private:
    template <typename T>
    T Read(std::int64_t offset) {
        T v{};
        static_cast<Source*>(this)->ReadBytes(&v, sizeof v, offset);
        return v;
    }
};

}  // namespace kvx

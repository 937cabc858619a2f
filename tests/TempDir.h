#pragma once
// A fresh directory under /tmp, removed with everything in it at the end of the test.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kvx::test {

class TempDir {
  public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kolvex-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

inline std::vector<std::uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// Little-endian bytes, built field by field.
class Bytes {
  public:
    Bytes& U8(int v) {
        data.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    Bytes& I32(std::int32_t v) {
        for (int i = 0; i < 4; ++i)
            data.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
        return *this;
    }
    Bytes& F64(double v) {
        std::uint64_t bits;
        static_assert(sizeof bits == sizeof v);
        std::memcpy(&bits, &v, sizeof v);
        for (int i = 0; i < 8; ++i)
            data.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
        return *this;
    }
    Bytes& Text(const std::string& s) {
        data.insert(data.end(), s.begin(), s.end());
        return *this;
    }
    std::vector<std::uint8_t> data;
};

}  // namespace kvx::test

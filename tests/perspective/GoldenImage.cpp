#include "perspective/GoldenImage.h"

#include <cstdlib>
#include <filesystem>

#include "TempDir.h"
#include "perspective/TargaExport.h"

namespace kvx::test {
namespace {

constexpr std::uint8_t RunLengthTrueColour = 10;
constexpr std::size_t PixelBytes = 3;
constexpr std::size_t PacketMost = 128;

std::string GoldenPath(const std::string& name) {
    return std::string(KVX_TEST_DATA_DIR) + "/golden/" + name + ".tga";
}

bool SamePixel(const std::uint8_t* a, const std::uint8_t* b) {
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

}  // namespace

std::vector<std::uint8_t> CompressTarga(const std::vector<std::uint8_t>& file) {
    std::vector<std::uint8_t> out(file.begin(), file.begin() + TargaHeaderSize);
    out[2] = RunLengthTrueColour;
    const std::uint8_t* p = file.data() + TargaHeaderSize;
    const std::size_t count = (file.size() - TargaHeaderSize) / PixelBytes;
    std::size_t i = 0;
    while (i < count) {
        std::size_t run = 1;
        while (i + run < count && run < PacketMost &&
               SamePixel(p + (i + run) * PixelBytes, p + i * PixelBytes))
            ++run;
        if (run > 1) {
            out.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
            out.insert(out.end(), p + i * PixelBytes, p + (i + 1) * PixelBytes);
            i += run;
            continue;
        }
        // A raw packet up to the next pair of equal pixels.
        std::size_t raw = 1;
        while (i + raw < count && raw < PacketMost &&
               !(i + raw + 1 < count &&
                 SamePixel(p + (i + raw) * PixelBytes, p + (i + raw + 1) * PixelBytes)))
            ++raw;
        out.push_back(static_cast<std::uint8_t>(raw - 1));
        out.insert(out.end(), p + i * PixelBytes, p + (i + raw) * PixelBytes);
        i += raw;
    }
    return out;
}

bool DecompressTarga(const std::vector<std::uint8_t>& file, std::vector<std::uint8_t>& out) {
    if (file.size() < TargaHeaderSize || file[2] != RunLengthTrueColour || file[16] != 24)
        return false;
    const std::size_t width = file[12] | file[13] << 8, height = file[14] | file[15] << 8;
    const std::size_t pixels = width * height;
    out.assign(file.begin(), file.begin() + TargaHeaderSize);
    out[2] = 2;
    std::size_t at = TargaHeaderSize, done = 0;
    while (done < pixels) {
        if (at >= file.size()) return false;
        const std::uint8_t head = file[at++];
        const std::size_t n = (head & 0x7F) + 1u;
        if (done + n > pixels) return false;
        if (head & 0x80) {
            if (at + PixelBytes > file.size()) return false;
            for (std::size_t k = 0; k < n; ++k)
                out.insert(out.end(), file.begin() + static_cast<std::ptrdiff_t>(at),
                           file.begin() + static_cast<std::ptrdiff_t>(at + PixelBytes));
            at += PixelBytes;
        } else {
            if (at + n * PixelBytes > file.size()) return false;
            out.insert(out.end(), file.begin() + static_cast<std::ptrdiff_t>(at),
                       file.begin() + static_cast<std::ptrdiff_t>(at + n * PixelBytes));
            at += n * PixelBytes;
        }
        done += n;
    }
    return at == file.size();
}

::testing::AssertionResult MatchesGolden(const PixelBuffer& pixels, const std::string& name) {
    const std::vector<std::uint8_t> actual = EncodeTarga(pixels);
    const std::string path = GoldenPath(name);
    const char* update = std::getenv("KOLVEX_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        const std::vector<std::uint8_t> compressed = CompressTarga(actual);
        WriteAll(path, compressed);
        if (ReadAll(path) != compressed)
            return ::testing::AssertionFailure() << "cannot write " << path;
        return ::testing::AssertionSuccess() << "rewrote " << path;
    }
    const std::vector<std::uint8_t> stored = ReadAll(path);
    std::vector<std::uint8_t> expected;
    if (stored.empty()) return ::testing::AssertionFailure() << "no reference image " << path;
    if (!DecompressTarga(stored, expected) || expected.size() != actual.size())
        return ::testing::AssertionFailure() << "unreadable reference image " << path;
    std::size_t differing = 0, first = 0;
    for (std::size_t i = TargaHeaderSize; i < actual.size(); i += PixelBytes) {
        if (SamePixel(&actual[i], &expected[i])) continue;
        if (differing++ == 0) first = (i - TargaHeaderSize) / PixelBytes;
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    std::filesystem::create_directories("golden-actual");
    WriteAll("golden-actual/" + name + ".tga", actual);
    // Targa rows run bottom first.
    const std::size_t x = first % TargaSide, y = TargaSide - 1 - first / TargaSide;
    return ::testing::AssertionFailure()
           << name << ": " << differing << " pixels differ from " << path << ", the first at (" << x
           << ", " << y << "); the picture is in golden-actual/";
}

}  // namespace kvx::test

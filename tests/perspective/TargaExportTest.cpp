// The Targa image: file layout, pixel conversion at 16 and 24 bits, and safe writing.

#include "perspective/TargaExport.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "canvas/Canvas.h"

namespace kvx {
namespace {

using test::ReadAll;

// Offset of the pixel at (x, y) of the view (y down) in the file.
std::size_t PixelOffset(std::int32_t x, std::int32_t y) {
    return TargaHeaderSize +
           (static_cast<std::size_t>(TargaSide - 1 - y) * TargaSide + static_cast<std::size_t>(x)) *
               3;
}

// A 250-pixel square true-colour image stored from the lower left: the bottom row comes first
// and 24-bit pixels are copied as stored.
TEST(TargaExport, HeaderAndRowOrderOfATwentyFourBitImage) {
    Canvas canvas;
    canvas.Create(250, 250, 24);
    canvas.SetPixel(0, 249, 0x010203);  // bottom left
    canvas.SetPixel(249, 0, 0x040506);  // top right
    canvas.SetPixel(7, 9, 0x302010);    // bytes 10 20 30 in memory
    const std::vector<std::uint8_t> file = EncodeTarga(canvas.Surface());
    ASSERT_EQ(file.size(), 187518u);
    const std::vector<std::uint8_t> header(file.begin(), file.begin() + 18);
    EXPECT_EQ(header, (std::vector<std::uint8_t>{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFA, 0, 0xFA,
                                                 0, 24, 0}));
    const auto bytes = [&](std::size_t at) {
        return std::vector<std::uint8_t>{file[at], file[at + 1], file[at + 2]};
    };
    EXPECT_EQ(bytes(18), (std::vector<std::uint8_t>{0x03, 0x02, 0x01}));
    EXPECT_EQ(bytes(file.size() - 3), (std::vector<std::uint8_t>{0x06, 0x05, 0x04}));
    EXPECT_EQ(bytes(PixelOffset(7, 9)), (std::vector<std::uint8_t>{0x10, 0x20, 0x30}));
}

TEST(TargaExport, SixteenBitPixelsAreWidenedWithoutFillingTheLowBits) {
    Canvas canvas;
    canvas.Create(250, 250, 16);
    canvas.SetPixel(1, 1, 0xFFFF);  // white
    canvas.SetPixel(2, 1, 0xF800);  // pure red
    canvas.SetPixel(3, 1, 0x07E0);  // pure green
    const std::vector<std::uint8_t> file = EncodeTarga(canvas.Surface());
    const auto bytes = [&](std::int32_t x) {
        const std::size_t at = PixelOffset(x, 1);
        return std::vector<std::uint8_t>{file[at], file[at + 1], file[at + 2]};
    };
    EXPECT_EQ(bytes(1), (std::vector<std::uint8_t>{0xF8, 0xFC, 0xF8}));
    EXPECT_EQ(bytes(2), (std::vector<std::uint8_t>{0x00, 0x00, 0xF8}));
    EXPECT_EQ(bytes(3), (std::vector<std::uint8_t>{0x00, 0xFC, 0x00}));
}

TEST(TargaExport, PixelsBeyondASmallerSurfaceAreBlack) {
    Canvas canvas;
    canvas.Create(100, 80, 24);
    canvas.FillAll(0xFFFFFF);
    const std::vector<std::uint8_t> file = EncodeTarga(canvas.Surface());
    ASSERT_EQ(file.size(), TargaFileSize);
    EXPECT_EQ(file[PixelOffset(99, 79)], 0xFF);
    EXPECT_EQ(file[PixelOffset(100, 79)], 0x00);
    EXPECT_EQ(file[PixelOffset(99, 80)], 0x00);
}

class TargaFiles : public ::testing::Test {
  protected:
    TargaFiles() { canvas.Create(250, 250, 24); }
    long Entries() const {
        const std::filesystem::path folder = std::filesystem::path(dir.File("")).parent_path();
        return std::distance(std::filesystem::directory_iterator(folder),
                             std::filesystem::directory_iterator());
    }
    test::TempDir dir;
    Canvas canvas;
};

TEST_F(TargaFiles, WritesTheImageAndReplacesAnEarlierFile) {
    canvas.FillAll(0x336699);
    test::WriteAll(dir.File("view"), {'o', 'l', 'd'});  // no extension is added
    ASSERT_TRUE(WriteTarga(canvas.Surface(), dir.File("view")));
    EXPECT_EQ(ReadAll(dir.File("view")), EncodeTarga(canvas.Surface()));
    EXPECT_EQ(Entries(), 1);
}

// A missing folder, or a folder where the image should go: a failure, and what was there stays
// with no temporary file beside it.
TEST_F(TargaFiles, AFailedWriteLeavesWhatWasThereAndNoTemporaryFile) {
    EXPECT_FALSE(WriteTarga(canvas.Surface(), dir.File("missing/view.tga")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));
    std::filesystem::create_directories(dir.File("view.tga/inside"));
    EXPECT_FALSE(WriteTarga(canvas.Surface(), dir.File("view.tga")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("view.tga/inside")));
    EXPECT_EQ(Entries(), 1);
}

}  // namespace
}  // namespace kvx

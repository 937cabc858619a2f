// The Targa image: file layout, pixel conversion at 16 and 24 bits, and safe writing.

#include "perspective/TargaExport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "canvas/Canvas.h"

namespace kvx {
namespace {

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Offset of the pixel at (x, y) of the view (y down) in the file.
std::size_t PixelOffset(std::int32_t x, std::int32_t y) {
    return TargaHeaderSize +
           (static_cast<std::size_t>(TargaSide - 1 - y) * TargaSide + static_cast<std::size_t>(x)) *
               3;
}

class TargaFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("kvx-targa-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};

TEST(TargaExport, HeaderDescribesA250SquareTrueColourImageFromTheLowerLeft) {
    Canvas canvas;
    canvas.Create(250, 250, 24);
    const std::vector<std::uint8_t> file = EncodeTarga(canvas.Surface());
    ASSERT_EQ(file.size(), 187518u);
    const std::vector<std::uint8_t> header(file.begin(), file.begin() + 18);
    EXPECT_EQ(header, (std::vector<std::uint8_t>{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFA, 0, 0xFA,
                                                 0, 24, 0}));
}

TEST(TargaExport, BottomRowComesFirst) {
    Canvas canvas;
    canvas.Create(250, 250, 24);
    canvas.SetPixel(0, 249, 0x010203);  // bottom left
    canvas.SetPixel(249, 0, 0x040506);  // top right
    const std::vector<std::uint8_t> file = EncodeTarga(canvas.Surface());
    EXPECT_EQ(file[18], 0x03);
    EXPECT_EQ(file[19], 0x02);
    EXPECT_EQ(file[20], 0x01);
    EXPECT_EQ(file[file.size() - 3], 0x06);
    EXPECT_EQ(file[file.size() - 2], 0x05);
    EXPECT_EQ(file[file.size() - 1], 0x04);
}

TEST(TargaExport, TwentyFourBitPixelsAreCopiedAsStored) {
    Canvas canvas;
    canvas.Create(250, 250, 24);
    canvas.SetPixel(7, 9, 0x302010);  // bytes 10 20 30 in memory
    const std::vector<std::uint8_t> file = EncodeTarga(canvas.Surface());
    const std::size_t at = PixelOffset(7, 9);
    EXPECT_EQ(file[at], 0x10);
    EXPECT_EQ(file[at + 1], 0x20);
    EXPECT_EQ(file[at + 2], 0x30);
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

TEST_F(TargaFiles, WritesTheImageAndReplacesAnEarlierFile) {
    Canvas canvas;
    canvas.Create(250, 250, 24);
    canvas.FillAll(0x336699);
    const auto path = dir / "view";  // no extension is added
    std::ofstream(path) << "an earlier file";
    ASSERT_TRUE(WriteTarga(canvas.Surface(), path.string()));
    EXPECT_EQ(ReadFile(path), EncodeTarga(canvas.Surface()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(TargaFiles, AFolderThatDoesNotExistIsReportedAsAFailure) {
    Canvas canvas;
    canvas.Create(250, 250, 24);
    EXPECT_FALSE(WriteTarga(canvas.Surface(), (dir / "missing" / "view.tga").string()));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST_F(TargaFiles, AFailedWriteLeavesWhatWasThereAndNoTemporaryFile) {
    Canvas canvas;
    canvas.Create(250, 250, 24);
    // A folder in the way: the image cannot take its name.
    const auto path = dir / "view.tga";
    std::filesystem::create_directories(path / "inside");
    EXPECT_FALSE(WriteTarga(canvas.Surface(), path.string()));
    EXPECT_TRUE(std::filesystem::is_directory(path / "inside"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(TargaFiles, RegressionExportThroughALinkWritesItsFileAndARefusedOneKeepsIt) {
    Canvas canvas;
    canvas.Create(250, 250, 24);
    canvas.FillAll(0x102030);
    std::ofstream(dir / "real.tga") << "earlier";
    std::filesystem::create_symlink("real.tga", dir / "link.tga");
    ASSERT_TRUE(WriteTarga(canvas.Surface(), (dir / "link.tga").string()));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.tga"));
    EXPECT_EQ(ReadFile(dir / "real.tga"), EncodeTarga(canvas.Surface()));

    // A read-only image stays as it was.
    const auto before = ReadFile(dir / "real.tga");
    std::filesystem::permissions(dir / "real.tga", std::filesystem::perms::owner_read);
    canvas.FillAll(0x405060);
    EXPECT_FALSE(WriteTarga(canvas.Surface(), (dir / "link.tga").string()));
    EXPECT_EQ(ReadFile(dir / "real.tga"), before);
}

}  // namespace
}  // namespace kvx

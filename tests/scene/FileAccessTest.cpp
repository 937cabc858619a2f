#include <gtest/gtest.h>

#include "TempDir.h"
#include "scene/FileAccess.h"

namespace kvx {
namespace {

using test::TempDir;

TEST(FileAccess, ReadsAtOffsetsThenAtTheCurrentPosition) {
    TempDir dir;
    std::vector<std::uint8_t> bytes(40);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i);
    test::WriteAll(dir.File("a"), bytes);
    FileAccess f;
    ASSERT_EQ(f.OpenForRead(dir.File("a")), 1);
    EXPECT_EQ(f.size, 40u);
    EXPECT_EQ(f.access, 0xC0000000u);
    EXPECT_EQ(f.disposition, 3u);
    EXPECT_EQ(f.ReadI32(25), 25 | 26 << 8 | 27 << 16 | 28 << 24);
    EXPECT_EQ(f.ReadU8(), 29);
    EXPECT_EQ(f.ReadI8(0), 0);
    EXPECT_EQ(f.ReadU8(39), 39);
    EXPECT_FALSE(f.ReadFailed());
    // Past the end: zero, and remembered.
    EXPECT_EQ(f.ReadI32(), 0);
    EXPECT_TRUE(f.ReadFailed());
    EXPECT_EQ(f.ReadF64(36), 0.0);
}

TEST(FileAccess, WritingTruncatesAndRoundTrips) {
    TempDir dir;
    test::WriteAll(dir.File("b"), std::vector<std::uint8_t>(1000, 7));
    FileAccess f;
    ASSERT_EQ(f.OpenForWrite(dir.File("b")), 1);
    EXPECT_EQ(f.disposition, 2u);
    EXPECT_EQ(f.size, 0u);
    const std::vector<std::uint8_t> header(33, 1);
    f.WriteBytes(header.data(), header.size());
    EXPECT_EQ(f.Close(), 1);
    EXPECT_EQ(test::ReadAll(dir.File("b")).size(), 33u);

    // Many values across the internal buffer's boundaries.
    ASSERT_EQ(f.OpenForWrite(dir.File("c")), 1);
    for (int i = 0; i < 50000; ++i) {
        f.WriteU8(i);
        f.WriteI32(-i);
        f.WriteF64(i * 0.5);
    }
    ASSERT_EQ(f.Close(), 1);
    ASSERT_EQ(f.OpenForRead(dir.File("c")), 1);
    EXPECT_EQ(f.size, 50000u * 13);
    for (int i = 0; i < 50000; ++i) {
        ASSERT_EQ(f.ReadU8(), static_cast<std::uint8_t>(i));
        ASSERT_EQ(f.ReadI32(), -i);
        ASSERT_EQ(f.ReadF64(), i * 0.5);
    }
    EXPECT_FALSE(f.ReadFailed());
}

TEST(FileAccess, OpenFilesAreNotSharedAndFailedOpensHoldNothing) {
    TempDir dir;
    test::WriteAll(dir.File("d"), {1, 2, 3});
    FileAccess first, second;
    ASSERT_EQ(first.OpenForRead(dir.File("d")), 1);
    EXPECT_EQ(second.OpenForRead(dir.File("d")), 0);
    EXPECT_EQ(second.OpenForWrite(dir.File("d")), 0);
    EXPECT_EQ(test::ReadAll(dir.File("d")).size(), 3u);  // the refused writer truncated nothing
    EXPECT_EQ(second.handle, -1);
    first.Close();
    EXPECT_EQ(second.OpenForRead(dir.File("d")), 1);
    // Failed opens leave no handle; closing twice is harmless.
    FileAccess f;
    EXPECT_EQ(f.OpenForRead(dir.File("missing")), 0);
    EXPECT_EQ(f.handle, -1);
    EXPECT_EQ(f.OpenForWrite(dir.File("no/such/dir/file")), 0);
    EXPECT_EQ(f.Close(), 1);
    EXPECT_EQ(f.Close(), 1);
}

}  // namespace
}  // namespace kvx

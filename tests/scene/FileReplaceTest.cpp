// Regressions of saving over special targets: through a symbolic link, over a read-only file and
// over a file another Kolvex holds. The scene saver and the image export share this path.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "SceneFixture.h"
#include "TempDir.h"
#include "scene/FileAccess.h"
#include "scene/FileReplace.h"
#include "scene/SceneFile.h"

namespace kvx {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

const std::vector<std::uint8_t> Earlier = {'e', 'a', 'r', 'l', 'i', 'e', 'r'};

class FileReplaceTest : public test::SceneTest {
  protected:
    FileReplaceTest() {
        AddVertex(1, 2, 3);
        test::WriteAll(dir.File("real.KVX"), Earlier);
    }
    // The bytes a save of the scene gives, taken through a plain file.
    std::vector<std::uint8_t> Saved() {
        std::string reason;
        EXPECT_TRUE(SaveSceneToPath(scene, dir.File("plain.KVX"), reason)) << reason;
        return test::ReadAll(dir.File("plain.KVX"));
    }
    // Nothing but the named files in the folder: no temporary file left behind.
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(fs::path(dir.File("")).parent_path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir;
};

TEST_F(FileReplaceTest, RegressionSavingThroughALinkWritesTheFileItNamesAndKeepsTheLink) {
    fs::create_directory(dir.File("sub"));
    fs::create_symlink("real.KVX", dir.File("link.KVX"));
    fs::create_symlink("../link.KVX", dir.File("sub/chain.KVX"));  // a link to a link
    const auto expected = Saved();
    std::string reason;
    ASSERT_TRUE(SaveSceneToPath(scene, dir.File("sub/chain.KVX"), reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(dir.File("link.KVX")));
    EXPECT_TRUE(fs::is_symlink(dir.File("sub/chain.KVX")));
    EXPECT_EQ(test::ReadAll(dir.File("real.KVX")), expected);
    EXPECT_EQ(Names(), (std::vector<std::string>{"link.KVX", "plain.KVX", "real.KVX", "sub"}));
    // A link to a file not yet there creates that file.
    fs::create_symlink("new.KVX", dir.File("dangling.KVX"));
    ASSERT_TRUE(SaveSceneToPath(scene, dir.File("dangling.KVX"), reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(dir.File("dangling.KVX")));
    EXPECT_EQ(test::ReadAll(dir.File("new.KVX")), Saved());
}

TEST_F(FileReplaceTest, RegressionAReadOnlyTargetIsRefusedAndKeptByteForByte) {
    fs::permissions(dir.File("real.KVX"), fs::perms::owner_read | fs::perms::group_read);
    std::string reason;
    EXPECT_FALSE(SaveSceneToPath(scene, dir.File("real.KVX"), reason));
    EXPECT_EQ(test::ReadAll(dir.File("real.KVX")), Earlier);
    EXPECT_EQ(Names(), std::vector<std::string>{"real.KVX"});
}

TEST_F(FileReplaceTest, RegressionATargetHeldByAnotherKolvexIsRefusedAndKept) {
    // Another Kolvex reading the file, or saving it, holds it as FileAccess does.
    FileAccess other;
    ASSERT_TRUE(other.OpenForRead(dir.File("real.KVX")));
    std::string reason;
    EXPECT_FALSE(SaveSceneToPath(scene, dir.File("real.KVX"), reason));
    EXPECT_NE(reason.find("in use"), std::string::npos) << reason;
    other.Close();
    EXPECT_EQ(test::ReadAll(dir.File("real.KVX")), Earlier);
    EXPECT_EQ(Names(), std::vector<std::string>{"real.KVX"});
    // Once it lets go the save goes through.
    EXPECT_TRUE(SaveSceneToPath(scene, dir.File("real.KVX"), reason)) << reason;
}

// A replaced file keeps its permissions; a special file is not replaced.
TEST_F(FileReplaceTest, AReplacedFileKeepsItsPermissionsAndASpecialFileIsNotReplaced) {
    fs::permissions(dir.File("real.KVX"), fs::perms::owner_read | fs::perms::owner_write);
    std::string reason;
    ASSERT_TRUE(SaveSceneToPath(scene, dir.File("real.KVX"), reason)) << reason;
    EXPECT_EQ(fs::status(dir.File("real.KVX")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0666), 0);
    EXPECT_FALSE(SaveSceneToPath(scene, dir.File("pipe"), reason));
    EXPECT_TRUE(fs::is_fifo(dir.File("pipe")));
}

TEST_F(FileReplaceTest, AWriterThatGivesUpLeavesTheEarlierFile) {
    std::string reason;
    EXPECT_FALSE(ReplaceFile(
        dir.File("real.KVX"), ".tmp",
        [](FileAccess& file) {
            file.WriteBytes("half", 4);
            return false;
        },
        reason));
    EXPECT_EQ(test::ReadAll(dir.File("real.KVX")), Earlier);
    EXPECT_EQ(Names(), std::vector<std::string>{"real.KVX"});
}

}  // namespace
}  // namespace kvx

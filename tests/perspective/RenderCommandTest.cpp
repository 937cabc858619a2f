// kvxtool render: the perspective picture of a scene file, the same as the editor's view shows.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>

#include "TempDir.h"
#include "perspective/GoldenImage.h"
#include "retained/SceneNodes.h"
#include "scene/Scene.h"
#include "scene/SceneFile.h"

namespace kvx::test {
namespace {

int Kvxtool(const std::string& args) {
    const std::string command = std::string(KVXTOOL_PATH) + " " + args + " > /dev/null 2>&1";
    const int w = std::system(command.c_str());
    return WIFEXITED(w) ? WEXITSTATUS(w) : -1;
}

void SaveGeneratedMesh(const std::string& path) {
    rm::SceneRoot root;
    root.Create();
    Scene scene(root);
    scene.GenerateMesh();
    std::string reason;
    ASSERT_TRUE(SaveSceneToPath(scene, path, reason)) << reason;
}

// The golden picture of the editor's view, as the uncompressed Targa file the tool writes.
std::vector<std::uint8_t> Golden(const std::string& name) {
    std::vector<std::uint8_t> image;
    EXPECT_TRUE(DecompressTarga(
        ReadAll(std::string(KVX_TEST_DATA_DIR) + "/golden/" + name + ".tga"), image));
    return image;
}

TEST(RenderCommand, PicturesMatchTheEditorsViewAtBothDepthsAndWithMarkers) {
    TempDir dir;
    SaveGeneratedMesh(dir.File("mesh.KVX"));
    const std::string mesh = dir.File("mesh.KVX") + " ";
    ASSERT_EQ(Kvxtool("render " + mesh + dir.File("out24.tga")), 0);
    EXPECT_EQ(ReadAll(dir.File("out24.tga")), Golden("mesh_24"));
    ASSERT_EQ(Kvxtool("render " + mesh + dir.File("out16.tga") + " --depth 16"), 0);
    EXPECT_EQ(ReadAll(dir.File("out16.tga")), Golden("mesh_16"));
    ASSERT_EQ(Kvxtool("render --markers " + mesh + dir.File("out.tga")), 0);
    EXPECT_EQ(ReadAll(dir.File("out.tga")), Golden("markers_24"));
}

// Bad arguments (2), a bad scene file or an image that cannot be written (1): no image.
TEST(RenderCommand, FailuresWriteNoImage) {
    TempDir dir;
    SaveGeneratedMesh(dir.File("mesh.KVX"));
    const std::string mesh = dir.File("mesh.KVX") + " ";
    EXPECT_EQ(Kvxtool("render " + dir.File("mesh.KVX")), 2);
    EXPECT_EQ(Kvxtool("render " + mesh + dir.File("o.tga") + " --depth 32"), 2);
    EXPECT_EQ(Kvxtool("render " + mesh + dir.File("o.tga") + " --depth"), 2);
    EXPECT_EQ(Kvxtool("render " + mesh + dir.File("o.tga") + " --size 3"), 2);
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.tga")));
    WriteAll(dir.File("bad.KVX"), {'n', 'o', 't', ' ', 'a', ' ', 's', 'c', 'e', 'n', 'e'});
    EXPECT_EQ(Kvxtool("render " + dir.File("bad.KVX") + " " + dir.File("out.tga")), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.tga")));
    EXPECT_EQ(Kvxtool("render " + mesh + dir.File("missing/out.tga")), 1);
}

}  // namespace
}  // namespace kvx::test

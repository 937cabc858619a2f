#pragma once
// Text files for the OBJ tests, and a scene's whole content as the scene file writer saves it.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "TempDir.h"
#include "scene/Scene.h"
#include "scene/SceneFile.h"

namespace kvx::test {

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

inline std::string ReadText(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadAll(path);
    return {bytes.begin(), bytes.end()};
}

// Everything a scene holds, as the bytes of its scene file.
inline std::vector<std::uint8_t> SceneBytes(const Scene& scene, const TempDir& dir) {
    std::string reason;
    EXPECT_TRUE(SaveSceneToPath(scene, dir.File("snapshot.KVX"), reason)) << reason;
    return ReadAll(dir.File("snapshot.KVX"));
}

}  // namespace kvx::test

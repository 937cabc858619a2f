#pragma once
// Writing a scene as a Wavefront OBJ file with its material file (.mtl, same name, same folder),
// as a pair that readers never see mismatched.
//
// Both targets are checked and held as every file the program writes is (FileReplace.h): a
// folder, pipe, device, read-only or held file is refused before anything is written. Both files
// are written completely into temporary files beside them; then, under the folder's lock:
// 1. the material file is replaced by the earlier material file's text with the new materials
//    added, so the earlier OBJ file still finds all of its own;
// 2. the OBJ file is replaced: it finds all of its materials too;
// 3. the material file is replaced by the new materials alone.
// A kill between any two steps leaves an OBJ file whose materials are all in its material file.
// When a step fails, the earlier material file is put back and nothing else was touched.

#include <cstdint>
#include <functional>
#include <string>

namespace kvx {

class Scene;

// The largest material file the export extends (step 1) and the import reads.
inline constexpr std::uint64_t MaxMaterialFileBytes = std::uint64_t{16} << 20;

// The material file that goes with objPath: its extension replaced by (or extended with) ".mtl".
std::string ObjMaterialPath(const std::string& objPath);

// Writes scene to objPath and its material file. False with a reason when either cannot be
// written; both files are then as they were. afterEachStep, when given, is called after each
// rename, with the folder as a kill at that moment would leave it.
bool ExportObj(const Scene& scene, const std::string& objPath, std::string& reason,
               const std::function<void()>& afterEachStep = nullptr);

}  // namespace kvx

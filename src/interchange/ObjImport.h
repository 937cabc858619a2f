#pragma once
// Reading a Wavefront OBJ file into the plain, checked data the scene file reader produces, so
// AddSceneFileToScene adds it to a scene all-or-nothing, as "Importer..." adds a scene file.
//
// The file is parsed by tinyobjloader with its polygons kept whole; what it does not check is
// checked here first (ObjLineScan.h). What is read (see ObjNames.h for the spelling):
// - every "v" line is a vertex, every "f" line a face; indices may be relative (negative);
//   texture coordinates, normals, lines, points and unknown statements are ignored;
// - a face's layer is its "layerN" group; a vertex's layer is the "layerN" group in force where
//   it is written, else the layer of the first face (in file order) using it; without either, the
//   current layer when the data is added (layer -1 in the data);
// - the group "hidden" hides the vertices and faces in it;
// - a face in a nonzero smoothing group is smooth, otherwise flat;
// - a face's colour comes from its material: the bytes a "kvx_R_G_B" name spells, else the Kd
//   rounded to bytes; a face without a material (or whose material file is missing or refused)
//   is blue, like a new face. The material files are those its "mtllib" lines name, in the OBJ
//   file's folder, each once and MaxMaterialFileBytes of them in all: a name that is absolute or
//   goes up a folder (".."), a file that is not a plain file (a pipe, a device), binary or
//   beyond that size is refused, with a note; byte-order marks are read as in the OBJ file;
// - a polygon of more than eight corners c0..c(n-1) becomes a fan of faces around c0: the first
//   face is c0..c7, each next face is c0, the last corner of the face before, and up to six more
//   corners (so a 10-gon becomes c0..c7 and c0 c7 c8 c9). All take the polygon's attributes.
//
// The text is UTF-8 (a byte-order mark is skipped) or UTF-16 with its byte-order mark.
//
// Rejected, with a reason: a file that cannot be read or is not a plain file; binary data (NUL
// bytes); a file without a vertex or a face. With a reason that names the line: a vertex without
// three numbers, or with a coordinate that is not finite or too large for a 32-bit float; a face
// with fewer than three corners or a vertex index that is 0 or outside the file's vertices; more
// vertices or faces than a scene holds; anything tinyobjloader itself cannot parse.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "scene/SceneFile.h"

namespace kvx {

// The largest OBJ file read: far more than the text of the largest scene.
inline constexpr std::uint64_t MaxObjFileBytes = std::uint64_t{4} << 30;

// What a reading says beside its result.
struct ObjReading {
    std::string reason;  // why the file was refused
    std::string notes;   // what was left out of an accepted file, one line each
};

bool ReadObjFile(const std::string& path, SceneFileData& data, ObjReading& reading);
// The same over the file's bytes; materialFile gives the bytes of a material file by the name it
// has beside the OBJ file (already checked as above), or nothing with why it was refused.
using MaterialFileReader =
    std::function<std::optional<std::string>(const std::string& name, std::string& why)>;
bool ReadObjBytes(std::string bytes, const MaterialFileReader& materialFile, SceneFileData& data,
                  ObjReading& reading);

// Why a file a model names (a material file, a buffer) may not be read, or nothing when it may:
// only files in the model's folder (or below it) are read.
std::optional<std::string> OutsideFolderRefusal(const std::string& name);

// A plain file's whole content, at most limit bytes; nothing, with why, for anything else.
std::optional<std::string> ReadPlainFile(const std::string& path, std::uint64_t limit,
                                         std::string& why);

}  // namespace kvx

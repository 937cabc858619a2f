#pragma once
// Writing a scene as a Wavefront OBJ file with its material file (.mtl, same name, same folder).
//
// Everything a scene file keeps travels (see ObjNames.h for the spelling): positions with nine
// significant digits, so every 32-bit float reads back as the same float; faces with their
// corners in order (1-based "f" indices into the vertex table order); face colours as one
// material per distinct colour; layers and hidden flags of vertices and faces as groups;
// smooth and flat faces as smoothing groups. Faces of fewer than three corners (which no editing
// operation builds) are left out, since OBJ has no such faces.
//
// Both files are first written completely beside their targets, then renamed over them, the
// material file first: a failure before the renames leaves the earlier files as they were.

#include <string>

namespace kvx {

class Scene;

// The name of the files being written until they are complete: the target's name plus this.
inline constexpr const char* ObjTemporarySuffix = ".kvx-saving";

// The material file that goes with objPath: its extension replaced by (or extended with) ".mtl".
std::string ObjMaterialPath(const std::string& objPath);

// Writes scene to objPath and its material file. False with a reason when either cannot be
// written.
bool ExportObj(const Scene& scene, const std::string& objPath, std::string& reason);

}  // namespace kvx

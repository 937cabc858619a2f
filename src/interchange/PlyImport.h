#pragma once
// Reading a PLY file (text, or binary of either byte order) into scene file data, our own reader:
// the common libraries keep only vertex colours and drop the face colours Kolvex writes.
//
// - Every "vertex" is a vertex (x, y, z of any number type; red, green, blue kept for the faces);
//   every "face" (its list "vertex_indices" or "vertex_index") a face, on the current layer,
//   flat. A face's colour is its own red, green, blue, else the mean of its corners' colours,
//   else blue as a new face. Bytes are taken as they are; floating-point colours as 0..1.
// - A polygon of more than eight corners becomes a fan of faces (FaceSplit.h); a face of fewer
//   than three corners and every other element (edges, materials) are skipped with a note.
//
// Refused, with a reason: a header that is not PLY or is broken, a body shorter than its header
// announces, an index outside the vertices, a coordinate beyond the 32-bit float range, more
// records than a scene holds, a file without a vertex.

#include <string>
#include <string_view>

#include "scene/SceneFile.h"

namespace kvx {

bool ReadPlyBytes(std::string_view bytes, SceneFileData& data, std::string& reason,
                  std::string& notes);
bool ReadPlyFile(const std::string& path, SceneFileData& data, std::string& reason,
                 std::string& notes);

}  // namespace kvx

#pragma once
// Writing a scene as glTF 2.0: a .gltf file with its buffer in a .bin file of the same name
// beside it, or a single .glb file.
//
// - Each layer with faces (or with vertices on no face) is a node "layer0".."layer9" holding one
//   mesh; its hidden faces and loose vertices are in a child node "hidden" (extras
//   {"hidden": true}), so they stay apart from the shown ones.
// - A mesh has a primitive per colour and kind of face: flat faces have vertices of their own
//   with the face normal; smooth faces (primitive extras {"smooth": true}) share a vertex per
//   scene vertex with the normal the editor computes there. Polygons are fans of triangles
//   (c0, ck, ck+1). Vertices on no face are a primitive of points, and so is a vertex used by a
//   face of another layer or hidden flag than its own (in its own part), so that each vertex's
//   layer and flag come back.
// - Every vertex carries its number in the scene in the attribute "_KVX_VERTEX" (a float: exact
//   for every number a scene holds), so a reading puts the scene's vertices back together.
// - A material per face colour, "kvx_R_G_B", whose baseColorFactor is (R/255, G/255, B/255, 1),
//   so the colour comes back as the same bytes.
// - Positions are the scene's 32-bit floats, indices 32-bit unsigned.
//
// Files are replaced as ReplaceFile does (FileReplace.h); the .gltf and its .bin are put in place
// as a pair (PairCommit.h), so a .gltf never stands beside a buffer of another export.

#include <cstdint>
#include <string>
#include <vector>

namespace kvx {

class Scene;

// The glTF JSON text and the binary buffer it describes; bufferUri empty for a .glb (the buffer is
// then the file's own binary chunk).
struct GltfDocument {
    std::string json;
    std::vector<std::uint8_t> buffer;
};
GltfDocument BuildGltf(const Scene& scene, const std::string& bufferUri);

// The .glb bytes of a document: header, JSON chunk (padded with blanks), binary chunk.
std::vector<std::uint8_t> GlbBytes(const GltfDocument& document);

// The buffer file that goes with gltfPath: its extension replaced by ".bin".
std::string GltfBufferPath(const std::string& gltfPath);

bool ExportGltf(const Scene& scene, const std::string& path, std::string& reason);
bool ExportGlb(const Scene& scene, const std::string& path, std::string& reason);

}  // namespace kvx

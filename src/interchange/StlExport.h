#pragma once
// Writing a scene as STL: binary by default, text on request. STL holds triangles alone, so each
// face of three or more corners c0..c(n-1) becomes the fan (c0, ck, ck+1), k = 1..n-2, every
// triangle with its face's normal; colours, layers, hidden flags and smooth faces are not kept.
//
// Binary: an 80-byte header (text, never beginning with "solid"), the triangle count as a 32-bit
// little-endian number, then per triangle the normal and the three corners as 32-bit floats and a
// zero 16-bit attribute. Text: "solid kolvex", per triangle "facet normal", "outer loop", three
// "vertex" lines, "endloop", "endfacet", and "endsolid kolvex"; numbers with nine significant
// digits, so each reads back as the same float.
//
// The file is replaced as ReplaceFile does (FileReplace.h): a failure leaves it as it was.

#include <cstdint>
#include <string>

namespace kvx {

class Scene;

inline constexpr char StlHeaderText[] = "Kolvex scene, binary STL";

// The triangles the faces of the scene make.
std::uint64_t StlTriangleCount(const Scene& scene);

bool ExportStl(const Scene& scene, const std::string& path, bool text, std::string& reason);

}  // namespace kvx

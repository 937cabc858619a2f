#pragma once
// Writing a scene as binary little-endian PLY: every vertex as three 32-bit floats (x, y, z), in
// table order; every face of three or more corners as a polygon (a uchar corner count, then 32-bit
// int vertex indices) with its colour as uchar red, green, blue, the bytes a scene file stores.
// Layers, hidden flags and smooth faces are not kept.
//
// The file is replaced as ReplaceFile does (FileReplace.h): a failure leaves it as it was.

#include <string>

namespace kvx {

class Scene;

// The header, up to and with "end_header\n".
std::string PlyHeader(const Scene& scene);

bool ExportPly(const Scene& scene, const std::string& path, std::string& reason);

}  // namespace kvx

#pragma once
// Scene-wide limits.

#include <cstdint>

namespace kvx {

// Entries the vertex and face tables (and their selection lists) may hold; the tables grow on
// demand up to these, and an operation that would pass them is refused whole.
inline constexpr std::int32_t MaxVertices = 4194304;
inline constexpr std::int32_t MaxFaces = 4194304;
inline constexpr std::int32_t MaxFaceVertices = 8;
inline constexpr std::int32_t LayerCount = 10;
inline constexpr std::int32_t MaxLayerMeshes = 256;

}  // namespace kvx

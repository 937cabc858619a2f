#pragma once
// Scene files built record by record, for the tests of the reader, the editor and kvxtool.

#include <cstdint>
#include <string>
#include <vector>

#include "TempDir.h"

namespace kvx::test {

// The 33-byte header: the signature, the version and the two record counts.
inline Bytes SceneHeader(int version, std::int32_t vertices, std::int32_t faces) {
    Bytes b;
    b.Text("1MorvenixProduction 1998").U8(version).I32(vertices).I32(faces);
    return b;
}
// A vertex record: 30 bytes in version 2, 26 without the layer in version 1.
inline void VertexRecord(Bytes& b, double x, double y, double z, int hidden = 0,
                         std::int32_t layer = 0, int version = 2) {
    b.U8(0x7F).F64(x).F64(y).F64(z).U8(hidden);
    if (version == 2) b.I32(layer);
}
// A face record; version 1 ends after the colour.
inline void FaceRecord(Bytes& b, const std::vector<std::int32_t>& indices, int red, int green,
                       int blue, std::int32_t layer = 0, int hidden = 0, int type = 0,
                       int version = 2) {
    b.U8(0x7E).I32(static_cast<std::int32_t>(indices.size()));
    for (auto i : indices)
        b.I32(i);
    b.U8(red).U8(green).U8(blue);
    if (version == 2) b.I32(layer).U8(hidden).U8(type);
}

}  // namespace kvx::test

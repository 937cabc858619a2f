#pragma once
// What kind of model file a file is, from its first bytes (and, for binary STL, its length), so
// an import never reads one format as another whatever the file is called.

#include <cstdint>
#include <span>
#include <string>

namespace kvx {

enum class FileSignature {
    None,        // nothing recognised: the extension decides
    KvxScene,    // "1MorvenixProduction 1998"
    GltfBinary,  // "glTF" then version 2 (little-endian)
    Ply,         // "ply" alone on the first line
    StlBinary,   // 80-byte header, triangle count, exactly 50 bytes per triangle
    StlText,     // "solid" first, and no binary STL length
    FbxBinary,   // "Kaydara FBX Binary  "
};

// How many first bytes IdentifyBytes needs at most.
inline constexpr std::size_t SignatureBytes = 84;

// head: the file's first bytes (fewer when the file is shorter); size: the file's whole length.
FileSignature IdentifyBytes(std::span<const std::uint8_t> head, std::uint64_t size);

// The same for a file on disk; None when it cannot be read.
FileSignature IdentifyFile(const std::string& path);

}  // namespace kvx

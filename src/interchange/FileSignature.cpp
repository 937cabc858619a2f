#include "interchange/FileSignature.h"

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "scene/SceneFile.h"

namespace kvx {
namespace {

bool StartsWith(std::span<const std::uint8_t> head, std::string_view prefix) {
    return head.size() >= prefix.size() &&
           std::memcmp(head.data(), prefix.data(), prefix.size()) == 0;
}

std::uint32_t U32At(std::span<const std::uint8_t> head, std::size_t at) {
    return std::uint32_t{head[at]} | std::uint32_t{head[at + 1]} << 8 |
           std::uint32_t{head[at + 2]} << 16 | std::uint32_t{head[at + 3]} << 24;
}

bool IsStlBinary(std::span<const std::uint8_t> head, std::uint64_t size) {
    if (head.size() < 84) return false;
    return size == 84 + std::uint64_t{50} * U32At(head, 80);
}

// "solid" after any blanks, then a blank or the end of the line.
bool IsStlText(std::span<const std::uint8_t> head) {
    std::size_t i = 0;
    while (i < head.size() && (head[i] == ' ' || head[i] == '\t'))
        ++i;
    if (!StartsWith(head.subspan(i), "solid")) return false;
    i += 5;
    return i == head.size() || head[i] == ' ' || head[i] == '\t' || head[i] == '\r' ||
           head[i] == '\n';
}

}  // namespace

FileSignature IdentifyBytes(std::span<const std::uint8_t> head, std::uint64_t size) {
    if (StartsWith(head, std::string_view(SceneSignature, SceneSignatureLength)))
        return FileSignature::KvxScene;
    if (StartsWith(head, "glTF") && head.size() >= 8 && U32At(head, 4) == 2)
        return FileSignature::GltfBinary;
    if (StartsWith(head, "ply\n") || StartsWith(head, "ply\r\n")) return FileSignature::Ply;
    if (StartsWith(head, "Kaydara FBX Binary  ")) return FileSignature::FbxBinary;
    // A binary STL header is free text, so it may itself begin with "solid": the length decides.
    if (IsStlBinary(head, size)) return FileSignature::StlBinary;
    if (IsStlText(head)) return FileSignature::StlText;
    return FileSignature::None;
}

FileSignature IdentifyFile(const std::string& path) {
    // Only a plain file is looked into: opening a pipe would wait for a writer.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return FileSignature::None;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return FileSignature::None;
    const auto end = in.tellg();
    if (end < 0) return FileSignature::None;
    in.seekg(0);
    std::array<std::uint8_t, SignatureBytes> head{};
    in.read(reinterpret_cast<char*>(head.data()), head.size());
    const auto got = static_cast<std::size_t>(in.gcount());
    return IdentifyBytes(std::span(head.data(), got), static_cast<std::uint64_t>(end));
}

}  // namespace kvx

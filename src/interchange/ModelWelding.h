#pragma once
// Gathering the vertices of a model file that stores them per face or per part (STL, glTF and
// most exchange formats) into the scene's shared vertices: corners at the same position, of the
// same key, become one vertex, so the imported model is one connected mesh, as it was drawn.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <unordered_map>

#include "scene/SceneFile.h"

namespace kvx {

class VertexWelder {
  public:
    explicit VertexWelder(SceneFileData& data) : data_(data) {}

    // The vertex at (x, y, z) with that key (-1: none), added at the end when it is new. A
    // vertex's coordinates are taken as 32-bit floats; -0 and +0 are one position.
    std::int32_t At(float x, float y, float z, std::int64_t key = -1) {
        const Key k{Bits(x), Bits(y), Bits(z), key};
        const auto [at, added] =
            slots_.try_emplace(k, static_cast<std::int32_t>(data_.vertices.size()));
        if (added) {
            SceneFileData::VertexRecord v;
            v.x = x;
            v.y = y;
            v.z = z;
            data_.vertices.push_back(v);
        }
        return at->second;
    }

  private:
    struct Key {
        std::uint32_t x, y, z;
        std::int64_t key;
        bool operator==(const Key&) const = default;
    };
    struct Hash {
        std::size_t operator()(const Key& k) const {
            std::uint64_t h = k.x * 0x9E3779B97F4A7C15ull;
            h ^= (h >> 29) + k.y * 0xBF58476D1CE4E5B9ull;
            h ^= (h >> 31) + k.z * 0x94D049BB133111EBull;
            h ^= (h >> 30) + static_cast<std::uint64_t>(k.key) * 0x2545F4914F6CDD1Dull;
            return static_cast<std::size_t>(h ^ (h >> 32));
        }
    };
    static std::uint32_t Bits(float v) { return std::bit_cast<std::uint32_t>(v + 0.0f); }

    SceneFileData& data_;
    std::unordered_map<Key, std::int32_t, Hash> slots_;
};

}  // namespace kvx

#pragma once
// One polygon of up to eight vertices, mirrored as a face of a layer mesh's builder. A face refers
// to its vertices by scene index; the vertex table resolves them.

#include <array>
#include <cstdint>
#include <vector>

#include "retained/Math.h"
#include "retained/MeshBuilder.h"
#include "scene/Limits.h"
#include "scene/Vertex.h"

namespace kvx {

inline constexpr std::int32_t RenderFlat = 0;
inline constexpr std::int32_t RenderSmooth = 1;

// The record is kept small, one cache line (64 bytes): a million faces are walked whole by every
// normal update and every redraw. Smaller records that straddle lines are walked more slowly.
// Colours only ever hold whole numbers 0..255, which a float holds exactly; the small fields hold
// what the scene file stores of them (a byte each, the layer 0..9). The engine face is known by
// its number in the owner's builder: a handle per face would hold the builder a million times.
struct Face {
    float red = 0, green = 0, blue = 255;  // each 0..255; new faces are pure blue
    std::int8_t renderType = RenderFlat;
    std::int8_t vertexCount = 0;
    std::int8_t hidden = 0;
    std::int8_t layer = 0;
    std::int32_t rmIndex = -1;   // the face's number in its owner's builder
    LayerMesh* owner = nullptr;  // the layer mesh the face was attached to
    std::array<std::int32_t, MaxFaceVertices> sceneIndices{};

    // Creates the face in mesh's builder and adds it there.
    void Attach(LayerMesh* mesh);
    // Appends a vertex with a placeholder normal; 0 when the face is full or the engine refuses.
    int AddVertex(Vertex& vertex);
    // Attaches the face anew to mesh and adds its vertices again, in order, with its colour.
    void Rebuild(LayerMesh* mesh, VertexTable& vertices);
    // Stores a colour (0..255 each) and sends it.
    void SetColor(std::int32_t r, std::int32_t g, std::int32_t b);
    void StoreColor(double r, double g, double b) {
        red = static_cast<float>(r);
        green = static_cast<float>(g);
        blue = static_cast<float>(b);
    }
    void ApplyColor();
    // Unit normal (P1 - P2) x (P1 - P0) of the first three vertices; (0, 0, 0) when they are
    // collinear or fewer than three.
    rm::Vec3 Normal(const VertexTable& vertices) const;
    // Writes the face normal into the normals of all its slots.
    void ComputeNormal(const VertexTable& vertices);
    // Writes n into the normal of slot k (the normal the engine's face holds for corner k).
    void SetSlotNormal(std::int32_t k, rm::Vec3 n);
    bool IsSmooth() const { return renderType == RenderSmooth; }
    // The builder holding the face's engine face, or null.
    rm::MeshBuilder* Builder() const { return owner ? owner->builder.get() : nullptr; }
    // The normal index of slot k in the builder; -1 when there is none.
    std::int32_t SlotNormalIndex(std::int32_t k) const {
        const rm::MeshBuilder* b = Builder();
        return b ? b->FaceNormalIndex(rmIndex, k) : -1;
    }
    // The engine's data of the face, or null when it has none.
    const rm::FaceData* EngineData() const {
        const rm::MeshBuilder* b = Builder();
        if (!b || rmIndex < 0 || rmIndex >= b->FaceCount()) return nullptr;
        return &b->Faces()[static_cast<std::size_t>(rmIndex)];
    }

    // Bounding box over the face's vertices.
    double MinX(const VertexTable& v) const;
    double MaxX(const VertexTable& v) const;
    double MinY(const VertexTable& v) const;
    double MaxY(const VertexTable& v) const;
    double MinZ(const VertexTable& v) const;
    double MaxZ(const VertexTable& v) const;
};

static_assert(sizeof(void*) != 8 || sizeof(Face) <= 64, "a face record grew past 64 bytes");

}  // namespace kvx

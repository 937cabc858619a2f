#pragma once
// What the six orthographic views draw of the scene, gathered in one pass before they are drawn:
// the vertices' positions packed tight, the shown faces with their corners and colour bytes, the
// shown vertices with their look, and the selected faces. The views then read this small copy
// instead of walking the big scene records six times. It holds no pointers into the scene except
// face indices (for the normals), so it is good until the scene next changes. When only vertex
// positions changed since the last gathering (a drag, a nudge, the undo of one), the face lists
// are kept and only the positions and the vertices are gathered again.

#include <cstdint>
#include <vector>

#include "canvas/PixelBuffer.h"

namespace kvx {

class Scene;

struct PreparedScene {
    // A face's corners follow those of the face before it in its list's corner table.
    struct FaceEntry {
        std::int32_t face;  // index in the scene's face table
        std::uint8_t count, red, green, blue;
    };
    struct VertexLook {
        std::int32_t state;
        PixelValue colour;  // the raw marker value
    };

    std::vector<float> xyz;                     // x, y, z of every vertex
    std::vector<FaceEntry> shownFaces;          // table order
    std::vector<std::int32_t> corners;          // of shownFaces: scene indices, face after face
    std::vector<FaceEntry> selectedFaces;       // selection order, whatever their visibility
    std::vector<std::int32_t> selectedCorners;  // of selectedFaces
    std::vector<std::int32_t> shownVertices;    // scene indices, table order
    std::vector<VertexLook> shownLooks;         // of shownVertices
    bool allMarkersUsual = true;  // every shown vertex's marker has the value RawVertexMarker

    // Gathers everything from the scene; the storage is reused from one redraw to the next.
    void Prepare(const Scene& scene);

    // What the face lists were gathered from, apart from the vertices' hidden flags and the face
    // selection: when it is the same and neither changed since, the face lists still hold.
    struct FaceSource {
        std::size_t vertexCount = 0, faceCount = 0;
        std::uint64_t facesDeleted = 0, faceVisibility = 0;
        std::int32_t currentLayer = 0, allLayers = 0;
        std::vector<const void*> builders;            // each layer mesh's builder
        std::vector<std::uint64_t> builderRevisions;  // their face and colour revisions
        bool operator==(const FaceSource&) const = default;
    };

  private:
    // Gathers the positions and the shown vertices; whether any vertex's hidden flag differs
    // from the last gathering.
    bool GatherVertices(const Scene& scene);
    void GatherFaceLists(const Scene& scene);

    std::vector<std::uint8_t> vertexHidden_;  // per vertex, kept for the face lists
    bool anyVertexHidden_ = false;
    FaceSource source_;
    std::vector<std::int32_t> selectedFaceSource_;  // the face selection they were gathered with
    bool faceListsValid_ = false;
};

}  // namespace kvx

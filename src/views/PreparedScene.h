#pragma once
// What the six orthographic views draw of the scene, gathered in one pass before they are drawn:
// the vertices' positions packed tight, the shown faces with their corners and colour bytes, the
// shown vertices with their look, and the selected faces. The views then read this small copy
// instead of walking the big scene records six times. It holds no pointers into the scene except
// face indices (for the normals), so it is good until the scene next changes.

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

  private:
    std::vector<std::uint8_t> vertexHidden_;  // per vertex, while gathering the faces
};

}  // namespace kvx

#pragma once
// The outlines and the selected faces of several views drawn in one pass over the faces, each
// face's corners found once for them all, for views with no far vertex (and, for outlines, no
// normals shown): for each view exactly the pixels the passes of one view on its own give.

#include <cstddef>
#include <cstdint>
#include <span>

#include "canvas/PixelBuffer.h"
#include "views/PreparedScene.h"
#include "views/SettledPixels.h"
#include "views/ViewProjection.h"

namespace kvx {

// How a pass over faces draws: outlines in each face's colour, each edge from corner k to corner
// k - 1, or selected faces in RawSelectedFace, each edge from corner k - 1 to corner k; both start
// with the edge between the first corner and the last.
enum class FacePass { Outlines, Selected };

// One view of a group drawn in one pass over the faces.
struct GroupMember {
    PixelBuffer buffer;
    std::size_t x = 0, y = 0;  // where its coordinates lie in a row of the shared table
    SettledPixels* settled = nullptr;

    GroupMember() = default;
    // View `view` of the table c describes, drawn into buffer.
    GroupMember(const PixelBuffer& into, const ViewCoordinates& c, std::size_t view,
                SettledPixels* bits)
        : buffer(into), x(c.column[2 * view]), y(c.column[2 * view + 1]), settled(bits) {}
};

// A pass over faces for several views: the outlines from the last face back, each pixel written
// only by the first face to reach it, or the selected faces from the first. table is a table of
// pixel coordinates NearAllViews filled for `vertices` points, `width` numbers a point.
template <FacePass Pass>
void GroupFaces(std::span<GroupMember> members, std::span<const PreparedScene::FaceEntry> list,
                std::span<const std::int32_t> corners, const std::int32_t* table, std::size_t width,
                std::size_t vertices);

}  // namespace kvx

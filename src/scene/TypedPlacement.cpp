#include "scene/TypedPlacement.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <vector>

#include "scene/Coordinates.h"
#include "scene/Scene.h"
#include "scene/VertexTransforms.h"

namespace kvx {
namespace {

// Stores the new positions (sending each), then brings the moved vertices' normals up to date.
void MoveAll(Scene& scene, const std::vector<std::int32_t>& list,
             const std::vector<Position3>& positions) {
    std::vector<std::uint8_t> moved(scene.vertices.size(), 0);
    for (std::size_t n = 0; n < list.size(); ++n) {
        const Position3& p = positions[n];
        scene.vertices[static_cast<std::size_t>(list[n])].MoveTo(p.x, p.y, p.z);
        moved[static_cast<std::size_t>(list[n])] = 1;
    }
    scene.UpdateNormalsAfterMove(moved);
    scene.RequestRedraw(RedrawScope::All);
}

}  // namespace

std::optional<double> ReadTypedNumber(const std::string& text, std::string& reason) {
    std::string plain;
    for (const char c : text) {
        if (c == ' ' || c == '\t') continue;
        plain += c == ',' ? '.' : c;
    }
    if (plain.empty()) {
        reason = "la case est vide";
        return std::nullopt;
    }
    // Only what a number is made of: no "nan", "inf" or hexadecimal forms.
    char* end = nullptr;
    const double v = std::strtod(plain.c_str(), &end);
    if (plain.find_first_not_of("0123456789.+-eE") != std::string::npos || end == plain.c_str() ||
        *end != '\0') {
        reason = "\"" + text + "\" n'est pas un nombre";
        return std::nullopt;
    }
    if (!FitsFloat(v)) {
        reason = "\"" + text + "\" dépasse la plus grande coordonnée possible (3.4e38)";
        return std::nullopt;
    }
    return v;
}

bool PlaceSelectedVertex(Scene& scene, const std::array<double, 3>& position) {
    if (scene.selectedVertices.size() != 1 || !FitsFloat(position[0], position[1], position[2]))
        return false;
    MoveAll(scene, scene.selectedVertices, {Position3{position[0], position[1], position[2]}});
    return true;
}

bool PlaceSelection(Scene& scene, const SelectionPlacement& p) {
    const std::vector<std::int32_t>& list = scene.selectedVertices;
    if (list.empty()) return false;
    // The centre of the selection's box, once moved.
    double low[3], high[3];
    std::fill(std::begin(low), std::end(low), std::numeric_limits<double>::infinity());
    std::fill(std::begin(high), std::end(high), -std::numeric_limits<double>::infinity());
    for (const std::int32_t i : list) {
        const Vertex& v = scene.vertices[static_cast<std::size_t>(i)];
        const double c[3] = {v.x, v.y, v.z};
        for (int a = 0; a < 3; ++a)
            low[a] = std::min(low[a], c[a]), high[a] = std::max(high[a], c[a]);
    }
    double centre[3];
    for (int a = 0; a < 3; ++a)
        centre[a] = (low[a] + high[a]) / 2 + p.move[a];
    const double k = std::numbers::pi / 180;
    const Rotation turn = Rotation::Radians(p.turn[0] * k, p.turn[1] * k, p.turn[2] * k);
    std::vector<Position3> positions;
    positions.reserve(list.size());
    for (const std::int32_t i : list) {
        const Vertex& v = scene.vertices[static_cast<std::size_t>(i)];
        // Moved, turned about the centre (x, then y, then z, as the rotation tool turns), scaled.
        Position3 q = Rotated(Translated(v, p.move[0], p.move[1], p.move[2]), turn, centre[0],
                              centre[1], centre[2]);
        q = {(q.x - centre[0]) * p.scale[0] + centre[0], (q.y - centre[1]) * p.scale[1] + centre[1],
             (q.z - centre[2]) * p.scale[2] + centre[2]};
        if (!FitsFloat(q.x, q.y, q.z)) return false;
        positions.push_back(q);
    }
    MoveAll(scene, list, positions);
    return true;
}

}  // namespace kvx

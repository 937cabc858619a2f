#include "scene/TypedPlacement.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <vector>

#include "scene/Scene.h"

namespace kvx {
namespace {

constexpr double Largest = std::numeric_limits<float>::max();

bool Fits(double v) {
    return std::isfinite(v) && std::abs(v) <= Largest;
}

// Sends the new positions and brings the moved vertices' normals up to date.
void Settle(Scene& scene, const std::vector<std::int32_t>& moved) {
    std::vector<std::uint8_t> flags(scene.vertices.size(), 0);
    for (const std::int32_t i : moved) {
        scene.vertices[static_cast<std::size_t>(i)].SendPosition();
        flags[static_cast<std::size_t>(i)] = 1;
    }
    scene.UpdateNormalsAfterMove(flags);
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
    if (plain.find_first_not_of("0123456789.+-eE") != std::string::npos) {
        reason = "\"" + text + "\" n'est pas un nombre";
        return std::nullopt;
    }
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(plain.c_str(), &end);
    if (end == plain.c_str() || *end != '\0') {
        reason = "\"" + text + "\" n'est pas un nombre";
        return std::nullopt;
    }
    if (!Fits(v)) {
        reason = "\"" + text + "\" dépasse la plus grande coordonnée possible (3.4e38)";
        return std::nullopt;
    }
    return v;
}

bool PlaceSelectedVertex(Scene& scene, const std::array<double, 3>& position) {
    if (scene.selectedVertices.size() != 1) return false;
    for (const double c : position)
        if (!Fits(c)) return false;
    Vertex& v = scene.vertices[static_cast<std::size_t>(scene.selectedVertices[0])];
    v.x = static_cast<float>(position[0]);
    v.y = static_cast<float>(position[1]);
    v.z = static_cast<float>(position[2]);
    Settle(scene, scene.selectedVertices);
    return true;
}

bool PlaceSelection(Scene& scene, const SelectionPlacement& p) {
    const std::vector<std::int32_t>& list = scene.selectedVertices;
    if (list.empty()) return false;
    // The centre of the selection's box.
    double low[3], high[3];
    for (int a = 0; a < 3; ++a) {
        low[a] = std::numeric_limits<double>::infinity();
        high[a] = -low[a];
    }
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
    const double cx = std::cos(p.turn[0] * k), sx = std::sin(p.turn[0] * k);
    const double cy = std::cos(p.turn[1] * k), sy = std::sin(p.turn[1] * k);
    const double cz = std::cos(p.turn[2] * k), sz = std::sin(p.turn[2] * k);
    std::vector<std::array<float, 3>> result;
    result.reserve(list.size());
    for (const std::int32_t i : list) {
        const Vertex& v = scene.vertices[static_cast<std::size_t>(i)];
        double x = v.x + p.move[0] - centre[0], y = v.y + p.move[1] - centre[1],
               z = v.z + p.move[2] - centre[2];
        // About x, then y, then z, as the rotation tool turns.
        const double y1 = y * cx - z * sx, z1 = y * sx + z * cx;
        const double x2 = x * cy + z1 * sy, z2 = -x * sy + z1 * cy;
        const double x3 = x2 * cz - y1 * sz, y3 = x2 * sz + y1 * cz;
        const double out[3] = {x3 * p.scale[0] + centre[0], y3 * p.scale[1] + centre[1],
                               z2 * p.scale[2] + centre[2]};
        for (const double c : out)
            if (!Fits(c)) return false;
        result.push_back(
            {static_cast<float>(out[0]), static_cast<float>(out[1]), static_cast<float>(out[2])});
    }
    for (std::size_t n = 0; n < list.size(); ++n) {
        Vertex& v = scene.vertices[static_cast<std::size_t>(list[n])];
        v.x = result[n][0], v.y = result[n][1], v.z = result[n][2];
    }
    Settle(scene, list);
    return true;
}

}  // namespace kvx

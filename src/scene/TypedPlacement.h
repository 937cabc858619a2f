#pragma once
// Positions typed in "Position des vertex...": the one selected vertex put where the user says,
// or the selection moved, turned about its centre (degrees about x, then y, then z) and scaled
// about its centre per axis, in that order. Values are read strictly: a number (a point or a
// comma before the decimals) that fits a vertex coordinate, or it is refused with its reason.

#include <array>
#include <optional>
#include <string>

namespace kvx {

class Scene;

// The box's number, or nothing with `reason` telling the user why not.
std::optional<double> ReadTypedNumber(const std::string& text, std::string& reason);

struct SelectionPlacement {
    std::array<double, 3> move{0, 0, 0};
    std::array<double, 3> turn{0, 0, 0};  // degrees
    std::array<double, 3> scale{1, 1, 1};
};

// Puts the only selected vertex at (x, y, z). False when not exactly one vertex is selected or
// the position is beyond a coordinate's range (nothing changes then).
bool PlaceSelectedVertex(Scene& scene, const std::array<double, 3>& position);
// Moves, turns and scales the selected vertices; false, changing nothing, when a result would
// leave a coordinate's range.
bool PlaceSelection(Scene& scene, const SelectionPlacement& placement);

}  // namespace kvx

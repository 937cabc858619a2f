#pragma once
// How a scene's attributes are spelled in an OBJ file; the writer and the reader share these.
//
// - A layer is a group: "g layer0" .. "g layer9".
// - A hidden record also belongs to the group "hidden": "g layer3 hidden". OBJ lets an element
//   belong to several groups, so other programs keep it as a group of its own.
// - A vertex takes the groups of the "g" line in force where its "v" line stands. OBJ itself
//   puts only faces in groups; other programs ignore the groups of vertices.
// - A face colour is a material named after its bytes, "kvx_R_G_B", whose Kd is R/255 G/255
//   B/255. Reading, such a name gives the bytes back exactly; any other material gives its Kd
//   rounded to bytes.
// - Smooth faces are in smoothing group 1 ("s 1"), flat ones in none ("s off").

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvx::obj {

// The groups of a "g" line as far as they mean something to a scene.
struct ObjGroups {
    std::int32_t layer = -1;  // -1: no "layerN" group among them
    bool hidden = false;
};

// The names written after "g" for a record of this layer and hidden flag: "layer3 hidden".
std::string GroupNames(std::int32_t layer, bool hidden);
// Reads the names of a "g" line, separated by blanks; unknown names are ignored, and of several
// "layerN" names the first counts.
ObjGroups ParseGroupNames(std::string_view names);

using ColorBytes = std::array<std::uint8_t, 3>;

// "kvx_R_G_B" with the bytes in decimal.
std::string MaterialName(const ColorBytes& color);
// The bytes of a name MaterialName writes; nothing for any other name.
std::optional<ColorBytes> ParseMaterialName(std::string_view name);
// A Kd component (nominally 0..1) as a colour byte: rounded, clamped to 0..255, NaN as 0.
std::uint8_t ColorByte(double component);

}  // namespace kvx::obj

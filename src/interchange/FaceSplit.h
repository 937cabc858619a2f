#pragma once
// Polygons of more than eight corners, as every model reader meets them: a polygon c0..c(n-1)
// becomes a fan of faces around c0. The first face is c0..c7, each next face is c0, the last
// corner of the face before, and up to six more corners (a 10-gon becomes c0..c7 and c0 c7 c8 c9).
// All take the polygon's attributes.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/SceneFile.h"

namespace kvx {

// Appends the polygon's faces to data (face gives their attributes; its index fields are set).
void AppendSplit(const std::vector<std::int32_t>& corners, SceneFileData::FaceRecord face,
                 SceneFileData& data);

// A polygon of a model read from another program: flat, of that colour, on the current layer,
// split as above. False with a reason once the data holds more faces than a scene does.
bool AppendModelPolygon(const std::vector<std::int32_t>& corners,
                        const std::array<std::uint8_t, 3>& color, SceneFileData& data,
                        std::string& reason);

}  // namespace kvx

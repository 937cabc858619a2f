#include "interchange/FaceSplit.h"

#include <algorithm>

#include "scene/Face.h"
#include "scene/Limits.h"

namespace kvx {

void AppendSplit(const std::vector<std::int32_t>& corners, SceneFileData::FaceRecord face,
                 SceneFileData& data) {
    const auto n = static_cast<std::int32_t>(corners.size());
    std::int32_t next = 0;  // the first corner the next face takes after corner 0
    do {
        face.firstIndex = static_cast<std::int32_t>(data.indices.size());
        if (next > 0) data.indices.push_back(corners[0]);
        const std::int32_t end = std::min(n, next + MaxFaceVertices - (next > 0 ? 1 : 0));
        for (std::int32_t k = next; k < end; ++k)
            data.indices.push_back(corners[static_cast<std::size_t>(k)]);
        face.indexCount = static_cast<std::int32_t>(data.indices.size()) - face.firstIndex;
        data.faces.push_back(face);
        next = end - 1;
    } while (next < n - 1);
}

bool AppendModelPolygon(const std::vector<std::int32_t>& corners,
                        const std::array<std::uint8_t, 3>& color, SceneFileData& data,
                        std::string& reason) {
    SceneFileData::FaceRecord face;
    face.red = color[0];
    face.green = color[1];
    face.blue = color[2];
    face.renderType = RenderFlat;
    AppendSplit(corners, face, data);
    if (data.faces.size() <= static_cast<std::size_t>(MaxFaces)) return true;
    reason = "more faces than a scene holds (" + std::to_string(MaxFaces) + ")";
    return false;
}

}  // namespace kvx

#include "views/PositionTexts.h"

#include <cstdio>

namespace kvx {
namespace {

std::string Format(double value) {
    char buffer[255] = {};
    std::snprintf(buffer, sizeof buffer, "%f", value);
    return buffer;
}

}  // namespace

std::array<PositionText, 5> PositionTexts(const MouseState& mouse) {
    return {{{1000, Format(mouse.worldX)},
             {1001, Format(mouse.worldY)},
             {1002, Format(mouse.worldZ)},
             {1005, Format(mouse.pixelX)},
             {1004, Format(mouse.pixelY)}}};
}

}  // namespace kvx

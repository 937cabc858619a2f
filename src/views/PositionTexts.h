#pragma once
// What the position dialog shows of the mouse: the world cursor and the mouse pixel, each
// formatted with "%f", by the dialog's control identifiers.

#include <array>
#include <cstdint>
#include <string>

#include "views/ViewProjection.h"

namespace kvx {

struct PositionText {
    std::int32_t control;  // "X:" 1000, "Y:" 1001, "Z:" 1002, "SX:" 1005, "SY:" 1004
    std::string text;
};

std::array<PositionText, 5> PositionTexts(const MouseState& mouse);

}  // namespace kvx

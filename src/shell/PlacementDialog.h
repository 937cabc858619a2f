#pragma once
// "Position des vertex..." (the flat views' "Edition"): typed coordinates for the selection. One
// vertex: its x, y, z; several: a move, a turn about their centre and a scale. A refused box is
// named in a message and the dialog stays open; OK changes the vertices as one step.

#include "shell/Editor.h"

namespace kvx {

inline constexpr const char* PlacementTitle = "Position des vertex";

void EditVertexPositions(Editor& editor);

}  // namespace kvx

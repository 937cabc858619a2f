#pragma once
// The buffers the passes of one drawing thread reuse from one redraw to the next, so that a
// redraw of a big model does not allocate them afresh. Two threads drawing at once each take
// their own.

#include <array>
#include <cstdint>
#include <vector>

#include "views/MarkerUnion.h"
#include "views/RunBox.h"
#include "views/SettledPixels.h"

namespace kvx {

struct PassScratch {
    std::vector<std::int32_t> table;              // the projections of a group's views
    std::array<SettledPixels, MaxGroup> settled;  // per view, the pixels a face pass settled
    std::array<MarkerUnion, MaxGroup> markers;    // per view, the centres of the usual markers
    std::vector<std::uint8_t> seen, keep;         // which markers in other colours are drawn
};

}  // namespace kvx

#pragma once
// The rectangle round a run of rows of a projection table that several views share: the least
// and the greatest of each pixel coordinate of the rows, from which each view takes its x and y.
// A pass that knows it can write nothing within a view's rectangle skips the run there.

#include <cstddef>
#include <cstdint>

#include "views/ViewProjection.h"

namespace kvx {

// Views drawn in one group, their projections in one table.
inline constexpr std::size_t MaxGroup = 6;
static_assert(MaxGroup <= MaxNearViews);

// The most numbers a row of the table RunBox reads: an x and a y for each view of a group.
inline constexpr std::size_t MaxRunBoxWidth = 2 * MaxGroup;

// The least and the greatest of each of the `width` numbers of a row (the pixel coordinates the
// views show, as NearAllViews lays them out) over the table rows rows[0] .. rows[count - 1].
// Four numbers at a time on the SSE4.1 and AVX2 paths (ProcessorPaths.h).
void RunBox(const std::int32_t* table, std::size_t width, const std::int32_t* rows,
            std::size_t count, std::int32_t* lo, std::int32_t* hi);

}  // namespace kvx

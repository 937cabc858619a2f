#pragma once
// The keyboard of the orthographic views: letters and Tab choose tools, Space builds a face, the
// arrows nudge the selection, B V C X hide and show.

#include <cstdint>

#include "views/tools/ToolContext.h"
#include "views/tools/ViewOutcome.h"

namespace kvx {

// Only a key-down message does anything; an Alt combination (system key) does not.
ViewOutcome ViewKey(ToolContext& ctx, std::uint32_t message, std::uint32_t key);

}  // namespace kvx

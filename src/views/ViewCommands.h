#pragma once
// The commands of the orthographic views' popup menu, acting on the view that opened it.

#include <cstdint>

#include "views/RenderPasses.h"
#include "views/tools/ToolContext.h"
#include "views/tools/ViewOutcome.h"

namespace kvx {

// light is the point light's placement; "Lumiere" moves two of its coordinates to the world
// cursor and reports pointLightMoved. "Couleur..." only reports chooseFaceColour.
ViewOutcome ViewCommand(ToolContext& ctx, PointLightMarker& light, std::uint32_t id);

}  // namespace kvx

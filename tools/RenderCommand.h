#pragma once
// kvxtool render IN.KVX OUT.TGA [--depth 16|24] [--markers]: the perspective view's picture of a
// scene file, as a Targa image.

#include <string>
#include <vector>

namespace kvx::tools {

// Loads the scene as "Ouvrir..." does, opens the perspective view's 3D side on a fresh 250 x 250
// canvas of the given depth exactly as the editor does, shows the light markers when asked,
// renders one frame on a black background and writes it with the Targa writer. Exit status 0 on
// success, 1 when the scene cannot be loaded or the image written, 2 on bad arguments.
int RunRender(const std::vector<std::string>& args);

}  // namespace kvx::tools

#pragma once
// Reading every model format the Open Asset Import Library knows (3DS, Collada, FBX, LightWave,
// DirectX, OFF, 3MF, STL, glTF of other programs and the rest) into scene file data.
//
// - The file's hierarchy is flattened with its transforms; its vertices at one position become
//   one vertex (ModelWelding.h), so the model is connected; all land on the current layer, flat.
// - A polygon keeps its corners up to eight, larger ones become fans (FaceSplit.h); points and
//   lines are skipped and counted in the notes.
// - A face's colour is the mean of its corners' vertex colours where the file has them, else its
//   material's diffuse (or base) colour, exact for a "kvx_R_G_B" name; without either it is blue,
//   as a new face.
// - A coordinate beyond the 32-bit float range refuses the file, with the reason.
//
// The library is of other hands: the registry runs this in a child process (IsolatedRead.h).

#include <string>
#include <vector>

#include "scene/SceneFile.h"

namespace kvx {

bool ReadWithAssimp(const std::string& path, SceneFileData& data, std::string& reason,
                    std::string& notes);

// The extensions the library reads, lower case with their dots.
std::vector<std::string> AssimpExtensions();

}  // namespace kvx

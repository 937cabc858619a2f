#pragma once
// Reading glTF 2.0 files (.gltf with its buffers, .glb). A file Kolvex wrote (its generator
// "Kolvex") comes back exactly as GltfExport.h lays it out: the layers from the nodes
// "layer0".."layer9", the hidden records from the child nodes marked hidden, smooth faces from
// their primitives' extras, colours from the "kvx_R_G_B" materials, and every vertex as it was
// (its number in the "_KVX_VERTEX" attribute) in the order it had; faces come back as the
// triangles the file holds. Any other glTF is read by the Open Asset Import Library
// (AssimpImport.h).
//
// Buffers are read only beside the file (no absolute name, nothing above its folder), as plain
// files of bounded size; images are never decoded.
//
// The parser is of other hands: the registry runs this in a child process (IsolatedRead.h).

#include <string>

#include "scene/SceneFile.h"

namespace kvx {

bool ReadGltfFile(const std::string& path, SceneFileData& data, std::string& reason,
                  std::string& notes);

}  // namespace kvx

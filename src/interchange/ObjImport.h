#pragma once
// Reading a Wavefront OBJ file into the plain, checked data the scene file reader produces, so
// AddSceneFileToScene adds it to a scene all-or-nothing, as "Importer..." adds a scene file.
//
// The file is parsed by tinyobjloader with its polygons kept whole; what it does not check is
// checked here first (ObjLineScan.h). What is read (see ObjNames.h for the spelling):
// - every "v" line is a vertex, every "f" line a face; indices may be relative (negative);
//   texture coordinates, normals, lines, points and unknown statements are ignored;
// - a face's layer is its "layerN" group; a vertex's layer is the "layerN" group in force where
//   it is written, else the layer of the first face (in file order) using it; without either, the
//   current layer when the data is added (layer -1 in the data);
// - the group "hidden" hides the vertices and faces in it;
// - a face in a nonzero smoothing group is smooth, otherwise flat;
// - a face's colour comes from its material: the bytes a "kvx_R_G_B" name spells, else the Kd
//   rounded to bytes; a face without a material (or whose material file is missing) is blue,
//   like a new face. The material files are those its "mtllib" lines name, beside the OBJ file;
// - a polygon of more than eight corners c0..c(n-1) becomes a fan of faces around c0: the first
//   face is c0..c7, each next face is c0, the last corner of the face before, and up to six more
//   corners (so a 10-gon becomes c0..c7 and c0 c7 c8 c9). All take the polygon's attributes.
//
// Rejected, with a reason that names the line: a file that cannot be read; a vertex without three
// numbers, or with a coordinate that is not finite or too large for a 32-bit float; a face with
// fewer than three corners or a vertex index that is 0 or outside the file's vertices; more
// vertices or faces than a scene holds; anything tinyobjloader itself cannot parse.

#include <string>

#include "scene/SceneFile.h"

namespace kvx {

bool ReadObjFile(const std::string& path, SceneFileData& data, std::string& reason);

}  // namespace kvx

#pragma once
// The scene's invariants, checked from outside: for tests that drive the editor through long
// random sequences and look at the scene after every step.
//
// CheckSceneInvariants returns "" when the scene is sound, else the first fault found, naming the
// record ("vertex 12: ..."). It checks, in this order:
// - counts: the tables within their capacities, the selections no longer than the tables;
// - vertices: sceneIndex equal to the position in the table, layer 0..9, state Normal or
//   Selected, every coordinate a finite float;
// - the vertex selection: every index in range and listed once, the vertices listed exactly
//   those whose state is Selected;
// - the face selection: every index in range and listed once;
// - faces: 0..8 vertices, every vertex index in range, layer 0..9;
// - the mirrors: each vertex's position equals its owner mesh's entry at meshIndex and the entry
//   of every copy; each face with vertices has a retained face in its owner's mesh, added, with
//   as many corners, whose corner positions equal its vertices' positions.
// The cost is linear in the size of the scene.

#include <string>

namespace kvx {

class Scene;

std::string CheckSceneInvariants(const Scene& scene);

}  // namespace kvx

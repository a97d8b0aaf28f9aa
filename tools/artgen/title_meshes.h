// The title scene's meshes: the name in solid block letters, and the lattice the camera flies
// through.
#pragma once

#include "tools/artgen/mesh_builder.h"

namespace artgen {

inline const char* const TITLE_WORD = "GORVANTI";
constexpr float TITLE_WIDTH = 12.0f;
constexpr float TITLE_DEPTH = 0.8f;

// The lattice repeats every LATTICE_PITCH along z, so the title scene's scroll (z = 0, -2, ...
// -8, then 0 again) shows no seam.
constexpr float LATTICE_PITCH = 10.0f;
constexpr float LATTICE_HALF_WIDTH = 80.0f;  // x of the outermost box centres
constexpr float LATTICE_NEAR_Z = -100.0f;    // at the title camera's eye
constexpr float LATTICE_FAR_Z = 200.0f;
constexpr float LATTICE_BOX_SIDE = 6.0f;
constexpr float LATTICE_BOX_HEIGHT = 2.0f;

// The word facing -z (towards the title camera), centred on the origin; material 0 is the faces,
// material 1 the sides.
MeshBuilder BuildTitleMesh();
// Boxes on a square grid in a slab centred on y = 0, from the eye to far ahead along +z.
MeshBuilder BuildLatticeMesh();

}  // namespace artgen

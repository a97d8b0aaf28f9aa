// Text X-file output of a built mesh.
#pragma once

#include <string>

#include "tools/artgen/mesh_builder.h"

namespace artgen {

// One Mesh with its normals, texture coordinates (when `textured`) and a material list with the
// materials inline, in the text format "xof 0303txt 0032".
std::string EncodeXFile(const MeshBuilder& mesh, const std::string& name, bool textured);

}  // namespace artgen

// What Direct3D 9 derives from a vertex format and a primitive type: vertex layout and counts.
#pragma once

#include <cstdint>

#include "platform/d3d9/d3d9_subset.h"

namespace platform {

// Byte offsets of the parts of one vertex; -1 where the format has no such part.
struct VertexLayout {
    bool transformed = false;  // D3DFVF_XYZRHW: window pixels, neither transformed nor lit
    int position = 0;
    int normal = -1;
    int diffuse = -1;
    int specular = -1;
    int texture = -1;  // the first set of texture coordinates, two floats
    UINT size = 0;     // bytes the format needs; a draw's stride may be larger
};

// False for formats no device here draws: no position, blend weights, or a first texture
// coordinate set that is not two floats.
bool DecodeVertexFormat(DWORD fvf, VertexLayout& layout);

// Vertices a draw of `primitiveCount` primitives reads; 0 for an unknown type.
uint64_t VerticesPerDraw(D3DPRIMITIVETYPE type, UINT primitiveCount);

// Bytes per index: 2 or 4, or 0 for a format that is no index format.
UINT IndexSize(D3DFORMAT format);

// The matrix every transform of a new device starts as.
inline D3DMATRIX IdentityMatrix() {
    D3DMATRIX matrix{};
    matrix._11 = matrix._22 = matrix._33 = matrix._44 = 1.0f;
    return matrix;
}

}  // namespace platform

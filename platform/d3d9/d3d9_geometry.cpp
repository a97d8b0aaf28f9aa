// Vertex layouts and vertex counts of Direct3D 9 draws.
#include "platform/d3d9/d3d9_geometry.h"

namespace platform {

namespace {

constexpr int TEXTURE_FORMAT_SHIFT = 16;  // two bits per coordinate set from here on

// Floats in coordinate set `set`: the format bits say 0 = two, 1 = three, 2 = four, 3 = one.
int TextureSetFloats(DWORD fvf, int set) {
    static constexpr int FLOATS[4] = {2, 3, 4, 1};
    return FLOATS[(fvf >> (TEXTURE_FORMAT_SHIFT + 2 * set)) & 3];
}

}  // namespace

bool DecodeVertexFormat(DWORD fvf, VertexLayout& layout) {
    layout = VertexLayout{};
    int offset = 0;
    switch (fvf & D3DFVF_POSITION_MASK) {
        case D3DFVF_XYZ:
            offset = 3 * sizeof(float);
            break;
        case D3DFVF_XYZRHW:
            layout.transformed = true;
            offset = 4 * sizeof(float);
            break;
        default:
            return false;
    }
    if (fvf & D3DFVF_NORMAL) {
        layout.normal = offset;
        offset += 3 * sizeof(float);
    }
    if (fvf & D3DFVF_PSIZE) {
        offset += sizeof(float);
    }
    if (fvf & D3DFVF_DIFFUSE) {
        layout.diffuse = offset;
        offset += sizeof(DWORD);
    }
    if (fvf & D3DFVF_SPECULAR) {
        layout.specular = offset;
        offset += sizeof(DWORD);
    }
    const int sets = static_cast<int>((fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT);
    if (sets > 8) {
        return false;
    }
    for (int set = 0; set < sets; ++set) {
        const int floats = TextureSetFloats(fvf, set);
        if (set == 0) {
            if (floats != 2) {
                return false;
            }
            layout.texture = offset;
        }
        offset += floats * static_cast<int>(sizeof(float));
    }
    layout.size = static_cast<UINT>(offset);
    return true;
}

uint64_t VerticesPerDraw(D3DPRIMITIVETYPE type, UINT primitiveCount) {
    const uint64_t count = primitiveCount;
    switch (type) {
        case D3DPT_POINTLIST:
            return count;
        case D3DPT_LINELIST:
            return 2 * count;
        case D3DPT_LINESTRIP:
            return count == 0 ? 0 : count + 1;
        case D3DPT_TRIANGLELIST:
            return 3 * count;
        case D3DPT_TRIANGLESTRIP:
        case D3DPT_TRIANGLEFAN:
            return count == 0 ? 0 : count + 2;
        default:
            return 0;
    }
}

UINT IndexSize(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_INDEX16:
            return 2;
        case D3DFMT_INDEX32:
            return 4;
        default:
            return 0;
    }
}

}  // namespace platform

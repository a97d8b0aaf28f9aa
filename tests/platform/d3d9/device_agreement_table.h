// The call sequences every Direct3D 9 device here must answer alike, each call with the code
// Direct3D 9 gives it: played against the OpenGL and recording devices on Linux and against the
// system's own Direct3D 9 in the Windows tests, so the rules are checked against the real thing.
#pragma once

#include <string>
#include <vector>

#include "platform/d3d9.h"

namespace agreement {

enum class Op {
    CREATE_TEXTURE,  // a pool, b usage, c levels, d side (textures are square)
    LOCK,            // a texture, b level; c 1: read-only
    UNLOCK,          // a texture, b level
    UPDATE_TEXTURE,  // a source texture, b destination texture
    SET_TEXTURE,     // a stage, b texture (NO_TEXTURE for null)
    BEGIN_SCENE,
    END_SCENE,
    CLEAR,  // a flags, b rectangles (with a null pointer when c is 1)
    PRESENT,
    SET_LIGHT,         // a index, b type, c 1: no direction; d 1: null light
    LIGHT_ENABLE,      // a index, b enable
    SET_RENDER_STATE,  // a state, b value
    SET_STAGE_STATE,   // a stage, b type, c value
    SET_TRANSFORM,     // a state; b 1: null matrix
    SET_MATERIAL,      // a 1: null material
    SET_FVF,           // a format
    DRAW,              // a primitives, b stride; c 1: null vertices
    DRAW_INDEXED,      // a index format, b primitives; c 1: an index past the vertices
};

constexpr DWORD NO_TEXTURE = 0xFFFFFFFF;
// The vertices the draws read: D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1, 28 bytes each.
constexpr DWORD SPRITE_FVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr DWORD SPRITE_STRIDE = 28;

// Where Wine's Direct3D 9 answers otherwise than Direct3D 9's documentation and our devices, the
// step says what Wine gives, or that Wine cannot be asked at all (it reads the null pointer).
constexpr HRESULT AS_EXPECTED = 0x7FFFFFFF;
constexpr HRESULT CRASHES_WINE = 0x7FFFFFFE;

struct Step {
    Op op;
    DWORD a = 0;
    DWORD b = 0;
    DWORD c = 0;
    DWORD d = 0;
    HRESULT expected = D3D_OK;
    HRESULT onWine = AS_EXPECTED;
};

struct Sequence {
    const char* name;
    bool depthBuffer;  // a D16 depth buffer, as the game asks for
    std::vector<Step> steps;
};

constexpr HRESULT OK = D3D_OK;
constexpr HRESULT INVALID = D3DERR_INVALIDCALL;

inline Step Texture(D3DPOOL pool, DWORD usage = 0, DWORD levels = 1, DWORD side = 4,
                    HRESULT expected = OK) {
    return {Op::CREATE_TEXTURE, static_cast<DWORD>(pool), usage, levels, side, expected};
}
inline Step Lock(DWORD texture, DWORD level, HRESULT expected) {
    return {Op::LOCK, texture, level, 0, 0, expected};
}
inline Step Unlock(DWORD texture, DWORD level, HRESULT expected) {
    return {Op::UNLOCK, texture, level, 0, 0, expected};
}
inline Step Clear(DWORD flags, HRESULT expected, DWORD rects = 0, bool nullRects = false) {
    return {Op::CLEAR, flags, rects, nullRects ? 1u : 0u, 0, expected};
}
inline Step Light(DWORD index, DWORD type, HRESULT expected, bool noDirection = false) {
    return {Op::SET_LIGHT, index, type, noDirection ? 1u : 0u, 0, expected};
}
inline Step Draw(DWORD primitives, DWORD stride, HRESULT expected, bool nullVertices = false) {
    return {Op::DRAW, primitives, stride, nullVertices ? 1u : 0u, 0, expected};
}
inline Step DrawIndexed(DWORD format, DWORD primitives, HRESULT expected, bool stray = false) {
    return {Op::DRAW_INDEXED, format, primitives, stray ? 1u : 0u, 0, expected};
}
inline Step Simple(Op op, HRESULT expected) {
    return {op, 0, 0, 0, 0, expected};
}
inline Step OnWine(Step step, HRESULT code) {
    step.onWine = code;
    return step;
}

// Direct3D 9's answers, as its documentation states them and the system's Direct3D 9 gives them.
inline const std::vector<Sequence>& Table() {
    const Step begin = Simple(Op::BEGIN_SCENE, OK);
    const Step end = Simple(Op::END_SCENE, OK);
    const Step spriteFormat = {Op::SET_FVF, SPRITE_FVF};
    static const std::vector<Sequence> table = {
        {"a frame as the game draws it",
         true,
         {Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, OK), begin, spriteFormat,
          Draw(2, SPRITE_STRIDE, OK), DrawIndexed(D3DFMT_INDEX16, 2, OK),
          DrawIndexed(D3DFMT_INDEX32, 2, OK), end, Simple(Op::PRESENT, OK)}},
        // A clear of a buffer the device lacks fails: the game's D16 has no stencil. Wine clears
        // what there is and ignores the rest, and a count without rectangles.
        {"clears with a depth buffer",
         true,
         {Clear(D3DCLEAR_TARGET, OK), Clear(D3DCLEAR_ZBUFFER, OK),
          OnWine(Clear(D3DCLEAR_STENCIL, INVALID), OK),
          OnWine(Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, INVALID), OK),
          Clear(D3DCLEAR_TARGET, OK, 2), OnWine(Clear(D3DCLEAR_TARGET, INVALID, 1, true), OK)}},
        {"clears without a depth buffer",
         false,
         {Clear(D3DCLEAR_TARGET, OK), OnWine(Clear(D3DCLEAR_ZBUFFER, INVALID), OK),
          OnWine(Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, INVALID), OK),
          OnWine(Clear(D3DCLEAR_STENCIL, INVALID), OK)}},
        {"scenes do not nest",
         true,
         {Simple(Op::END_SCENE, INVALID), begin, Simple(Op::BEGIN_SCENE, INVALID), end,
          Simple(Op::END_SCENE, INVALID), begin, end}},
        // Wine draws outside a scene too.
        {"draws only inside a scene",
         true,
         {spriteFormat, OnWine(Draw(2, SPRITE_STRIDE, INVALID), OK),
          OnWine(DrawIndexed(D3DFMT_INDEX16, 2, INVALID), OK), begin, Draw(2, SPRITE_STRIDE, OK),
          end, OnWine(Draw(2, SPRITE_STRIDE, INVALID), OK)}},
        // Wine takes an empty draw, an unknown index format, a stride shorter than the format and
        // an index past the vertices, and reads a null vertex pointer.
        {"malformed draws",
         true,
         {begin, Draw(2, SPRITE_STRIDE, INVALID), spriteFormat,
          OnWine(Draw(0, SPRITE_STRIDE, INVALID), OK),
          OnWine(Draw(2, SPRITE_STRIDE, INVALID, true), CRASHES_WINE),
          OnWine(DrawIndexed(D3DFMT_INDEX16, 0, INVALID), OK),
          OnWine(DrawIndexed(D3DFMT_UNKNOWN, 2, INVALID), OK), OnWine(Draw(2, 8, INVALID), OK),
          OnWine(DrawIndexed(D3DFMT_INDEX16, 1, INVALID, true), OK), end}},
        // Wine takes a fourth kind of light of its own, and a light aimed nowhere.
        {"lights",
         true,
         {Light(0, D3DLIGHT_DIRECTIONAL, OK),
          Light(1, D3DLIGHT_POINT, OK),
          Light(2, D3DLIGHT_SPOT, OK),
          Light(3, 0, INVALID),
          OnWine(Light(3, 4, INVALID), OK),
          {Op::SET_LIGHT, 4, D3DLIGHT_DIRECTIONAL, 0, 1, INVALID},
          OnWine(Light(5, D3DLIGHT_DIRECTIONAL, INVALID, true), OK),
          Light(5, D3DLIGHT_POINT, OK, true),
          Light(1000, D3DLIGHT_DIRECTIONAL, OK),
          {Op::LIGHT_ENABLE, 0, TRUE},
          {Op::LIGHT_ENABLE, 0, FALSE},
          {Op::LIGHT_ENABLE, 7, TRUE},
          {Op::LIGHT_ENABLE, 1000, TRUE}}},
        // Wine ignores a state or a stage past the last one.
        {"render states",
         true,
         {{Op::SET_RENDER_STATE, D3DRS_LIGHTING, FALSE},
          {Op::SET_RENDER_STATE, D3DRS_BLENDOP, 1},
          {Op::SET_RENDER_STATE, D3DRS_ZENABLE, D3DZB_TRUE},
          {Op::SET_RENDER_STATE, 256, 0, 0, 0, INVALID, OK}}},
        {"texture-stage states",
         true,
         {{Op::SET_STAGE_STATE, 0, D3DTSS_COLOROP, D3DTOP_MODULATE},
          {Op::SET_STAGE_STATE, 7, D3DTSS_ALPHAOP, D3DTOP_DISABLE},
          {Op::SET_STAGE_STATE, 0, D3DTSS_TEXCOORDINDEX, 0},
          {Op::SET_STAGE_STATE, 8, D3DTSS_COLOROP, D3DTOP_DISABLE, 0, INVALID, OK},
          {Op::SET_STAGE_STATE, 0, 33, 0, 0, INVALID, OK}}},
        {"transforms and materials",
         true,
         {{Op::SET_TRANSFORM, D3DTS_WORLD},
          {Op::SET_TRANSFORM, D3DTS_VIEW},
          {Op::SET_TRANSFORM, D3DTS_PROJECTION},
          {Op::SET_TRANSFORM, D3DTS_WORLD, 1, 0, 0, INVALID, CRASHES_WINE},
          {Op::SET_MATERIAL},
          {Op::SET_MATERIAL, 1, 0, 0, 0, INVALID, CRASHES_WINE}}},
        // Our devices have eight stages and no shaders to sample a ninth, and read no texture from
        // system memory; Wine's takes samplers past the eighth and either pool.
        {"textures bound to stages",
         true,
         {Texture(D3DPOOL_MANAGED),
          {Op::SET_TEXTURE, 0, 0},
          {Op::SET_TEXTURE, 7, 0},
          {Op::SET_TEXTURE, 0, NO_TEXTURE},
          {Op::SET_TEXTURE, 7, NO_TEXTURE},
          {Op::SET_TEXTURE, 8, 0, 0, 0, INVALID, OK},
          {Op::SET_TEXTURE, 8, NO_TEXTURE, 0, 0, INVALID, OK},
          Texture(D3DPOOL_SCRATCH),
          Texture(D3DPOOL_SYSTEMMEM),
          {Op::SET_TEXTURE, 0, 1, 0, 0, INVALID, OK},
          {Op::SET_TEXTURE, 0, 2, 0, 0, INVALID, OK}}},
        // A default-pool texture lives in video memory: it locks only when dynamic.
        // A default-pool texture lives in video memory: it locks only when dynamic.
        {"locks of each pool",
         true,
         {Texture(D3DPOOL_MANAGED), Texture(D3DPOOL_SYSTEMMEM), Texture(D3DPOOL_SCRATCH),
          Texture(D3DPOOL_DEFAULT), Texture(D3DPOOL_DEFAULT, D3DUSAGE_DYNAMIC), Lock(0, 0, OK),
          Unlock(0, 0, OK), Lock(1, 0, OK), Unlock(1, 0, OK), Lock(2, 0, OK), Unlock(2, 0, OK),
          Lock(3, 0, INVALID), OnWine(Unlock(3, 0, INVALID), OK), Lock(4, 0, OK),
          Unlock(4, 0, OK)}},
        // Wine lets a level be unlocked that is not locked.
        {"double locks and unlocks",
         true,
         {Texture(D3DPOOL_MANAGED, 0, 2),
          OnWine(Unlock(0, 0, INVALID), OK),
          Lock(0, 0, OK),
          Lock(0, 0, INVALID),
          Lock(0, 1, OK),
          Unlock(0, 0, OK),
          OnWine(Unlock(0, 0, INVALID), OK),
          Unlock(0, 1, OK),
          Lock(0, 2, INVALID),
          {Op::LOCK, 0, 0, 1, 0, OK},
          Unlock(0, 0, OK)}},
        {"texture creation",
         true,
         {Texture(D3DPOOL_MANAGED, 0, 0, 8), Texture(D3DPOOL_MANAGED, 0, 1, 0, INVALID)}},
        {"updates from system memory into the default pool",
         true,
         {Texture(D3DPOOL_SYSTEMMEM),
          Texture(D3DPOOL_DEFAULT),
          Texture(D3DPOOL_MANAGED),
          Texture(D3DPOOL_DEFAULT, 0, 1, 8),
          {Op::UPDATE_TEXTURE, 0, 1},
          {Op::UPDATE_TEXTURE, 2, 1, 0, 0, INVALID},
          {Op::UPDATE_TEXTURE, 0, 2, 0, 0, INVALID},
          {Op::UPDATE_TEXTURE, 0, 3, 0, 0, INVALID}}},
    };
    return table;
}

// Plays `sequence` on a device `direct3d` makes for `window`; one line for each call whose code
// differs from the table's (from Wine's where `wine` and the step names one), and `compared`
// counts the codes compared.
std::vector<std::string> Play(IDirect3D9* direct3d, HWND window, const Sequence& sequence,
                              bool wine, int& compared);

}  // namespace agreement

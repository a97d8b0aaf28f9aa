// The one table of the states the OpenGL device knows.
#include "platform/gl/gl_states.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace platform::gl {

namespace {

struct StateEntry {
    DWORD number;
    StateGroup group;
};

constexpr StateEntry RENDER_STATES[] = {
    {D3DRS_ZENABLE, StateGroup::FIXED},
    {D3DRS_FILLMODE, StateGroup::DRAW},
    {D3DRS_SHADEMODE, StateGroup::PROGRAM},
    {D3DRS_ZWRITEENABLE, StateGroup::FIXED},
    {D3DRS_ALPHATESTENABLE, StateGroup::PROGRAM},
    {D3DRS_LASTPIXEL, StateGroup::IGNORED},
    {D3DRS_SRCBLEND, StateGroup::FIXED},
    {D3DRS_DESTBLEND, StateGroup::FIXED},
    {D3DRS_CULLMODE, StateGroup::FIXED},
    {D3DRS_ZFUNC, StateGroup::FIXED},
    {D3DRS_ALPHAREF, StateGroup::CONSTANTS},
    {D3DRS_ALPHAFUNC, StateGroup::PROGRAM},
    {D3DRS_DITHERENABLE, StateGroup::FIXED},
    {D3DRS_ALPHABLENDENABLE, StateGroup::FIXED},
    {D3DRS_FOGENABLE, StateGroup::IGNORED},
    {D3DRS_SPECULARENABLE, StateGroup::PROGRAM},
    {D3DRS_TEXTUREFACTOR, StateGroup::CONSTANTS},
    {D3DRS_CLIPPING, StateGroup::IGNORED},
    {D3DRS_LIGHTING, StateGroup::PROGRAM},
    {D3DRS_AMBIENT, StateGroup::CONSTANTS},
    {D3DRS_COLORVERTEX, StateGroup::PROGRAM},
    {D3DRS_LOCALVIEWER, StateGroup::PROGRAM},
    {D3DRS_NORMALIZENORMALS, StateGroup::PROGRAM},
    {D3DRS_DIFFUSEMATERIALSOURCE, StateGroup::PROGRAM},
    {D3DRS_SPECULARMATERIALSOURCE, StateGroup::PROGRAM},
    {D3DRS_AMBIENTMATERIALSOURCE, StateGroup::PROGRAM},
    {D3DRS_EMISSIVEMATERIALSOURCE, StateGroup::PROGRAM},
    {D3DRS_BLENDOP, StateGroup::IGNORED},  // always ADD, the default
};

// Of stage 0; the later stages are never drawn with.
constexpr StateEntry STAGE_STATES[] = {
    {D3DTSS_COLOROP, StateGroup::PROGRAM},       {D3DTSS_COLORARG1, StateGroup::PROGRAM},
    {D3DTSS_COLORARG2, StateGroup::PROGRAM},     {D3DTSS_ALPHAOP, StateGroup::PROGRAM},
    {D3DTSS_ALPHAARG1, StateGroup::PROGRAM},     {D3DTSS_ALPHAARG2, StateGroup::PROGRAM},
    {D3DTSS_TEXCOORDINDEX, StateGroup::IGNORED},
};

template <size_t N>
bool Lookup(const StateEntry (&table)[N], DWORD number, StateGroup& group) {
    const auto found =
        std::find_if(std::begin(table), std::end(table),
                     [number](const StateEntry& entry) { return entry.number == number; });
    if (found == std::end(table)) {
        return false;
    }
    group = found->group;
    return true;
}

}  // namespace

bool RenderStateGroup(D3DRENDERSTATETYPE state, StateGroup& group) {
    return Lookup(RENDER_STATES, state, group);
}

bool StageStateGroup(D3DTEXTURESTAGESTATETYPE type, StateGroup& group) {
    return Lookup(STAGE_STATES, type, group);
}

}  // namespace platform::gl

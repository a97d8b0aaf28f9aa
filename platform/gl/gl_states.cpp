// The one table of the states the OpenGL device knows.
#include "platform/gl/gl_states.h"

#include <array>
#include <cstddef>

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

constexpr size_t TABLE_SIZE = 256;  // past every state number Direct3D 9 defines

// The groups by state number, so that the per-call lookup costs one index; a state outside the
// table has no entry.
struct GroupIndex {
    std::array<StateGroup, TABLE_SIZE> groups{};
    std::array<bool, TABLE_SIZE> known{};
};

template <size_t N>
constexpr GroupIndex MakeIndex(const StateEntry (&table)[N]) {
    GroupIndex index;
    for (const StateEntry& entry : table) {
        index.groups[entry.number] = entry.group;
        index.known[entry.number] = true;
    }
    return index;
}

constexpr GroupIndex RENDER_STATE_INDEX = MakeIndex(RENDER_STATES);
constexpr GroupIndex STAGE_STATE_INDEX = MakeIndex(STAGE_STATES);

bool Lookup(const GroupIndex& index, DWORD number, StateGroup& group) {
    if (number >= TABLE_SIZE || !index.known[number]) {
        return false;
    }
    group = index.groups[number];
    return true;
}

}  // namespace

bool RenderStateGroup(D3DRENDERSTATETYPE state, StateGroup& group) {
    return Lookup(RENDER_STATE_INDEX, state, group);
}

bool StageStateGroup(D3DTEXTURESTAGESTATETYPE type, StateGroup& group) {
    return Lookup(STAGE_STATE_INDEX, type, group);
}

}  // namespace platform::gl

// The device calls as Direct3D 9 checks them; what passes goes on to the backend.
#include "platform/d3d9/device_front.h"

#include <algorithm>
#include <utility>

#include "platform/d3d9/texture_front.h"

namespace platform::d3d9 {

namespace {

void Call(const std::function<void()>& hook) {
    if (hook) {
        hook();
    }
}

// Only these depth formats carry stencil bits; the game's D16 has none.
bool HasStencil(D3DFORMAT depthFormat) {
    return depthFormat == D3DFMT_D15S1 || depthFormat == D3DFMT_D24S8 ||
           depthFormat == D3DFMT_D24X4S4 || depthFormat == D3DFMT_D24FS8;
}

bool IndicesBelow(const void* indexData, UINT indexSize, uint64_t count, uint64_t limit) {
    if (indexSize == 2) {
        const auto* indices = static_cast<const uint16_t*>(indexData);
        return std::all_of(indices, indices + count, [limit](uint16_t i) { return i < limit; });
    }
    const auto* indices = static_cast<const uint32_t*>(indexData);
    return std::all_of(indices, indices + count, [limit](uint32_t i) { return i < limit; });
}

}  // namespace

D3DFORMAT DeviceFront::DepthFormat(const D3DPRESENT_PARAMETERS& parameters) {
    return parameters.EnableAutoDepthStencil != FALSE ? parameters.AutoDepthStencilFormat
                                                      : D3DFMT_UNKNOWN;
}

DeviceFront::DeviceFront(D3DFORMAT depthFormat, DeviceHooks hooks)
    : depthFormat(depthFormat), hooks(std::move(hooks)) {}

DeviceFront::~DeviceFront() {
    for (TextureFront*& texture : bound) {
        if (texture != nullptr) {
            texture->Drop();
            texture = nullptr;
        }
    }
}

ULONG DeviceFront::AddRef() {
    return ++references;
}

ULONG DeviceFront::Release() {
    const ULONG remaining = --references;
    if (remaining == 0) {
        delete this;
    }
    return remaining;
}

TextureFront* DeviceFront::Mine(IDirect3DBaseTexture9* texture) const {
    auto* front = dynamic_cast<TextureFront*>(texture);
    return front != nullptr && front->BelongsTo(this) ? front : nullptr;
}

HRESULT DeviceFront::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                   D3DFORMAT format, D3DPOOL pool, IDirect3DTexture9** texture,
                                   HANDLE* /*sharedHandle*/) {
    if (texture == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    TextureFront* created = MakeTexture(usage, pool);
    const HRESULT result = created->Allocate(width, height, levels, format);
    if (FAILED(result)) {
        created->Drop();
        return result;
    }
    TextureMade(*created);
    *texture = created;
    return D3D_OK;
}

HRESULT DeviceFront::UpdateTexture(IDirect3DBaseTexture9* source,
                                   IDirect3DBaseTexture9* destination) {
    TextureFront* from = Mine(source);
    TextureFront* to = Mine(destination);
    if (from == nullptr || to == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    return to->UpdateFrom(*from);
}

HRESULT DeviceFront::BeginScene() {
    if (inScene) {
        return D3DERR_INVALIDCALL;
    }
    inScene = true;
    Call(hooks.beginScene);
    return D3D_OK;
}

HRESULT DeviceFront::EndScene() {
    if (!inScene) {
        return D3DERR_INVALIDCALL;
    }
    inScene = false;
    SceneEnded();
    Call(hooks.endScene);
    return D3D_OK;
}

HRESULT DeviceFront::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour, float z,
                           DWORD /*stencil*/) {
    // Direct3D fails a clear of a depth or stencil buffer the device does not have.
    const bool depthMissing = (flags & D3DCLEAR_ZBUFFER) != 0 && !HasDepthBuffer();
    const bool stencilMissing = (flags & D3DCLEAR_STENCIL) != 0 && !HasStencil(depthFormat);
    if ((count != 0 && rects == nullptr) || depthMissing || stencilMissing) {
        return D3DERR_INVALIDCALL;
    }
    ClearTargets(count, rects, flags, colour, z);
    return D3D_OK;
}

HRESULT DeviceFront::Present(const RECT*, const RECT*, HWND, const RGNDATA*) {
    ShowFrame();
    Call(hooks.present);
    return D3D_OK;
}

HRESULT DeviceFront::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
    if (matrix == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    TransformSet(state, *matrix);
    return D3D_OK;
}

HRESULT DeviceFront::SetMaterial(const D3DMATERIAL9* material) {
    if (material == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    MaterialSet(*material);
    return D3D_OK;
}

HRESULT DeviceFront::SetLight(DWORD index, const D3DLIGHT9* light) {
    if (light == nullptr || light->Type < D3DLIGHT_POINT || light->Type > D3DLIGHT_DIRECTIONAL) {
        return D3DERR_INVALIDCALL;
    }
    // A light that shines along no direction has none to be drawn with.
    const D3DVECTOR& direction = light->Direction;
    const bool aimed = light->Type != D3DLIGHT_POINT;
    if (aimed && direction.x == 0.0f && direction.y == 0.0f && direction.z == 0.0f) {
        return D3DERR_INVALIDCALL;
    }
    LightSet(index, *light);
    return D3D_OK;
}

HRESULT DeviceFront::LightEnable(DWORD index, BOOL enable) {
    LightEnabled(index, enable != FALSE);
    return D3D_OK;
}

HRESULT DeviceFront::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    if (static_cast<DWORD>(state) >= RENDER_STATE_LIMIT) {
        return D3DERR_INVALIDCALL;
    }
    RenderStateSet(state, value);
    return D3D_OK;
}

HRESULT DeviceFront::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) {
    if (stage >= TEXTURE_STAGES) {
        return D3DERR_INVALIDCALL;
    }
    TextureFront* mine = nullptr;
    if (texture != nullptr) {
        mine = Mine(texture);
        // Scratch textures are never drawn with, nor system-memory ones on devices that cannot
        // read textures from system memory, as none here can.
        if (mine == nullptr || mine->Pool() == D3DPOOL_SCRATCH ||
            mine->Pool() == D3DPOOL_SYSTEMMEM) {
            return D3DERR_INVALIDCALL;
        }
        mine->Hold();
    }
    if (bound[stage] != nullptr) {
        bound[stage]->Drop();
    }
    bound[stage] = mine;
    return D3D_OK;
}

HRESULT DeviceFront::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
    if (stage >= TEXTURE_STAGES || static_cast<DWORD>(type) >= STAGE_STATE_LIMIT) {
        return D3DERR_INVALIDCALL;
    }
    StageStateSet(stage, type, value);
    return D3D_OK;
}

HRESULT DeviceFront::SetFVF(DWORD newFvf) {
    if (fvf != newFvf) {
        fvf = newFvf;
        layoutKnown = DecodeVertexFormat(fvf, layout);
        VertexFormatSet();
    }
    return D3D_OK;
}

bool DeviceFront::DrawAllowed(uint64_t vertexCount, const void* vertexData,
                              UINT vertexStride) const {
    return inScene && vertexCount != 0 && vertexCount <= MAX_DRAW_VERTICES &&
           vertexData != nullptr && layoutKnown && vertexStride >= layout.size;
}

HRESULT DeviceFront::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount,
                                     const void* vertexData, UINT vertexStride) {
    const uint64_t vertices = VerticesPerDraw(type, primitiveCount);
    if (!DrawAllowed(vertices, vertexData, vertexStride)) {
        return D3DERR_INVALIDCALL;
    }
    return Draw(type, primitiveCount, nullptr, 0, vertices, vertexData, vertexStride);
}

HRESULT DeviceFront::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minVertexIndex,
                                            UINT numVertices, UINT primitiveCount,
                                            const void* indexData, D3DFORMAT indexFormat,
                                            const void* vertexData, UINT vertexStride) {
    const uint64_t indices = VerticesPerDraw(type, primitiveCount);
    const UINT indexSize = IndexSize(indexFormat);
    const uint64_t vertices = uint64_t{minVertexIndex} + numVertices;
    if (!DrawAllowed(vertices, vertexData, vertexStride) || numVertices == 0 || indices == 0 ||
        indices > MAX_DRAW_VERTICES || indexSize == 0 || indexData == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    // Direct3D leaves a stray index undefined; a backend would read past the vertices given.
    if (!IndicesBelow(indexData, indexSize, indices, vertices)) {
        return D3DERR_INVALIDCALL;
    }
    return Draw(type, primitiveCount, indexData, indexSize, vertices, vertexData, vertexStride);
}

}  // namespace platform::d3d9

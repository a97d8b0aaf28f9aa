// Direct3D 9's rules for the device calls the game makes, written once for every device: argument
// checks, state ranges, scenes, texture binding, vertex formats and the return codes. A backend
// derives from it and is handed only the calls the front accepted, to draw them or keep them.
#pragma once

#include <cstdint>

#include "platform/d3d9/d3d9_geometry.h"
#include "platform/d3d9/d3d9_subset.h"
#include "platform/d3d9/device_hooks.h"

namespace platform::d3d9 {

class TextureFront;

class DeviceFront : public IDirect3DDevice9 {
  public:
    // The fixed-function stages: Direct3D 9 devices have at most eight.
    static constexpr DWORD TEXTURE_STAGES = 8;
    // Render-state and texture-stage-state numbers stay below these.
    static constexpr DWORD RENDER_STATE_LIMIT = 256;
    static constexpr DWORD STAGE_STATE_LIMIT = 33;
    // More vertices than any draw of the game; it keeps a wrong count from allocating gigabytes.
    static constexpr uint64_t MAX_DRAW_VERTICES = uint64_t{1} << 24;

    DeviceFront(const DeviceFront&) = delete;
    DeviceFront& operator=(const DeviceFront&) = delete;

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                          D3DPOOL pool, IDirect3DTexture9** texture, HANDLE* sharedHandle) override;
    HRESULT UpdateTexture(IDirect3DBaseTexture9* source,
                          IDirect3DBaseTexture9* destination) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour, float z,
                  DWORD stencil) override;
    HRESULT Present(const RECT* sourceRect, const RECT* destRect, HWND destWindowOverride,
                    const RGNDATA* dirtyRegion) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
    HRESULT SetMaterial(const D3DMATERIAL9* material) override;
    HRESULT SetLight(DWORD index, const D3DLIGHT9* light) override;
    HRESULT LightEnable(DWORD index, BOOL enable) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData,
                            UINT vertexStride) override;
    HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minVertexIndex, UINT numVertices,
                                   UINT primitiveCount, const void* indexData,
                                   D3DFORMAT indexFormat, const void* vertexData,
                                   UINT vertexStride) override;
    HRESULT SetFVF(DWORD fvf) override;

    // The automatic depth buffer's format that `parameters` ask for; D3DFMT_UNKNOWN for none.
    static D3DFORMAT DepthFormat(const D3DPRESENT_PARAMETERS& parameters);

  protected:
    // `depthFormat` is the automatic depth buffer's, D3DFMT_UNKNOWN for none.
    DeviceFront(D3DFORMAT depthFormat, DeviceHooks hooks);
    // Lets go of the bound textures.
    ~DeviceFront() override;

    ULONG References() const { return references; }
    bool HasDepthBuffer() const { return depthFormat != D3DFMT_UNKNOWN; }
    bool InScene() const { return inScene; }
    TextureFront* BoundTexture(DWORD stage) const { return bound[stage]; }
    DWORD VertexFormat() const { return fvf; }
    // The layout of VertexFormat(); draws reach the backend only with one.
    const VertexLayout& Layout() const { return layout; }

    // The backend's part. Each runs only for a call the front accepted, after the front has taken
    // the call's own effect (scene begun or ended, texture bound, vertex format set).
    virtual TextureFront* MakeTexture(DWORD usage, D3DPOOL pool) = 0;
    // A texture made and allocated.
    virtual void TextureMade(TextureFront& /*texture*/) {}
    virtual void SceneEnded() {}
    virtual void ClearTargets(DWORD /*count*/, const D3DRECT* /*rects*/, DWORD /*flags*/,
                              D3DCOLOR /*colour*/, float /*z*/) {}
    virtual void ShowFrame() {}
    virtual void TransformSet(D3DTRANSFORMSTATETYPE /*state*/, const D3DMATRIX& /*matrix*/) {}
    virtual void MaterialSet(const D3DMATERIAL9& /*material*/) {}
    virtual void LightSet(DWORD /*index*/, const D3DLIGHT9& /*light*/) {}
    virtual void LightEnabled(DWORD /*index*/, bool /*enabled*/) {}
    virtual void RenderStateSet(D3DRENDERSTATETYPE /*state*/, DWORD /*value*/) {}
    virtual void StageStateSet(DWORD /*stage*/, D3DTEXTURESTAGESTATETYPE /*type*/,
                               DWORD /*value*/) {}
    virtual void VertexFormatSet() {}
    // `indexData` is null for a draw without indices; `vertexCount` vertices may be read. A
    // backend fails only for want of its own means (D3DERR_NOTAVAILABLE).
    virtual HRESULT Draw(D3DPRIMITIVETYPE /*type*/, UINT /*primitiveCount*/,
                         const void* /*indexData*/, UINT /*indexSize*/, uint64_t /*vertexCount*/,
                         const void* /*vertexData*/, UINT /*vertexStride*/) {
        return D3D_OK;
    }

  private:
    // What both draw calls require of the device's state and their vertices.
    bool DrawAllowed(uint64_t vertexCount, const void* vertexData, UINT vertexStride) const;
    TextureFront* Mine(IDirect3DBaseTexture9* texture) const;

    D3DFORMAT depthFormat;
    DeviceHooks hooks;
    ULONG references = 1;
    bool inScene = false;
    TextureFront* bound[TEXTURE_STAGES] = {};
    DWORD fvf = 0;
    VertexLayout layout;
    bool layoutKnown = false;  // fvf is a format the devices draw
};

}  // namespace platform::d3d9

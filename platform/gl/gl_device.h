// The Direct3D 9 device over OpenGL 2.1's fixed-function pipeline: it keeps Direct3D's state
// and hands it to OpenGL when a draw needs it.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/d3d9_geometry.h"
#include "platform/d3d9_subset.h"
#include "platform/device_hooks.h"
#include "platform/gl/gl_context.h"
#include "platform/gl/opengl.h"

namespace platform::gl {

class GlTexture;

class GlDevice final : public IDirect3DDevice9 {
  public:
    // Draws into `window`, or offscreen when it has no SDL window. Fills in the back buffer size
    // and format the way Direct3D does. Fails with D3DERR_NOTAVAILABLE when OpenGL cannot be had
    // or full screen is asked for.
    static HRESULT Create(IDirect3D9* parent, HWND window, D3DPRESENT_PARAMETERS& parameters,
                          const DeviceHooks& hooks, IDirect3DDevice9** device);

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                          D3DPOOL pool, IDirect3DTexture9** texture, HANDLE* sharedHandle) override;
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

    // For textures of this device.
    void MakeCurrent() { context->MakeCurrent(); }
    void ForgetTexture(GlTexture* texture);

    // The back buffer as ARGB texels, rows top first.
    void ReadBack(std::vector<uint32_t>& texels, int& width, int& height);

    // One vertex as OpenGL's client arrays read it.
    struct Vertex {
        float position[4];
        float normal[3];
        uint8_t colour[4];
        float texture[2];
    };

  private:
    static constexpr size_t RENDER_STATE_COUNT = 256;
    static constexpr size_t STAGE_COUNT = 8;
    static constexpr size_t STAGE_STATE_COUNT = 33;

    struct LightSlot {
        D3DLIGHT9 light;
        bool enabled = false;
    };

    GlDevice(IDirect3D9* parent, std::unique_ptr<GlContext> context, int width, int height,
             bool depthBuffer, const DeviceHooks& hooks);
    ~GlDevice() override;

    void SetDefaultStates();
    void InitialiseOpenGl();

    // gl_draw.cpp
    HRESULT Draw(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* indexData, UINT indexSize,
                 uint64_t vertexCount, const void* vertexData, UINT vertexStride);
    void ConvertVertices(const VertexLayout& layout, const void* vertexData, UINT vertexStride,
                         uint64_t count);
    void ApplyFixedStates();
    void ApplyTransforms(bool transformed);
    void ApplyLighting(const VertexLayout& layout);
    void ApplyLights();
    void ApplyMaterial(const VertexLayout& layout);
    void ApplyTextureStage();

    IDirect3D9* parent;
    DeviceHooks hooks;
    std::unique_ptr<GlContext> context;
    ULONG references = 1;
    int width;
    int height;
    bool depthBuffer;
    bool inScene = false;

    std::array<DWORD, RENDER_STATE_COUNT> renderStates{};
    std::array<std::array<DWORD, STAGE_STATE_COUNT>, STAGE_COUNT> stageStates{};
    D3DMATRIX world{};
    D3DMATRIX view{};
    D3DMATRIX projection{};
    D3DMATERIAL9 material{};
    std::map<DWORD, LightSlot> lights;
    DWORD fvf = 0;
    GlTexture* bound[STAGE_COUNT] = {};
    std::set<GlTexture*> textures;  // alive, whether bound or not
    GLuint whiteTexture = 0;        // stands in for "no texture", which reads as opaque white

    // What has changed since the last draw handed it to OpenGL.
    bool fixedStatesDirty = true;
    bool transformsDirty = true;
    bool stageDirty = true;
    bool lightsDirty = true;   // light positions also depend on the view
    int lastTransformed = -1;  // -1: no draw yet
    std::vector<Vertex> scratch;
};

}  // namespace platform::gl

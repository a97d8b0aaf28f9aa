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
#include "platform/gl/gl_texture_pages.h"
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

    // For textures of this device.
    void MakeCurrent() { context->MakeCurrent(); }
    void ForgetTexture(GlTexture* texture);
    // Where textures keep their texels. It binds for them, so that draws know what is bound.
    TexturePages& Pages() { return pages; }

    // The back buffer as ARGB texels, rows top first.
    void ReadBack(std::vector<uint32_t>& texels, int& width, int& height);

    // One vertex as OpenGL's client arrays read it.
    struct Vertex {
        float position[4];
        float normal[3];
        uint8_t colour[4];
        float texture[3];  // the third picks the layer of a shared 3-D texture
    };

  private:
    static constexpr size_t RENDER_STATE_COUNT = 256;
    static constexpr size_t STAGE_COUNT = 8;
    static constexpr size_t STAGE_STATE_COUNT = 33;

    struct LightSlot {
        D3DLIGHT9 light;
        bool enabled = false;
    };

    // The fixed-function switches as OpenGL last received them.
    struct FixedStates {
        bool blend = false;
        GLenum sourceBlend = GL_ONE;
        GLenum destinationBlend = GL_ZERO;
        bool alphaTest = false;
        GLenum alphaFunction = GL_ALWAYS;
        float alphaReference = 0.0f;
        bool depthTest = false;
        bool depthWrite = true;
        GLenum depthFunction = GL_LESS;
        GLenum polygonMode = GL_FILL;
        bool cull = false;
        GLenum cullFace = GL_BACK;
        GLenum shadeModel = GL_SMOOTH;
        bool normalize = false;
        bool dither = false;
    };

    GlDevice(IDirect3D9* parent, std::unique_ptr<GlContext> context, int width, int height,
             bool depthBuffer, const DeviceHooks& hooks);
    ~GlDevice() override;

    void SetDefaultStates();
    void InitialiseOpenGl();
    void MarkRenderStateChanged(D3DRENDERSTATETYPE state);

    // gl_draw.cpp
    HRESULT Draw(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* indexData, UINT indexSize,
                 uint64_t vertexCount, const void* vertexData, UINT vertexStride);
    void ConvertVertices(const VertexLayout& layout, const void* vertexData, UINT vertexStride,
                         uint64_t count, float layerCoordinate);
    void ApplyFixedStates();
    void ApplyTransforms(bool transformed);
    void SelectMatrix(GLenum mode);
    void ApplyLighting(const VertexLayout& layout);
    void ApplyLightModel();
    void ApplyLights();
    void ApplyMaterial(const VertexLayout& layout);
    void ApplyTextureStage(const TexturePlace& texture);
    void PointArraysAtScratch();

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
    TextureBindings bindings;
    TexturePages pages{bindings};
    TexturePlace white;  // stands in for "no texture", which reads as opaque white
    GLenum enabledTarget = GL_TEXTURE_2D;

    // What has changed since the last draw handed it to OpenGL. A setter that stores the value
    // already held changes nothing, so the game's per-instance repeats cost no OpenGL calls.
    bool fixedStatesDirty = true;
    bool stageDirty = true;
    bool lightsDirty = true;  // light positions also depend on the view
    bool lightModelDirty = true;
    bool materialDirty = true;

    // What OpenGL holds now, so that a draw sends only differences. Until the first draw has
    // sent them all, the fixed states are unknown.
    bool fixedStatesKnown = false;
    FixedStates applied;
    enum class Projection { UNKNOWN, WINDOW, CAMERA };
    enum class ModelView { UNKNOWN, IDENTITY, VIEW_AND_WORLD };
    Projection appliedProjection = Projection::UNKNOWN;
    ModelView appliedModelView = ModelView::UNKNOWN;
    GLenum matrixMode = 0;             // 0: unknown
    int appliedLighting = -1;          // -1: unknown
    GLenum appliedTracking = 0;        // the material colour following the vertex colour; 0: none
    bool trackingKnown = false;        // false until a lit draw has sent the material
    const Vertex* arraysAt = nullptr;  // where the client arrays point

    VertexLayout fvfLayout;  // `fvf` decoded, when it is a format the device draws
    bool fvfDrawable = false;
    std::vector<Vertex> scratch;
};

}  // namespace platform::gl

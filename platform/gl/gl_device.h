// The Direct3D 9 device over programmable OpenGL (3.3 core or ES 3.0): it keeps Direct3D's
// state and, when a draw needs it, picks the shaders for it and hands OpenGL the rest.
#pragma once

#include <array>
#include <bitset>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/d3d9/device_front.h"
#include "platform/gl/gl_context.h"
#include "platform/gl/gl_direct3d.h"
#include "platform/gl/gl_letterbox.h"
#include "platform/gl/gl_render_scale.h"
#include "platform/gl/gl_scene_layer.h"
#include "platform/gl/gl_shaders.h"
#include "platform/gl/gl_source_cache.h"
#include "platform/gl/gl_states.h"
#include "platform/gl/gl_stream_buffer.h"
#include "platform/gl/gl_texture_pages.h"
#include "platform/gl/opengl.h"

namespace platform::gl {

class GlTexture;

class GlDevice final : public d3d9::DeviceFront {
  public:
    // Draws into `window`, or offscreen into a hidden surface of the `offscreen` size when it has
    // no native window. Fills in the back buffer size and format the way Direct3D does. Fails with
    // D3DERR_NOTAVAILABLE when OpenGL cannot be had or full screen is asked for.
    static HRESULT Create(IDirect3D9* parent, HWND window, D3DPRESENT_PARAMETERS& parameters,
                          const DeviceHooks& hooks, const OffscreenDrawable& offscreen,
                          IDirect3DDevice9** device);

    // For textures of this device.
    void MakeCurrent() { context->MakeCurrent(); }
    void ForgetTexture(GlTexture* texture);
    // Where textures keep their texels. It binds for them, so that draws know what is bound.
    TexturePages& Pages() { return pages; }

    enum class ReadArea {
        PICTURE,   // the back buffer as drawn: the letterboxed picture at the drawable's resolution
        DRAWABLE,  // the whole drawable, bars included
    };
    // ARGB texels, rows top first.
    void ReadBack(ReadArea area, std::vector<uint32_t>& texels, int& width, int& height);

    GlFlavour Flavour() const { return context->Flavour(); }
    // Shader programs compiled so far; each is compiled once, on its first draw.
    size_t ProgramCount() const { return programs->Size(); }

    // One vertex as the vertex shader's inputs read it.
    struct Vertex {
        float position[4];
        float normal[3];
        uint8_t colour[4];
        float texture[3];  // the third picks the layer of a shared 3-D texture
    };

  private:
    static constexpr size_t RENDER_STATE_COUNT = RENDER_STATE_LIMIT;
    static constexpr size_t STAGE_COUNT = TEXTURE_STAGES;
    static constexpr size_t STAGE_STATE_COUNT = STAGE_STATE_LIMIT;

    struct LightSlot {
        D3DLIGHT9 light;
        bool enabled = false;
    };

    // The OpenGL switches as OpenGL last received them.
    struct FixedStates {
        bool blend = false;
        GLenum sourceBlend = GL_ONE;
        GLenum destinationBlend = GL_ZERO;
        bool depthTest = false;
        bool depthWrite = true;
        GLenum depthFunction = GL_LESS;
        bool cull = false;
        GLenum cullFace = GL_BACK;
        bool dither = false;
    };

    GlDevice(IDirect3D9* parent, std::unique_ptr<GlContext> context, int width, int height,
             D3DFORMAT depthFormat, const DeviceHooks& hooks);
    ~GlDevice() override;

    // What the device does with the calls the front accepted.
    d3d9::TextureFront* MakeTexture(DWORD usage, D3DPOOL pool) override;
    void TextureMade(d3d9::TextureFront& texture) override;
    void SceneEnded() override;
    void ClearTargets(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour,
                      float z) override;
    void ShowFrame() override;
    void TransformSet(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix) override;
    void MaterialSet(const D3DMATERIAL9& newMaterial) override;
    void LightSet(DWORD index, const D3DLIGHT9& light) override;
    void LightEnabled(DWORD index, bool enabled) override;
    void RenderStateSet(D3DRENDERSTATETYPE state, DWORD value) override;
    void StageStateSet(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    void VertexFormatSet() override;
    HRESULT Draw(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* indexData, UINT indexSize,
                 uint64_t vertexCount, const void* vertexData, UINT vertexStride) override;
    // The texture bound to stage 0, which is the one drawn with.
    GlTexture* DrawnTexture() const;

    void SetDefaultStates();
    void InitialiseOpenGl();
    // Lays the picture onto the drawable's present size (after a resize, or at the start).
    void FitToDrawable();
    void UsePictureViewport();
    // With the scissor test on.
    void ClearArea(const PixelRect& area, GLbitfield mask);
    // The layer's part of a clear, when this frame draws its 3-D scene there.
    void ClearLayer(DWORD count, const D3DRECT* rects, GLbitfield mask);
    // The picture's size over the back buffer's, in whole times.
    int FullFactor() const;
    // At a frame's first clear: how finely its 3-D scene is drawn, and the frame's clock.
    void BeginFrame();
    // Before each draw: the 3-D scene into the layer, sprites straight onto the picture, the
    // layer enlarged under them first.
    void RouteDraw(bool transformed);
    void FinishLayer();
    void MarkChanged(StateGroup group);
    void NoteUnknownState(std::bitset<RENDER_STATE_COUNT>& seen, const char* kind, DWORD number);

    // gl_device_restore.cpp
    // False while the context is lost: drawing then does nothing. When it has come back empty,
    // makes the device's OpenGL objects anew from the device's own copies first.
    bool ContextUsable();
    void RecreateOpenGlObjects();

    // gl_draw.cpp
    // The draw's vertices from the cache when the game drew the same ones before, else streamed;
    // the attributes read them from `base` on.
    const Vertex* SupplyVertices(const void* vertexData, UINT vertexStride, uint64_t count,
                                 float layerCoordinate, uint32_t& base, bool& cached);
    void ConvertVertices(const VertexLayout& layout, const void* vertexData, UINT vertexStride,
                         uint64_t count, float layerCoordinate, Vertex* converted) const;
    void PointAttributesAt(GLuint buffer);
    // The indices of a draw, or of its outline for the wireframe and point fills, counted from
    // `base`, into `indices`.
    void MakeIndices(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* indexData,
                     UINT indexSize, uint32_t base, const Vertex* vertices);
    void ApplyFixedStates();
    // What a draw's texture stage reads: no texture (opaque white), a 2-D texture, or a layer of
    // a shared 3-D one.
    enum class Sampled : uint8_t { NOTHING, FLAT, LAYER };
    ShaderKey MakeKey(const VertexLayout& layout, Sampled sampled) const;
    bool UseProgram(const VertexLayout& layout, Sampled sampled);
    void SendUniforms(GlProgram& program, bool transformed);
    void SendTransform(GlProgram& program);
    void SendLights(GlProgram& program);
    void SendMaterial(GlProgram& program);
    void SendConstants(GlProgram& program);
    // The triangles of a draw as lines or points, for the fill modes OpenGL ES lacks.
    void OutlineTriangles(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* indexData,
                          UINT indexSize, uint32_t base, bool points, const Vertex* vertices);
    bool FacesAway(const Vertex* corners[3], const D3DMATRIX& toClip, bool transformed) const;
    // The fill mode draws the triangles' edges or corners.
    bool Outlined(D3DPRIMITIVETYPE type) const;
    // Whether the outline depends on the transforms: outlines leave out faces turned away.
    bool OutlineCulled() const;

    IDirect3D9* parent;
    std::unique_ptr<GlContext> context;
    int width;  // of the back buffer: the game's coordinates
    int height;
    // The window's pixels and the picture's place on them; the viewport covers the picture.
    int drawableWidth = 0;
    int drawableHeight = 0;
    PixelRect picture;

    std::array<DWORD, RENDER_STATE_COUNT> renderStates{};
    std::array<std::array<DWORD, STAGE_STATE_COUNT>, STAGE_COUNT> stageStates{};
    D3DMATRIX world{};
    D3DMATRIX view{};
    D3DMATRIX projection{};
    D3DMATERIAL9 material{};
    std::map<DWORD, LightSlot> lights;
    std::set<GlTexture*> textures;  // alive, whether bound or not
    TextureBindings bindings;
    TexturePages pages{bindings};
    TexturePlace white;  // stands in for "no texture", which reads as opaque white

    // States outside the table, each logged once (debug builds only).
    std::bitset<RENDER_STATE_COUNT> unknownRenderStates;
    std::bitset<RENDER_STATE_COUNT> unknownStageStates;

    // What has changed since the last draw handed it to OpenGL. A setter that stores the value
    // already held changes nothing, so the game's per-instance repeats cost no OpenGL calls.
    bool fixedStatesDirty = true;
    bool keyDirty = true;
    // Each uniform group's version; a program holding an older one is sent the group again.
    std::array<uint64_t, UNIFORM_GROUP_COUNT> uniformVersions;

    // What OpenGL holds now, so that a draw sends only differences. Until the first draw has
    // sent them all, the fixed states are unknown.
    bool fixedStatesKnown = false;
    FixedStates applied;
    std::unique_ptr<ProgramCache> programs;  // goes before the context
    ShaderKey key;                           // of the last draw, valid while keyDirty is false
    bool keyTransformed = false;
    bool keyVertexColour = false;
    Sampled keySampled = Sampled::FLAT;
    GlProgram* program = nullptr;  // the program OpenGL uses now
    GLuint vertexArray = 0;
    BufferBindings bufferBindings;
    GLuint attributeSource = 0;  // the buffer the vertex attributes read
    std::unique_ptr<StreamBuffer> vertexStream;
    std::unique_ptr<StreamBuffer> indexStream;
    std::unique_ptr<SourceCache> vertexCache;
    std::unique_ptr<SourceCache> indexCache;

    // The 3-D scene at a lower factor than the picture's, when frames run late.
    RenderScale renderScale;
    std::unique_ptr<SceneLayer> layer;
    bool layerInUse = false;  // this frame's 3-D scene goes into the layer
    bool layerBound = false;  // the layer is bound for drawing now
    bool layerDrawn = false;  // 3-D drawn into the layer and not yet enlarged
    bool layerDone = false;   // enlarged: the rest of the frame goes straight onto the picture
    // What the frame cost: from its first clear to its EndScene, and its present.
    bool frameStarted = false;
    std::chrono::steady_clock::time_point frameStart;
    std::chrono::nanoseconds sceneTime{};

    std::vector<Vertex> scratch;
    std::vector<uint32_t> indices;  // of the draw, counted from the streamed vertices' start
};

}  // namespace platform::gl

// The OpenGL device: creation, reference counting, textures, scenes, clearing, presenting and
// the state setters, which only record what a later draw hands to OpenGL.
#include "platform/gl/gl_device.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "platform/d3d9/d3d9_geometry.h"
#include "platform/gl/gl_texture.h"
#include "platform/gl/gl_translate.h"
#include "platform/win32/win32_subset.h"

namespace platform::gl {

namespace {

// The client size the game's window has, for a handle that cannot tell its own.
constexpr int DEFAULT_WIDTH = 640;
constexpr int DEFAULT_HEIGHT = 480;
constexpr int LARGEST_SIDE = 8192;  // as large as Direct3D 9 hardware goes
constexpr uint32_t OPAQUE_WHITE = 0xFFFFFFFF;
constexpr uint32_t OPAQUE_ALPHA = 0xFF000000;
constexpr D3DCOLOR BAR_COLOUR = 0xFF000000;

// What LightEnable gives a light that was never set.
D3DLIGHT9 DefaultLight() {
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
    light.Direction = {0.0f, 0.0f, 1.0f};
    return light;
}

// A clear rectangle cut to the back buffer.
PixelRect InBackBuffer(const D3DRECT& rect, int width, int height) {
    const LONG left = std::clamp<LONG>(rect.x1, 0, width);
    const LONG top = std::clamp<LONG>(rect.y1, 0, height);
    const LONG right = std::clamp<LONG>(rect.x2, 0, width);
    const LONG bottom = std::clamp<LONG>(rect.y2, 0, height);
    return {left, top, right - left, bottom - top};
}

}  // namespace

HRESULT GlDevice::Create(IDirect3D9* parent, HWND window, D3DPRESENT_PARAMETERS& parameters,
                         const DeviceHooks& hooks, const OffscreenDrawable& offscreen,
                         IDirect3DDevice9** device) {
    if (!parameters.Windowed) {
        return D3DERR_NOTAVAILABLE;
    }
    int width = static_cast<int>(parameters.BackBufferWidth);
    int height = static_cast<int>(parameters.BackBufferHeight);
    if (width == 0 || height == 0) {
        RECT client{};
        if (window != nullptr && GetClientRect(window, &client) && client.right > client.left &&
            client.bottom > client.top) {
            width = client.right - client.left;
            height = client.bottom - client.top;
        } else {
            width = DEFAULT_WIDTH;
            height = DEFAULT_HEIGHT;
        }
    }
    const bool exactDrawable = offscreen.width > 0 && offscreen.height > 0;
    const int drawableWidth = exactDrawable ? offscreen.width : width * offscreen.scale;
    const int drawableHeight = exactDrawable ? offscreen.height : height * offscreen.scale;
    const auto fits = [](int side) { return side > 0 && side <= LARGEST_SIDE; };
    if (!fits(width) || !fits(height) || offscreen.scale < 1 || !fits(drawableWidth) ||
        !fits(drawableHeight)) {
        return D3DERR_INVALIDCALL;
    }
    std::string error;
    const bool immediate = parameters.PresentationInterval == D3DPRESENT_INTERVAL_IMMEDIATE;
    std::unique_ptr<GlContext> context =
        GlContext::Create(window, drawableWidth, drawableHeight, immediate, error);
    const D3DFORMAT depthFormat = DepthFormat(parameters);
    if (context != nullptr && depthFormat != D3DFMT_UNKNOWN && context->DepthBits() == 0) {
        error = "the OpenGL context has no depth buffer";
        context.reset();
    }
    if (context == nullptr) {
        std::fprintf(stderr, "gorvanti: Direct3D device over OpenGL: %s\n", error.c_str());
        return D3DERR_NOTAVAILABLE;
    }
    parameters.BackBufferWidth = static_cast<UINT>(width);
    parameters.BackBufferHeight = static_cast<UINT>(height);
    parameters.BackBufferCount = std::max<UINT>(parameters.BackBufferCount, 1);
    if (parameters.BackBufferFormat == D3DFMT_UNKNOWN) {
        parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    }
    *device = new GlDevice(parent, std::move(context), width, height, depthFormat, hooks);
    return D3D_OK;
}

GlDevice::GlDevice(IDirect3D9* parent, std::unique_ptr<GlContext> context, int width, int height,
                   D3DFORMAT depthFormat, const DeviceHooks& hooks)
    : DeviceFront(depthFormat, hooks),
      parent(parent),
      context(std::move(context)),
      width(width),
      height(height),
      programs(std::make_unique<ProgramCache>(this->context->Flavour())),
      renderScale(RenderScale::FromEnvironment(!this->context->Offscreen())) {
    uniformVersions.fill(1);
    parent->AddRef();
    SetDefaultStates();
    InitialiseOpenGl();
}

GlDevice::~GlDevice() {
    MakeCurrent();
    // Textures the game still holds, and those still bound, outlive us as texels in memory.
    for (GlTexture* texture : textures) {
        pages.Free(texture->Place());
        texture->Orphan();
    }
    textures.clear();
    pages.Free(white);
    pages.DeleteAll();
    programs.reset();
    layer.reset();
    indexCache.reset();
    vertexCache.reset();
    indexStream.reset();
    vertexStream.reset();
    glDeleteVertexArrays(1, &vertexArray);
    context.reset();
    parent->Release();
}

void GlDevice::SetDefaultStates() {
    renderStates[D3DRS_ZENABLE] = HasDepthBuffer() ? D3DZB_TRUE : D3DZB_FALSE;
    renderStates[D3DRS_FILLMODE] = D3DFILL_SOLID;
    renderStates[D3DRS_SHADEMODE] = D3DSHADE_GOURAUD;
    renderStates[D3DRS_ZWRITEENABLE] = TRUE;
    renderStates[D3DRS_LASTPIXEL] = TRUE;
    renderStates[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    renderStates[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
    renderStates[D3DRS_CULLMODE] = D3DCULL_CCW;
    renderStates[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
    renderStates[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
    renderStates[D3DRS_TEXTUREFACTOR] = OPAQUE_WHITE;
    renderStates[D3DRS_CLIPPING] = TRUE;
    renderStates[D3DRS_LIGHTING] = TRUE;
    renderStates[D3DRS_COLORVERTEX] = TRUE;
    renderStates[D3DRS_LOCALVIEWER] = TRUE;
    renderStates[D3DRS_DIFFUSEMATERIALSOURCE] = D3DMCS_COLOR1;
    renderStates[D3DRS_SPECULARMATERIALSOURCE] = D3DMCS_COLOR2;
    renderStates[D3DRS_AMBIENTMATERIALSOURCE] = D3DMCS_MATERIAL;
    renderStates[D3DRS_EMISSIVEMATERIALSOURCE] = D3DMCS_MATERIAL;
    renderStates[D3DRS_BLENDOP] = D3DBLENDOP_ADD;
    for (size_t stage = 0; stage < STAGE_COUNT; ++stage) {
        std::array<DWORD, STAGE_STATE_COUNT>& states = stageStates[stage];
        states[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        states[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
        states[D3DTSS_COLORARG2] = D3DTA_CURRENT;
        states[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        states[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        states[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        states[D3DTSS_TEXCOORDINDEX] = static_cast<DWORD>(stage);
    }
    world = view = projection = IdentityMatrix();
}

void GlDevice::InitialiseOpenGl() {
    MakeCurrent();
    FitToDrawable();
    glDisable(GL_DITHER);
    glFrontFace(GL_CW);  // Direct3D's front faces are clockwise on the screen
    // Draws stream their vertices, laid out as Vertex, and their indices through two buffers,
    // or draw from the buffers of the cache when they come from memory drawn from before.
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    vertexStream = std::make_unique<StreamBuffer>(GL_ARRAY_BUFFER, bufferBindings);
    indexStream = std::make_unique<StreamBuffer>(GL_ELEMENT_ARRAY_BUFFER, bufferBindings);
    vertexCache = std::make_unique<SourceCache>(GL_ARRAY_BUFFER, bufferBindings);
    indexCache = std::make_unique<SourceCache>(GL_ELEMENT_ARRAY_BUFFER, bufferBindings);
    layer = std::make_unique<SceneLayer>();
    PointAttributesAt(vertexStream->Name());
    for (GLuint attribute = 0; attribute < 4; ++attribute) {
        glEnableVertexAttribArray(attribute);
    }
    glActiveTexture(GL_TEXTURE0);
    pages.Initialise();
    white = pages.Allocate(1, 1, false);
    pages.Upload(white, 1, 1, &OPAQUE_WHITE);
}

void GlDevice::FitToDrawable() {
    int newWidth = 0;
    int newHeight = 0;
    context->DrawableSize(newWidth, newHeight);
    if (newWidth == drawableWidth && newHeight == drawableHeight) {
        return;
    }
    drawableWidth = newWidth;
    drawableHeight = newHeight;
    picture = LetterboxPicture(drawableWidth, drawableHeight, width, height);
    UsePictureViewport();
}

void GlDevice::UsePictureViewport() {
    // The game's viewport is the whole back buffer: ClipFix and WindowToClip stay in its
    // coordinates, and the viewport carries them onto the picture (or the layer).
    glViewport(picture.x, RowsBelow(picture, drawableHeight), picture.width, picture.height);
}

int GlDevice::FullFactor() const {
    return std::max(1, picture.width / width);
}

void GlDevice::BeginFrame() {
    frameStarted = true;
    frameStart = std::chrono::steady_clock::now();
    const int full = FullFactor();
    const int factor = renderScale.Factor(full);
    layerInUse =
        factor < full && layer->Resize(width * factor, height * factor, context->DepthBits());
    layerBound = false;
    layerDrawn = false;
    layerDone = false;
}

void GlDevice::RouteDraw(bool transformed) {
    if (!layerInUse || layerDone) {
        return;
    }
    if (transformed) {
        FinishLayer();
        return;
    }
    if (!layerBound) {
        layer->Bind();
        layerBound = true;
    }
    layerDrawn = true;
}

void GlDevice::FinishLayer() {
    if (!layerInUse || layerDone) {
        return;
    }
    if (layerDrawn) {
        layer->Enlarge(picture, drawableHeight);
    } else if (layerBound) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }
    UsePictureViewport();
    layerBound = false;
    layerDone = true;
}

void GlDevice::ForgetTexture(GlTexture* texture) {
    if (textures.erase(texture) != 0) {
        MakeCurrent();
        pages.Free(texture->Place());
    }
}

d3d9::TextureFront* GlDevice::MakeTexture(DWORD usage, D3DPOOL pool) {
    return new GlTexture(this, usage, pool);
}

void GlDevice::TextureMade(d3d9::TextureFront& texture) {
    auto& made = static_cast<GlTexture&>(texture);
    made.PlaceAgain();
    textures.insert(&made);
}

GlTexture* GlDevice::DrawnTexture() const {
    return static_cast<GlTexture*>(BoundTexture(0));
}

void GlDevice::SceneEnded() {
    MakeCurrent();
    FinishLayer();
    glFlush();
    if (frameStarted) {
        sceneTime = std::chrono::steady_clock::now() - frameStart;
    }
}

void GlDevice::ClearTargets(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour,
                            float z) {
    // The stencil has nothing drawn with it, so there is nothing of it to clear.
    if (!ContextUsable()) {
        return;
    }
    MakeCurrent();
    if (!frameStarted) {
        BeginFrame();
    }
    glEnable(GL_SCISSOR_TEST);
    if ((flags & D3DCLEAR_TARGET) != 0 && count == 0) {
        // The bars stay black whatever the game clears to; its whole-buffer clear begins every
        // frame, so they are painted anew after each resize and each swap.
        float black[4];
        ColourToFloats(BAR_COLOUR, black);
        glClearColor(black[0], black[1], black[2], black[3]);
        for (const PixelRect& bar : BarsAround(picture, drawableWidth, drawableHeight)) {
            ClearArea(bar, GL_COLOR_BUFFER_BIT);
        }
    }
    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET) {
        float rgba[4];
        ColourToFloats(colour, rgba);
        glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_ZBUFFER) {
        glClearDepthf(std::clamp(z, 0.0f, 1.0f));
        // Direct3D clears depth whatever ZWRITEENABLE says.
        if (!fixedStatesKnown || !applied.depthWrite) {
            glDepthMask(GL_TRUE);
            applied.depthWrite = true;
            fixedStatesDirty = true;
        }
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (count == 0) {
        ClearArea(picture, mask);
    }
    for (DWORD i = 0; i < count; ++i) {
        ClearArea(OnPicture(picture, width, height, InBackBuffer(rects[i], width, height)), mask);
    }
    ClearLayer(count, rects, mask);
    glDisable(GL_SCISSOR_TEST);
}

void GlDevice::ClearLayer(DWORD count, const D3DRECT* rects, GLbitfield mask) {
    if (!layerInUse || layerDone || mask == 0) {
        return;
    }
    layer->Bind();
    const PixelRect whole = {0, 0, layer->Width(), layer->Height()};
    for (DWORD i = 0; i < std::max<DWORD>(count, 1); ++i) {
        PixelRect area = whole;
        if (count != 0) {
            area = OnPicture(whole, width, height, InBackBuffer(rects[i], width, height));
        }
        if (!area.Empty()) {
            glScissor(area.x, RowsBelow(area, whole.height), area.width, area.height);
            glClear(mask);
        }
    }
    // What the frame drew into the layer before is gone; the next 3-D draw binds it again.
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    UsePictureViewport();
    layerBound = false;
}

void GlDevice::ClearArea(const PixelRect& area, GLbitfield mask) {
    if (mask != 0 && !area.Empty()) {
        glScissor(area.x, RowsBelow(area, drawableHeight), area.width, area.height);
        glClear(mask);
    }
}

void GlDevice::ShowFrame() {
    const auto swapStart = std::chrono::steady_clock::now();
    context->Swap();
    if (frameStarted) {
        renderScale.NoteFrame(sceneTime + (std::chrono::steady_clock::now() - swapStart),
                              FullFactor());
        frameStarted = false;
    }
    vertexCache->EndFrame();
    indexCache->EndFrame();
    FitToDrawable();
}

void GlDevice::TransformSet(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix) {
    D3DMATRIX* target = nullptr;
    switch (state) {
        case D3DTS_WORLD:
            target = &world;
            break;
        case D3DTS_VIEW:
            target = &view;
            break;
        case D3DTS_PROJECTION:
            target = &projection;
            break;
        default:  // texture transforms and further world matrices are not drawn with
            return;
    }
    if (std::memcmp(target, &matrix, sizeof(D3DMATRIX)) == 0) {
        return;
    }
    *target = matrix;
    switch (state) {
        case D3DTS_WORLD:
            ++uniformVersions[UNIFORMS_TRANSFORM];
            break;
        case D3DTS_VIEW:  // lights live in world space and are sent in view space
            ++uniformVersions[UNIFORMS_TRANSFORM];
            ++uniformVersions[UNIFORMS_LIGHTS];
            break;
        default:
            ++uniformVersions[UNIFORMS_PROJECTION];
            break;
    }
}

void GlDevice::MaterialSet(const D3DMATERIAL9& newMaterial) {
    if (std::memcmp(&material, &newMaterial, sizeof(D3DMATERIAL9)) != 0) {
        material = newMaterial;
        ++uniformVersions[UNIFORMS_MATERIAL];
    }
}

void GlDevice::LightSet(DWORD index, const D3DLIGHT9& light) {
    LightSlot& slot = lights[index];
    if (std::memcmp(&slot.light, &light, sizeof(D3DLIGHT9)) != 0) {
        keyDirty = keyDirty || (slot.enabled && slot.light.Type != light.Type);
        slot.light = light;
        ++uniformVersions[UNIFORMS_LIGHTS];
    }
}

void GlDevice::LightEnabled(DWORD index, bool enabled) {
    auto found = lights.find(index);
    if (found == lights.end()) {
        found = lights.emplace(index, LightSlot{DefaultLight(), false}).first;
    }
    if (found->second.enabled != enabled) {
        found->second.enabled = enabled;
        keyDirty = true;
        ++uniformVersions[UNIFORMS_LIGHTS];
    }
}

void GlDevice::RenderStateSet(D3DRENDERSTATETYPE state, DWORD value) {
    const auto index = static_cast<size_t>(state);
    StateGroup group = StateGroup::IGNORED;
    const bool known = RenderStateGroup(state, group);
    if (!known) {
        NoteUnknownState(unknownRenderStates, "render state", state);
    }
    if (renderStates[index] != value) {
        renderStates[index] = value;
        if (known) {
            MarkChanged(group);
        }
    }
}

void GlDevice::MarkChanged(StateGroup group) {
    switch (group) {
        case StateGroup::FIXED:
            fixedStatesDirty = true;
            break;
        case StateGroup::PROGRAM:
            keyDirty = true;
            break;
        case StateGroup::CONSTANTS:
            ++uniformVersions[UNIFORMS_CONSTANTS];
            break;
        default:  // the fill mode is read by each draw; ignored states are only kept
            break;
    }
}

void GlDevice::NoteUnknownState([[maybe_unused]] std::bitset<RENDER_STATE_COUNT>& seen,
                                [[maybe_unused]] const char* kind, [[maybe_unused]] DWORD number) {
#ifndef NDEBUG
    if (!seen.test(number)) {
        seen.set(number);
        std::fprintf(stderr, "gorvanti: Direct3D device over OpenGL: %s %lu is not drawn with\n",
                     kind, static_cast<unsigned long>(number));
    }
#endif
}

void GlDevice::StageStateSet(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
    const auto index = static_cast<size_t>(type);
    StateGroup group = StateGroup::IGNORED;
    const bool known = StageStateGroup(type, group);
    if (!known) {
        NoteUnknownState(unknownStageStates, "texture stage state", type);
    }
    if (stageStates[stage][index] != value) {
        stageStates[stage][index] = value;
        if (known && stage == 0) {
            MarkChanged(group);
        }
    }
}

void GlDevice::VertexFormatSet() {
    keyDirty = true;
}

void GlDevice::ReadBack(ReadArea area, std::vector<uint32_t>& texels, int& readWidth,
                        int& readHeight) {
    MakeCurrent();
    const PixelRect read =
        area == ReadArea::PICTURE ? picture : PixelRect{0, 0, drawableWidth, drawableHeight};
    readWidth = read.width;
    readHeight = read.height;
    const size_t rowLength = static_cast<size_t>(read.width);
    std::vector<uint32_t> bottomUp(rowLength * static_cast<size_t>(read.height));
    GLint drawBuffer = GL_BACK;
    glGetIntegerv(GL_DRAW_BUFFER0, &drawBuffer);
    glReadBuffer(static_cast<GLenum>(drawBuffer));
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadPixels(read.x, RowsBelow(read, drawableHeight), read.width, read.height, GL_RGBA,
                 GL_UNSIGNED_BYTE, bottomUp.data());
    texels.resize(bottomUp.size());
    for (int row = 0; row < read.height; ++row) {
        const uint32_t* source =
            bottomUp.data() + static_cast<size_t>(read.height - 1 - row) * rowLength;
        uint32_t* target = texels.data() + static_cast<size_t>(row) * rowLength;
        // The bytes R, G, B, A, read as a little-endian value, are 0xAABBGGRR. The back buffer is
        // X8R8G8B8, as Direct3D picks for a windowed device: no alpha.
        for (size_t column = 0; column < rowLength; ++column) {
            const uint32_t abgr = source[column];
            target[column] = OPAQUE_ALPHA | (abgr & 0x0000FF00u) | ((abgr & 0xFFu) << 16) |
                             ((abgr >> 16) & 0xFFu);
        }
    }
}

}  // namespace platform::gl

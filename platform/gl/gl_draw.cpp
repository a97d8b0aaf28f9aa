// Drawing on the OpenGL device: vertices into OpenGL's layout, Direct3D's state into OpenGL's
// fixed-function pipeline, and the draw calls themselves.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gl/gl_device.h"
#include "platform/gl/gl_texture.h"
#include "platform/gl/gl_translate.h"

namespace platform::gl {

namespace {

// More vertices than any draw of the game; it keeps a wrong count from allocating gigabytes.
constexpr uint64_t MAX_DRAW_VERTICES = uint64_t{1} << 24;
constexpr GLint MAX_LIGHTS = 8;  // the least every OpenGL offers
constexpr float MAX_SHININESS = 128.0f;
constexpr float STRAIGHT_ANGLE_DEGREES = 180.0f;
constexpr float RIGHT_ANGLE_DEGREES = 90.0f;
constexpr float DEGREES_PER_RADIAN = 57.29577951f;

GLenum PrimitiveMode(D3DPRIMITIVETYPE type) {
    switch (type) {
        case D3DPT_POINTLIST:
            return GL_POINTS;
        case D3DPT_LINELIST:
            return GL_LINES;
        case D3DPT_LINESTRIP:
            return GL_LINE_STRIP;
        case D3DPT_TRIANGLELIST:
            return GL_TRIANGLES;
        case D3DPT_TRIANGLESTRIP:
            return GL_TRIANGLE_STRIP;
        default:
            return GL_TRIANGLE_FAN;
    }
}

GLenum FillMode(DWORD fill) {
    switch (fill) {
        case D3DFILL_POINT:
            return GL_POINT;
        case D3DFILL_WIREFRAME:
            return GL_LINE;
        default:
            return GL_FILL;
    }
}

void SetEnabled(GLenum capability, bool enabled) {
    if (enabled) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
}

template <typename T>
T ReadAt(const uint8_t* bytes, int offset) {
    T value;
    std::memcpy(&value, bytes + offset, sizeof(T));
    return value;
}

// Sends `wanted` through `send` when OpenGL may hold something else.
template <typename T, typename Send>
void Update(T& applied, T wanted, bool known, Send send) {
    if (!known || applied != wanted) {
        applied = wanted;
        send(wanted);
    }
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

HRESULT GlDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount,
                                  const void* vertexData, UINT vertexStride) {
    const uint64_t vertices = VerticesPerDraw(type, primitiveCount);
    if (!inScene || vertices == 0 || vertices > MAX_DRAW_VERTICES || vertexData == nullptr ||
        vertexStride == 0) {
        return D3DERR_INVALIDCALL;
    }
    return Draw(type, primitiveCount, nullptr, 0, vertices, vertexData, vertexStride);
}

HRESULT GlDevice::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minVertexIndex,
                                         UINT numVertices, UINT primitiveCount,
                                         const void* indexData, D3DFORMAT indexFormat,
                                         const void* vertexData, UINT vertexStride) {
    const uint64_t indices = VerticesPerDraw(type, primitiveCount);
    const UINT indexSize = IndexSize(indexFormat);
    const uint64_t vertices = uint64_t{minVertexIndex} + numVertices;
    if (!inScene || indices == 0 || indices > MAX_DRAW_VERTICES || indexSize == 0 ||
        numVertices == 0 || vertices > MAX_DRAW_VERTICES || indexData == nullptr ||
        vertexData == nullptr || vertexStride == 0) {
        return D3DERR_INVALIDCALL;
    }
    // Direct3D leaves a stray index undefined; here it would read past the converted vertices.
    if (!IndicesBelow(indexData, indexSize, indices, vertices)) {
        return D3DERR_INVALIDCALL;
    }
    return Draw(type, primitiveCount, indexData, indexSize, vertices, vertexData, vertexStride);
}

HRESULT GlDevice::Draw(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* indexData,
                       UINT indexSize, uint64_t vertexCount, const void* vertexData,
                       UINT vertexStride) {
    if (!fvfDrawable || vertexStride < fvfLayout.size) {
        return D3DERR_INVALIDCALL;
    }
    const VertexLayout& layout = fvfLayout;
    MakeCurrent();
    const TexturePlace& texture =
        bound[0] != nullptr && bound[0]->Place().target != 0 ? bound[0]->Place() : white;
    ConvertVertices(layout, vertexData, vertexStride, vertexCount, texture.layerCoordinate);
    if (fixedStatesDirty) {
        ApplyFixedStates();
    }
    ApplyTransforms(layout.transformed);
    ApplyLighting(layout);
    ApplyTextureStage(texture);
    PointArraysAtScratch();

    const GLenum mode = PrimitiveMode(type);
    const auto count = static_cast<GLsizei>(VerticesPerDraw(type, primitiveCount));
    if (indexData == nullptr) {
        glDrawArrays(mode, 0, count);
    } else {
        glDrawElements(mode, count, indexSize == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT,
                       indexData);
    }
    return D3D_OK;
}

void GlDevice::ConvertVertices(const VertexLayout& layout, const void* vertexData,
                               UINT vertexStride, uint64_t count, float layerCoordinate) {
    scratch.resize(count);
    const auto* bytes = static_cast<const uint8_t*>(vertexData);
    for (uint64_t i = 0; i < count; ++i, bytes += vertexStride) {
        Vertex& vertex = scratch[i];
        const float x = ReadAt<float>(bytes, layout.position);
        const float y = ReadAt<float>(bytes, layout.position + 4);
        const float z = ReadAt<float>(bytes, layout.position + 8);
        float w = 1.0f;
        if (layout.transformed) {
            // Window coordinates times w, so that OpenGL's division gives them back and still
            // interpolates with Direct3D's perspective.
            const float rhw = ReadAt<float>(bytes, layout.position + 12);
            w = rhw > 0.0f && std::isfinite(rhw) ? 1.0f / rhw : 1.0f;
        }
        vertex.position[0] = x * w;
        vertex.position[1] = y * w;
        vertex.position[2] = z * w;
        vertex.position[3] = w;
        for (int k = 0; k < 3; ++k) {
            vertex.normal[k] = layout.normal >= 0 ? ReadAt<float>(bytes, layout.normal + 4 * k) : 0;
        }
        // A vertex without a diffuse colour is white.
        ColourToBytes(layout.diffuse >= 0 ? ReadAt<DWORD>(bytes, layout.diffuse) : 0xFFFFFFFF,
                      vertex.colour);
        vertex.texture[0] = layout.texture >= 0 ? ReadAt<float>(bytes, layout.texture) : 0.0f;
        vertex.texture[1] = layout.texture >= 0 ? ReadAt<float>(bytes, layout.texture + 4) : 0.0f;
        vertex.texture[2] = layerCoordinate;
    }
}

void GlDevice::PointArraysAtScratch() {
    // The scratch buffer only moves when a draw needs more vertices than any before it.
    if (arraysAt == scratch.data()) {
        return;
    }
    const GLsizei stride = sizeof(Vertex);
    glVertexPointer(4, GL_FLOAT, stride, scratch[0].position);
    glNormalPointer(GL_FLOAT, stride, scratch[0].normal);
    glColorPointer(4, GL_UNSIGNED_BYTE, stride, scratch[0].colour);
    glTexCoordPointer(3, GL_FLOAT, stride, scratch[0].texture);
    arraysAt = scratch.data();
}

void GlDevice::ApplyFixedStates() {
    FixedStates wanted;
    wanted.blend = renderStates[D3DRS_ALPHABLENDENABLE] != FALSE;
    wanted.sourceBlend = BlendFactor(renderStates[D3DRS_SRCBLEND], GL_ONE);
    wanted.destinationBlend = BlendFactor(renderStates[D3DRS_DESTBLEND], GL_ZERO);
    wanted.alphaTest = renderStates[D3DRS_ALPHATESTENABLE] != FALSE;
    constexpr DWORD ALPHA_REFERENCE_MASK = 0xFF;
    constexpr float ALPHA_REFERENCE_MAX = 255.0f;
    wanted.alphaFunction = CompareFunction(renderStates[D3DRS_ALPHAFUNC], GL_ALWAYS);
    wanted.alphaReference =
        static_cast<float>(renderStates[D3DRS_ALPHAREF] & ALPHA_REFERENCE_MASK) /
        ALPHA_REFERENCE_MAX;
    // Without a depth test OpenGL writes no depth either, as Direct3D with ZENABLE off.
    wanted.depthTest = depthBuffer && renderStates[D3DRS_ZENABLE] != FALSE;
    wanted.depthWrite = renderStates[D3DRS_ZWRITEENABLE] != FALSE;
    wanted.depthFunction = CompareFunction(renderStates[D3DRS_ZFUNC], GL_LEQUAL);
    wanted.polygonMode = FillMode(renderStates[D3DRS_FILLMODE]);
    // D3DCULL_CCW, the default: counter-clockwise faces are the back.
    wanted.cull = renderStates[D3DRS_CULLMODE] != D3DCULL_NONE;
    wanted.cullFace = renderStates[D3DRS_CULLMODE] == D3DCULL_CW ? GL_FRONT : GL_BACK;
    wanted.shadeModel = renderStates[D3DRS_SHADEMODE] == D3DSHADE_FLAT ? GL_FLAT : GL_SMOOTH;
    wanted.normalize = renderStates[D3DRS_NORMALIZENORMALS] != FALSE;
    wanted.dither = renderStates[D3DRS_DITHERENABLE] != FALSE;

    const bool known = fixedStatesKnown;
    FixedStates& now = applied;
    Update(now.blend, wanted.blend, known, [](bool on) { SetEnabled(GL_BLEND, on); });
    if (!known || now.sourceBlend != wanted.sourceBlend ||
        now.destinationBlend != wanted.destinationBlend) {
        now.sourceBlend = wanted.sourceBlend;
        now.destinationBlend = wanted.destinationBlend;
        glBlendFunc(wanted.sourceBlend, wanted.destinationBlend);
    }
    Update(now.alphaTest, wanted.alphaTest, known, [](bool on) { SetEnabled(GL_ALPHA_TEST, on); });
    if (!known || now.alphaFunction != wanted.alphaFunction ||
        now.alphaReference != wanted.alphaReference) {
        now.alphaFunction = wanted.alphaFunction;
        now.alphaReference = wanted.alphaReference;
        glAlphaFunc(wanted.alphaFunction, wanted.alphaReference);
    }
    Update(now.depthTest, wanted.depthTest, known, [](bool on) { SetEnabled(GL_DEPTH_TEST, on); });
    Update(now.depthWrite, wanted.depthWrite, known,
           [](bool on) { glDepthMask(on ? GL_TRUE : GL_FALSE); });
    Update(now.depthFunction, wanted.depthFunction, known, [](GLenum f) { glDepthFunc(f); });
    Update(now.polygonMode, wanted.polygonMode, known,
           [](GLenum m) { glPolygonMode(GL_FRONT_AND_BACK, m); });
    Update(now.cull, wanted.cull, known, [](bool on) { SetEnabled(GL_CULL_FACE, on); });
    Update(now.cullFace, wanted.cullFace, known, [](GLenum face) { glCullFace(face); });
    Update(now.shadeModel, wanted.shadeModel, known, [](GLenum m) { glShadeModel(m); });
    Update(now.normalize, wanted.normalize, known, [](bool on) { SetEnabled(GL_NORMALIZE, on); });
    Update(now.dither, wanted.dither, known, [](bool on) { SetEnabled(GL_DITHER, on); });
    fixedStatesKnown = true;
    fixedStatesDirty = false;
}

void GlDevice::SelectMatrix(GLenum mode) {
    if (matrixMode != mode) {
        glMatrixMode(mode);
        matrixMode = mode;
    }
}

void GlDevice::ApplyTransforms(bool transformed) {
    const Projection projectionWanted = transformed ? Projection::WINDOW : Projection::CAMERA;
    if (appliedProjection != projectionWanted) {
        float fix[16];
        SelectMatrix(GL_PROJECTION);
        if (transformed) {
            WindowToClip(width, height, fix);
            glLoadMatrixf(fix);
        } else {
            // A row-vector Direct3D matrix read column by column is its OpenGL counterpart.
            ClipFix(width, height, fix);
            glLoadMatrixf(fix);
            glMultMatrixf(&projection.m[0][0]);
        }
        appliedProjection = projectionWanted;
    }
    const ModelView modelViewWanted = transformed ? ModelView::IDENTITY : ModelView::VIEW_AND_WORLD;
    if (appliedModelView != modelViewWanted) {
        SelectMatrix(GL_MODELVIEW);
        if (transformed) {
            glLoadIdentity();
        } else {
            // OpenGL's V x W applies world first, as Direct3D's W x V.
            glLoadMatrixf(&view.m[0][0]);
            glMultMatrixf(&world.m[0][0]);
        }
        appliedModelView = modelViewWanted;
    }
}

void GlDevice::ApplyLighting(const VertexLayout& layout) {
    // Direct3D never lights transformed vertices.
    const bool lit = !layout.transformed && renderStates[D3DRS_LIGHTING] != FALSE;
    if (appliedLighting != (lit ? 1 : 0)) {
        SetEnabled(GL_LIGHTING, lit);
        appliedLighting = lit ? 1 : 0;
    }
    if (!lit) {
        return;
    }
    if (lightModelDirty) {
        ApplyLightModel();
    }
    if (lightsDirty) {
        ApplyLights();
    }
    ApplyMaterial(layout);
}

void GlDevice::ApplyLightModel() {
    float ambient[4];
    ColourToFloats(renderStates[D3DRS_AMBIENT], ambient);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, renderStates[D3DRS_LOCALVIEWER] != FALSE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, renderStates[D3DRS_SPECULARENABLE] != FALSE
                                                    ? GL_SEPARATE_SPECULAR_COLOR
                                                    : GL_SINGLE_COLOR);
    lightModelDirty = false;
}

void GlDevice::ApplyLights() {
    SelectMatrix(GL_MODELVIEW);
    glPushMatrix();
    // Direct3D's lights live in world space: OpenGL takes them through the view alone.
    glLoadMatrixf(&view.m[0][0]);
    GLint slot = 0;
    for (const auto& [index, entry] : lights) {
        if (!entry.enabled || slot >= MAX_LIGHTS) {
            continue;
        }
        const D3DLIGHT9& light = entry.light;
        const GLenum id = GL_LIGHT0 + static_cast<GLenum>(slot++);
        float colour[4];
        glEnable(id);
        ColourValueToFloats(light.Ambient, colour);
        glLightfv(id, GL_AMBIENT, colour);
        ColourValueToFloats(light.Diffuse, colour);
        glLightfv(id, GL_DIFFUSE, colour);
        ColourValueToFloats(light.Specular, colour);
        glLightfv(id, GL_SPECULAR, colour);
        float cutoff = STRAIGHT_ANGLE_DEGREES;
        float exponent = 0.0f;
        float attenuation[3] = {1.0f, 0.0f, 0.0f};
        if (light.Type == D3DLIGHT_DIRECTIONAL) {
            // Direct3D gives the direction the light travels; OpenGL wants the way to the light.
            const float towards[4] = {-light.Direction.x, -light.Direction.y, -light.Direction.z,
                                      0.0f};
            glLightfv(id, GL_POSITION, towards);
        } else {
            const float position[4] = {light.Position.x, light.Position.y, light.Position.z, 1.0f};
            glLightfv(id, GL_POSITION, position);
            if (light.Attenuation0 != 0.0f || light.Attenuation1 != 0.0f ||
                light.Attenuation2 != 0.0f) {
                attenuation[0] = light.Attenuation0;
                attenuation[1] = light.Attenuation1;
                attenuation[2] = light.Attenuation2;
            }
            if (light.Type == D3DLIGHT_SPOT) {
                const float direction[3] = {light.Direction.x, light.Direction.y,
                                            light.Direction.z};
                glLightfv(id, GL_SPOT_DIRECTION, direction);
                cutoff =
                    std::clamp(light.Phi * 0.5f * DEGREES_PER_RADIAN, 0.0f, RIGHT_ANGLE_DEGREES);
                exponent = std::clamp(light.Falloff, 0.0f, MAX_SHININESS);
            }
        }
        glLightf(id, GL_SPOT_CUTOFF, cutoff);
        glLightf(id, GL_SPOT_EXPONENT, exponent);
        glLightf(id, GL_CONSTANT_ATTENUATION, attenuation[0]);
        glLightf(id, GL_LINEAR_ATTENUATION, attenuation[1]);
        glLightf(id, GL_QUADRATIC_ATTENUATION, attenuation[2]);
    }
    for (; slot < MAX_LIGHTS; ++slot) {
        glDisable(GL_LIGHT0 + static_cast<GLenum>(slot));
    }
    glPopMatrix();
    lightsDirty = false;
}

void GlDevice::ApplyMaterial(const VertexLayout& layout) {
    // The vertex colour stands in for material colours whose source is COLOR1. OpenGL tracks
    // one colour (or ambient and diffuse together); the rest come from the material.
    const bool specular = renderStates[D3DRS_SPECULARENABLE] != FALSE;
    const bool vertexColour = renderStates[D3DRS_COLORVERTEX] != FALSE && layout.diffuse >= 0;
    const auto fromVertex = [&](D3DRENDERSTATETYPE source) {
        return vertexColour && renderStates[source] == D3DMCS_COLOR1;
    };
    const bool diffuse = fromVertex(D3DRS_DIFFUSEMATERIALSOURCE);
    const bool ambient = fromVertex(D3DRS_AMBIENTMATERIALSOURCE);
    GLenum tracked = 0;
    if (diffuse && ambient) {
        tracked = GL_AMBIENT_AND_DIFFUSE;
    } else if (diffuse) {
        tracked = GL_DIFFUSE;
    } else if (ambient) {
        tracked = GL_AMBIENT;
    } else if (fromVertex(D3DRS_EMISSIVEMATERIALSOURCE)) {
        tracked = GL_EMISSION;
    } else if (specular && fromVertex(D3DRS_SPECULARMATERIALSOURCE)) {
        tracked = GL_SPECULAR;
    }
    // A tracked colour overwrites OpenGL's copy of that material colour, so the material is sent
    // again whenever the tracking changes.
    if (!materialDirty && trackingKnown && tracked == appliedTracking) {
        return;
    }
    // OpenGL ignores material colours while they follow the vertex colour.
    if (!trackingKnown || appliedTracking != 0) {
        glDisable(GL_COLOR_MATERIAL);
    }
    float colour[4];
    ColourValueToFloats(material.Ambient, colour);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, colour);
    ColourValueToFloats(material.Diffuse, colour);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, colour);
    ColourValueToFloats(material.Emissive, colour);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, colour);
    const float black[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    ColourValueToFloats(material.Specular, colour);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular ? colour : black);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(material.Power, 0.0f, MAX_SHININESS));
    if (tracked != 0) {
        glColorMaterial(GL_FRONT_AND_BACK, tracked);
        glEnable(GL_COLOR_MATERIAL);
    }
    appliedTracking = tracked;
    trackingKnown = true;
    materialDirty = false;
}

void GlDevice::ApplyTextureStage(const TexturePlace& texture) {
    if (enabledTarget != texture.target) {
        glDisable(enabledTarget);
        glEnable(texture.target);
        enabledTarget = texture.target;
    }
    bindings.Bind(texture.target, texture.name);
    if (!stageDirty) {
        return;
    }
    const std::array<DWORD, STAGE_STATE_COUNT>& states = stageStates[0];
    const CombineStage colour =
        ColourCombine(states[D3DTSS_COLOROP], states[D3DTSS_COLORARG1], states[D3DTSS_COLORARG2]);
    // A disabled colour operation turns the whole stage off, its alpha included.
    const DWORD alphaOperation =
        states[D3DTSS_COLOROP] == D3DTOP_DISABLE ? DWORD{D3DTOP_DISABLE} : states[D3DTSS_ALPHAOP];
    const CombineStage alpha =
        AlphaCombine(alphaOperation, states[D3DTSS_ALPHAARG1], states[D3DTSS_ALPHAARG2]);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, colour.function);
    glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE, colour.scale);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, colour.sources[0]);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, colour.operands[0]);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, colour.sources[1]);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB, colour.operands[1]);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, alpha.function);
    glTexEnvf(GL_TEXTURE_ENV, GL_ALPHA_SCALE, alpha.scale);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, alpha.sources[0]);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, alpha.operands[0]);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_ALPHA, alpha.sources[1]);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_ALPHA, alpha.operands[1]);
    float factor[4];
    ColourToFloats(renderStates[D3DRS_TEXTUREFACTOR], factor);
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, factor);
    stageDirty = false;
}

}  // namespace platform::gl

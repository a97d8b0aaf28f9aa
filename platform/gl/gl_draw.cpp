// Drawing on the OpenGL device: vertices into the shaders' layout, Direct3D's state into a
// shader program, its uniforms and OpenGL's switches, and the draw calls themselves.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gl/gl_device.h"
#include "platform/gl/gl_texture.h"
#include "platform/gl/gl_translate.h"

namespace platform::gl {

namespace {

// A sprite's four corners stream: pointing the attributes at a buffer of their own would cost more
// than copying them. A board block's 24 are kept: the blocks follow each other from one buffer,
// and converting and streaming each of them took a third of a play frame.
constexpr uint64_t MIN_CACHED_VERTICES = 5;
constexpr float MAX_SHININESS = 128.0f;
constexpr float STRAIGHT_ANGLE_DEGREES = 180.0f;
constexpr float RIGHT_ANGLE_DEGREES = 90.0f;
constexpr float DEGREES_PER_RADIAN = 57.29577951f;
constexpr float RADIANS_PER_DEGREE = 1.0f / DEGREES_PER_RADIAN;

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

bool IsTriangles(D3DPRIMITIVETYPE type) {
    return type == D3DPT_TRIANGLELIST || type == D3DPT_TRIANGLESTRIP || type == D3DPT_TRIANGLEFAN;
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

uint32_t IndexAt(const void* indexData, UINT indexSize, uint64_t i) {
    if (indexData == nullptr) {
        return static_cast<uint32_t>(i);
    }
    if (indexSize == 2) {
        return static_cast<const uint16_t*>(indexData)[i];
    }
    return static_cast<const uint32_t*>(indexData)[i];
}

// Row-vector Direct3D matrices: a x b applies a first.
D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
    D3DMATRIX product{};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a.m[r][k] * b.m[k][c];
            }
            product.m[r][c] = sum;
        }
    }
    return product;
}

// A point (w 1) or a direction (w 0) through a row-vector matrix.
void Transform(const D3DVECTOR& v, float w, const D3DMATRIX& m, float out[3]) {
    for (int c = 0; c < 3; ++c) {
        out[c] = v.x * m.m[0][c] + v.y * m.m[1][c] + v.z * m.m[2][c] + w * m.m[3][c];
    }
}

// Normals go through the inverse transpose of the upper 3x3 of world x view. Read column by
// column, as OpenGL does, a row-vector matrix is its own transpose, so the plain inverse is sent.
void NormalMatrix(const D3DMATRIX& m, float out[9]) {
    const float a = m.m[0][0], b = m.m[0][1], c = m.m[0][2];
    const float d = m.m[1][0], e = m.m[1][1], f = m.m[1][2];
    const float g = m.m[2][0], h = m.m[2][1], i = m.m[2][2];
    const float cofactors[9] = {e * i - f * h, c * h - b * i, b * f - c * e,
                                f * g - d * i, a * i - c * g, c * d - a * f,
                                d * h - e * g, b * g - a * h, a * e - b * d};
    const float determinant = a * cofactors[0] + b * cofactors[3] + c * cofactors[6];
    const float scale = determinant != 0.0f ? 1.0f / determinant : 0.0f;
    // cofactors holds the inverse row by row; column-major storage of it is its transpose.
    for (int r = 0; r < 3; ++r) {
        for (int col = 0; col < 3; ++col) {
            out[3 * r + col] = cofactors[3 * col + r] * scale;
        }
    }
}

}  // namespace

HRESULT GlDevice::Draw(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* indexData,
                       UINT indexSize, uint64_t vertexCount, const void* vertexData,
                       UINT vertexStride) {
    if (!ContextUsable()) {
        return D3D_OK;
    }
    const VertexLayout& layout = Layout();
    MakeCurrent();
    RouteDraw(layout.transformed);
    const GlTexture* drawn = DrawnTexture();
    const bool textured = drawn != nullptr && drawn->Place().target != 0;
    const TexturePlace& texture = textured ? drawn->Place() : white;
    uint32_t base = 0;
    bool verticesCached = false;
    const Vertex* vertices = SupplyVertices(vertexData, vertexStride, vertexCount,
                                            texture.layerCoordinate, base, verticesCached);
    if (fixedStatesDirty) {
        ApplyFixedStates();
    }
    const Sampled sampled = !textured                         ? Sampled::NOTHING
                            : texture.target == GL_TEXTURE_3D ? Sampled::LAYER
                                                              : Sampled::FLAT;
    if (!UseProgram(layout, sampled)) {
        return D3DERR_NOTAVAILABLE;
    }
    SendUniforms(*program, layout.transformed);
    bindings.Bind(texture.target, texture.name);

    const bool outlined = Outlined(type);
    const bool points = renderStates[D3DRS_FILLMODE] == D3DFILL_POINT;
    const GLenum mode = !outlined ? PrimitiveMode(type) : points ? GL_POINTS : GL_LINES;
    if (indexData == nullptr && !outlined) {
        glDrawArrays(mode, static_cast<GLint>(base),
                     static_cast<GLsizei>(VerticesPerDraw(type, primitiveCount)));
        return D3D_OK;
    }
    // Indices into cached vertices are cached too, unless the outline follows the transforms.
    if (verticesCached && !(outlined && OutlineCulled())) {
        // The game's own memory: its length fits a size_t on every system, wasm32's too.
        const auto indexBytes = static_cast<size_t>(
            indexData == nullptr ? 0 : VerticesPerDraw(type, primitiveCount) * indexSize);
        const uint64_t conversion = uint64_t{indexSize} | uint64_t{type} << 8 |
                                    uint64_t{outlined} << 16 | uint64_t{points} << 17;
        const CachedSource* cached = indexCache->Find(
            {indexData, indexBytes, conversion, primitiveCount}, [&](std::vector<uint8_t>& out) {
                MakeIndices(type, primitiveCount, indexData, indexSize, 0, vertices);
                const auto* bytes = reinterpret_cast<const uint8_t*>(indices.data());
                out.assign(bytes, bytes + indices.size() * sizeof(uint32_t));
            });
        if (cached != nullptr) {
            const auto count = static_cast<GLsizei>(cached->converted.size() / sizeof(uint32_t));
            if (count > 0) {
                glDrawElements(mode, count, GL_UNSIGNED_INT, nullptr);
            }
            return D3D_OK;
        }
    }
    MakeIndices(type, primitiveCount, indexData, indexSize, base, vertices);
    if (!indices.empty()) {
        constexpr auto INDEX_SIZE = static_cast<GLsizeiptr>(sizeof(uint32_t));
        const GLintptr indexOffset = indexStream->Append(
            indices.data(), static_cast<GLsizeiptr>(indices.size()) * INDEX_SIZE, INDEX_SIZE);
        glDrawElements(mode, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT,
                       reinterpret_cast<const void*>(indexOffset));
    }
    return D3D_OK;
}

const GlDevice::Vertex* GlDevice::SupplyVertices(const void* vertexData, UINT vertexStride,
                                                 uint64_t count, float layerCoordinate,
                                                 uint32_t& base, bool& cached) {
    constexpr auto VERTEX_SIZE = static_cast<GLsizeiptr>(sizeof(Vertex));
    if (count >= MIN_CACHED_VERTICES) {
        uint32_t layerBits = 0;
        std::memcpy(&layerBits, &layerCoordinate, sizeof(layerBits));
        // The last vertex is read no further than its layout reaches, as the conversion does.
        const SourceKey key{vertexData,
                            static_cast<size_t>((count - 1) * vertexStride + Layout().size),
                            uint64_t{VertexFormat()} | uint64_t{vertexStride} << 32, layerBits};
        const CachedSource* entry = vertexCache->Find(key, [&](std::vector<uint8_t>& out) {
            out.resize(count * sizeof(Vertex));
            ConvertVertices(Layout(), vertexData, vertexStride, count, layerCoordinate,
                            reinterpret_cast<Vertex*>(out.data()));
        });
        if (entry != nullptr) {
            PointAttributesAt(entry->buffer);
            base = 0;
            cached = true;
            return reinterpret_cast<const Vertex*>(entry->converted.data());
        }
    }
    scratch.resize(count);
    ConvertVertices(Layout(), vertexData, vertexStride, count, layerCoordinate, scratch.data());
    // The attributes point at the buffer's start: the draw's vertices are counted from there.
    const GLintptr offset = vertexStream->Append(
        scratch.data(), static_cast<GLsizeiptr>(scratch.size()) * VERTEX_SIZE, VERTEX_SIZE);
    PointAttributesAt(vertexStream->Name());
    base = static_cast<uint32_t>(offset / VERTEX_SIZE);
    cached = false;
    return scratch.data();
}

void GlDevice::PointAttributesAt(GLuint buffer) {
    if (attributeSource == buffer) {
        return;
    }
    bufferBindings.Bind(GL_ARRAY_BUFFER, buffer);
    const auto stride = static_cast<GLsizei>(sizeof(Vertex));
    const auto at = [](size_t offset) { return reinterpret_cast<const void*>(offset); };
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride, at(offsetof(Vertex, position)));
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, at(offsetof(Vertex, normal)));
    glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, at(offsetof(Vertex, colour)));
    glVertexAttribPointer(3, 3, GL_FLOAT, GL_FALSE, stride, at(offsetof(Vertex, texture)));
    attributeSource = buffer;
}

void GlDevice::MakeIndices(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* indexData,
                           UINT indexSize, uint32_t base, const Vertex* vertices) {
    if (Outlined(type)) {
        const bool points = renderStates[D3DRS_FILLMODE] == D3DFILL_POINT;
        OutlineTriangles(type, primitiveCount, indexData, indexSize, base, points, vertices);
        return;
    }
    const uint64_t count = VerticesPerDraw(type, primitiveCount);
    indices.resize(count);
    for (uint64_t i = 0; i < count; ++i) {
        indices[i] = base + IndexAt(indexData, indexSize, i);
    }
}

bool GlDevice::Outlined(D3DPRIMITIVETYPE type) const {
    const DWORD fill = renderStates[D3DRS_FILLMODE];
    return IsTriangles(type) && (fill == D3DFILL_WIREFRAME || fill == D3DFILL_POINT);
}

bool GlDevice::OutlineCulled() const {
    const DWORD cull = renderStates[D3DRS_CULLMODE];
    return cull == D3DCULL_CW || cull == D3DCULL_CCW;
}

void GlDevice::ConvertVertices(const VertexLayout& layout, const void* vertexData,
                               UINT vertexStride, uint64_t count, float layerCoordinate,
                               Vertex* converted) const {
    const auto* bytes = static_cast<const uint8_t*>(vertexData);
    for (uint64_t i = 0; i < count; ++i, bytes += vertexStride) {
        Vertex& vertex = converted[i];
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

void GlDevice::ApplyFixedStates() {
    FixedStates wanted;
    wanted.blend = renderStates[D3DRS_ALPHABLENDENABLE] != FALSE;
    wanted.sourceBlend = BlendFactor(renderStates[D3DRS_SRCBLEND], GL_ONE);
    wanted.destinationBlend = BlendFactor(renderStates[D3DRS_DESTBLEND], GL_ZERO);
    // Without a depth test OpenGL writes no depth either, as Direct3D with ZENABLE off.
    wanted.depthTest = HasDepthBuffer() && renderStates[D3DRS_ZENABLE] != FALSE;
    wanted.depthWrite = renderStates[D3DRS_ZWRITEENABLE] != FALSE;
    wanted.depthFunction = CompareFunction(renderStates[D3DRS_ZFUNC], GL_LEQUAL);
    // D3DCULL_CCW, the default: counter-clockwise faces are the back.
    wanted.cull = renderStates[D3DRS_CULLMODE] != D3DCULL_NONE;
    wanted.cullFace = renderStates[D3DRS_CULLMODE] == D3DCULL_CW ? GL_FRONT : GL_BACK;
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
    Update(now.depthTest, wanted.depthTest, known, [](bool on) { SetEnabled(GL_DEPTH_TEST, on); });
    Update(now.depthWrite, wanted.depthWrite, known,
           [](bool on) { glDepthMask(on ? GL_TRUE : GL_FALSE); });
    Update(now.depthFunction, wanted.depthFunction, known, [](GLenum f) { glDepthFunc(f); });
    Update(now.cull, wanted.cull, known, [](bool on) { SetEnabled(GL_CULL_FACE, on); });
    Update(now.cullFace, wanted.cullFace, known, [](GLenum face) { glCullFace(face); });
    Update(now.dither, wanted.dither, known, [](bool on) { SetEnabled(GL_DITHER, on); });
    fixedStatesKnown = true;
    fixedStatesDirty = false;
}

ShaderKey GlDevice::MakeKey(const VertexLayout& layout, Sampled sampled) const {
    ShaderKey made;
    made.transformed = layout.transformed;
    // Direct3D never lights transformed vertices.
    made.lit = !layout.transformed && renderStates[D3DRS_LIGHTING] != FALSE;
    made.flat = renderStates[D3DRS_SHADEMODE] == D3DSHADE_FLAT;
    made.texture3D = sampled == Sampled::LAYER;
    made.untextured = sampled == Sampled::NOTHING;
    if (made.lit) {
        made.normalize = renderStates[D3DRS_NORMALIZENORMALS] != FALSE;
        made.specular = renderStates[D3DRS_SPECULARENABLE] != FALSE;
        made.localViewer = made.specular && renderStates[D3DRS_LOCALVIEWER] != FALSE;
        // The vertex colour stands in for material colours whose source is COLOR1.
        const bool vertexColour = renderStates[D3DRS_COLORVERTEX] != FALSE && layout.diffuse >= 0;
        const auto fromVertex = [&](D3DRENDERSTATETYPE source) {
            return vertexColour && renderStates[source] == D3DMCS_COLOR1;
        };
        made.diffuseFromVertex = fromVertex(D3DRS_DIFFUSEMATERIALSOURCE);
        made.ambientFromVertex = fromVertex(D3DRS_AMBIENTMATERIALSOURCE);
        made.emissiveFromVertex = fromVertex(D3DRS_EMISSIVEMATERIALSOURCE);
        made.specularFromVertex = made.specular && fromVertex(D3DRS_SPECULARMATERIALSOURCE);
        for (const auto& [index, entry] : lights) {
            if (entry.enabled && made.lightCount < MAX_LIGHTS) {
                made.lightTypes[made.lightCount++] = static_cast<uint8_t>(entry.light.Type);
            }
        }
    }
    const std::array<DWORD, STAGE_STATE_COUNT>& stage = stageStates[0];
    made.colour =
        TranslateStage(stage[D3DTSS_COLOROP], stage[D3DTSS_COLORARG1], stage[D3DTSS_COLORARG2]);
    // A disabled colour operation turns the whole stage off, its alpha included.
    const DWORD alphaOperation =
        stage[D3DTSS_COLOROP] == D3DTOP_DISABLE ? DWORD{D3DTOP_DISABLE} : stage[D3DTSS_ALPHAOP];
    made.alpha = TranslateStage(alphaOperation, stage[D3DTSS_ALPHAARG1], stage[D3DTSS_ALPHAARG2]);
    made.alphaTest = TranslateAlphaTest(renderStates[D3DRS_ALPHATESTENABLE] != FALSE,
                                        renderStates[D3DRS_ALPHAFUNC]);
    return made;
}

bool GlDevice::UseProgram(const VertexLayout& layout, Sampled sampled) {
    const bool vertexColour = layout.diffuse >= 0;
    if (keyDirty || keyTransformed != layout.transformed || keyVertexColour != vertexColour ||
        keySampled != sampled) {
        key = MakeKey(layout, sampled);
        keyTransformed = layout.transformed;
        keyVertexColour = vertexColour;
        keySampled = sampled;
        keyDirty = false;
        GlProgram* wanted = programs->Get(key);
        if (wanted == nullptr) {
            keyDirty = true;  // try again next time rather than draw with the wrong program
            return false;
        }
        if (wanted != program) {
            glUseProgram(wanted->name);
            program = wanted;
        }
    }
    return program != nullptr;
}

void GlDevice::SendUniforms(GlProgram& target, bool transformed) {
    auto& versions = target.versions;
    if (transformed) {
        // The window matrix never changes; it takes the projection's slot in such programs.
        if (versions[UNIFORMS_PROJECTION] == 0) {
            float toClip[16];
            WindowToClip(width, height, toClip);
            glUniformMatrix4fv(target.toClip, 1, GL_FALSE, toClip);
            versions[UNIFORMS_PROJECTION] = 1;
        }
    } else {
        if (versions[UNIFORMS_TRANSFORM] != uniformVersions[UNIFORMS_TRANSFORM]) {
            SendTransform(target);
        }
        if (versions[UNIFORMS_PROJECTION] != uniformVersions[UNIFORMS_PROJECTION]) {
            float fix[16];
            float toClip[16];
            ClipFix(width, height, fix);
            // A row-vector Direct3D matrix read column by column is its OpenGL counterpart.
            MultiplyColumnMajor(fix, &projection.m[0][0], toClip);
            glUniformMatrix4fv(target.toClip, 1, GL_FALSE, toClip);
            versions[UNIFORMS_PROJECTION] = uniformVersions[UNIFORMS_PROJECTION];
        }
        if (key.lit && versions[UNIFORMS_LIGHTS] != uniformVersions[UNIFORMS_LIGHTS]) {
            SendLights(target);
        }
        if (key.lit && versions[UNIFORMS_MATERIAL] != uniformVersions[UNIFORMS_MATERIAL]) {
            SendMaterial(target);
        }
    }
    if (versions[UNIFORMS_CONSTANTS] != uniformVersions[UNIFORMS_CONSTANTS]) {
        SendConstants(target);
    }
}

void GlDevice::SendTransform(GlProgram& target) {
    const D3DMATRIX worldView = Multiply(world, view);
    glUniformMatrix4fv(target.worldView, 1, GL_FALSE, &worldView.m[0][0]);
    if (target.normalMatrix >= 0) {
        float normals[9];
        NormalMatrix(worldView, normals);
        glUniformMatrix3fv(target.normalMatrix, 1, GL_FALSE, normals);
    }
    target.versions[UNIFORMS_TRANSFORM] = uniformVersions[UNIFORMS_TRANSFORM];
}

void GlDevice::SendLights(GlProgram& target) {
    float ambient[MAX_LIGHTS][4];
    float diffuse[MAX_LIGHTS][4];
    float specular[MAX_LIGHTS][4];
    float position[MAX_LIGHTS][3];
    float direction[MAX_LIGHTS][3];
    float attenuation[MAX_LIGHTS][3];
    float cone[MAX_LIGHTS][2];
    int count = 0;
    for (const auto& [index, entry] : lights) {
        if (!entry.enabled || count >= MAX_LIGHTS) {
            continue;
        }
        const D3DLIGHT9& light = entry.light;
        ColourValueToFloats(light.Ambient, ambient[count]);
        ColourValueToFloats(light.Diffuse, diffuse[count]);
        ColourValueToFloats(light.Specular, specular[count]);
        // Direct3D's lights live in world space; the shaders light in view space.
        if (light.Type == D3DLIGHT_DIRECTIONAL) {
            // Direct3D gives the direction the light travels; the shader wants the way to it.
            const D3DVECTOR towards = {-light.Direction.x, -light.Direction.y, -light.Direction.z};
            Transform(towards, 0.0f, view, position[count]);
        } else {
            Transform(light.Position, 1.0f, view, position[count]);
        }
        Transform(light.Direction, 0.0f, view, direction[count]);
        const bool attenuated = light.Type != D3DLIGHT_DIRECTIONAL &&
                                (light.Attenuation0 != 0.0f || light.Attenuation1 != 0.0f ||
                                 light.Attenuation2 != 0.0f);
        attenuation[count][0] = attenuated ? light.Attenuation0 : 1.0f;
        attenuation[count][1] = attenuated ? light.Attenuation1 : 0.0f;
        attenuation[count][2] = attenuated ? light.Attenuation2 : 0.0f;
        float cutoff = STRAIGHT_ANGLE_DEGREES;
        float exponent = 0.0f;
        if (light.Type == D3DLIGHT_SPOT) {
            cutoff = std::clamp(light.Phi * 0.5f * DEGREES_PER_RADIAN, 0.0f, RIGHT_ANGLE_DEGREES);
            exponent = std::clamp(light.Falloff, 0.0f, MAX_SHININESS);
        }
        cone[count][0] = std::cos(cutoff * RADIANS_PER_DEGREE);
        cone[count][1] = exponent;
        ++count;
    }
    if (count > 0) {
        glUniform4fv(target.lightAmbient, count, &ambient[0][0]);
        glUniform4fv(target.lightDiffuse, count, &diffuse[0][0]);
        glUniform4fv(target.lightSpecular, count, &specular[0][0]);
        glUniform3fv(target.lightPosition, count, &position[0][0]);
        glUniform3fv(target.lightDirection, count, &direction[0][0]);
        glUniform3fv(target.lightAttenuation, count, &attenuation[0][0]);
        glUniform2fv(target.lightCone, count, &cone[0][0]);
    }
    target.versions[UNIFORMS_LIGHTS] = uniformVersions[UNIFORMS_LIGHTS];
}

void GlDevice::SendMaterial(GlProgram& target) {
    float colour[4];
    ColourValueToFloats(material.Diffuse, colour);
    glUniform4fv(target.materialDiffuse, 1, colour);
    ColourValueToFloats(material.Ambient, colour);
    glUniform4fv(target.materialAmbient, 1, colour);
    ColourValueToFloats(material.Specular, colour);
    glUniform4fv(target.materialSpecular, 1, colour);
    ColourValueToFloats(material.Emissive, colour);
    glUniform4fv(target.materialEmissive, 1, colour);
    glUniform1f(target.materialPower, std::clamp(material.Power, 0.0f, MAX_SHININESS));
    target.versions[UNIFORMS_MATERIAL] = uniformVersions[UNIFORMS_MATERIAL];
}

void GlDevice::SendConstants(GlProgram& target) {
    constexpr DWORD ALPHA_REFERENCE_MASK = 0xFF;
    constexpr float ALPHA_REFERENCE_MAX = 255.0f;
    float colour[4];
    ColourToFloats(renderStates[D3DRS_AMBIENT], colour);
    glUniform4fv(target.globalAmbient, 1, colour);
    ColourToFloats(renderStates[D3DRS_TEXTUREFACTOR], colour);
    glUniform4fv(target.textureFactor, 1, colour);
    glUniform1f(target.alphaReference,
                static_cast<float>(renderStates[D3DRS_ALPHAREF] & ALPHA_REFERENCE_MASK) /
                    ALPHA_REFERENCE_MAX);
    target.versions[UNIFORMS_CONSTANTS] = uniformVersions[UNIFORMS_CONSTANTS];
}

void GlDevice::OutlineTriangles(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* indexData,
                                UINT indexSize, uint32_t base, bool points,
                                const Vertex* vertices) {
    indices.clear();
    const bool transformed = Layout().transformed;
    const bool culled = OutlineCulled();
    const D3DMATRIX toClip =
        transformed || !culled ? D3DMATRIX{} : Multiply(Multiply(world, view), projection);
    for (uint64_t t = 0; t < primitiveCount; ++t) {
        uint64_t corners[3];
        if (type == D3DPT_TRIANGLELIST) {
            corners[0] = 3 * t;
            corners[1] = 3 * t + 1;
            corners[2] = 3 * t + 2;
        } else if (type == D3DPT_TRIANGLESTRIP) {
            // Every second triangle of a strip is wound the other way round; swap it back.
            corners[0] = t;
            corners[1] = t % 2 == 0 ? t + 1 : t + 2;
            corners[2] = t % 2 == 0 ? t + 2 : t + 1;
        } else {
            corners[0] = 0;
            corners[1] = t + 1;
            corners[2] = t + 2;
        }
        const uint32_t a = IndexAt(indexData, indexSize, corners[0]);
        const uint32_t b = IndexAt(indexData, indexSize, corners[1]);
        const uint32_t c = IndexAt(indexData, indexSize, corners[2]);
        const Vertex* outlineCorners[3] = {&vertices[a], &vertices[b], &vertices[c]};
        if (culled && FacesAway(outlineCorners, toClip, transformed)) {
            continue;
        }
        if (points) {
            indices.insert(indices.end(), {base + a, base + b, base + c});
        } else {
            indices.insert(indices.end(),
                           {base + a, base + b, base + b, base + c, base + c, base + a});
        }
    }
}

bool GlDevice::FacesAway(const Vertex* corners[3], const D3DMATRIX& toClip,
                         bool transformed) const {
    // Window positions, y down, as Direct3D judges the winding.
    float x[3];
    float y[3];
    for (int k = 0; k < 3; ++k) {
        const float* p = corners[k]->position;
        if (transformed) {
            x[k] = p[0] / p[3];
            y[k] = p[1] / p[3];
            continue;
        }
        const float clipX =
            p[0] * toClip.m[0][0] + p[1] * toClip.m[1][0] + p[2] * toClip.m[2][0] + toClip.m[3][0];
        const float clipY =
            p[0] * toClip.m[0][1] + p[1] * toClip.m[1][1] + p[2] * toClip.m[2][1] + toClip.m[3][1];
        const float clipW =
            p[0] * toClip.m[0][3] + p[1] * toClip.m[1][3] + p[2] * toClip.m[2][3] + toClip.m[3][3];
        if (clipW <= 0.0f) {
            return false;  // crosses the eye plane: the clipper decides, as with filled faces
        }
        x[k] = clipX / clipW;
        y[k] = -clipY / clipW;
    }
    const float area = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
    // With y down, a positive area is clockwise on the screen: Direct3D's front face.
    const bool clockwise = area > 0.0f;
    return renderStates[D3DRS_CULLMODE] == D3DCULL_CCW ? !clockwise : clockwise;
}

}  // namespace platform::gl

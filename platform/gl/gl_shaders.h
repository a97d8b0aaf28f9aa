// The shaders that stand in for Direct3D 9's fixed-function pipeline: a key made of the states
// that change the code, the GLSL written for a key, and the programs compiled for the keys seen.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/d3d9/d3d9_subset.h"
#include "platform/gl/gl_context.h"
#include "platform/gl/opengl.h"

namespace platform::gl {

constexpr int MAX_LIGHTS = 8;

// One argument of a texture stage: where it comes from and how it is modified.
enum class StageSource : uint8_t { DIFFUSE, TEXTURE, FACTOR };
struct StageArgument {
    StageSource source = StageSource::DIFFUSE;
    bool complement = false;
    bool alphaReplicate = false;
    auto operator<=>(const StageArgument&) const = default;
};

enum class StageOperation : uint8_t {
    DISABLE,
    SELECT_ARG1,
    SELECT_ARG2,
    MODULATE,
    MODULATE_2X,
    MODULATE_4X,
    ADD,
    ADD_SIGNED,
    ADD_SIGNED_2X,
    SUBTRACT,
};

struct StageHalf {
    StageOperation operation = StageOperation::MODULATE;
    StageArgument arguments[2];
    auto operator<=>(const StageHalf&) const = default;
};

enum class AlphaTest : uint8_t {
    OFF,
    NEVER,
    LESS,
    EQUAL,
    LESS_EQUAL,
    GREATER,
    NOT_EQUAL,
    GREATER_EQUAL
};

// Everything that changes the shader code; values that only change numbers are uniforms.
struct ShaderKey {
    bool transformed = false;  // XYZRHW vertices: window pixels, never lit
    bool lit = false;
    bool flat = false;
    bool normalize = false;
    bool specular = false;
    bool localViewer = false;
    bool texture3D = false;  // the bound texture is a layer of a shared 3-D texture
    // No texture is bound: the stage reads opaque white, so nothing is sampled or interpolated.
    bool untextured = false;
    // Which lit material colours follow the vertex's diffuse colour instead of the material.
    bool diffuseFromVertex = false;
    bool ambientFromVertex = false;
    bool emissiveFromVertex = false;
    bool specularFromVertex = false;
    uint8_t lightCount = 0;
    // D3DLIGHTTYPE of each enabled light; a plain array, which every standard library compares
    uint8_t lightTypes[MAX_LIGHTS] = {};
    StageHalf colour;
    StageHalf alpha;
    AlphaTest alphaTest = AlphaTest::OFF;
    auto operator<=>(const ShaderKey&) const = default;
};

// The GLSL of a key for one flavour of OpenGL.
std::string VertexShaderSource(GlFlavour flavour, const ShaderKey& key);
std::string FragmentShaderSource(GlFlavour flavour, const ShaderKey& key);

// Groups of uniforms that change together; a program remembers which version of each it holds.
enum UniformGroup {
    UNIFORMS_TRANSFORM,
    UNIFORMS_PROJECTION,
    UNIFORMS_LIGHTS,
    UNIFORMS_MATERIAL,
    UNIFORMS_CONSTANTS,
    UNIFORM_GROUP_COUNT
};

struct GlProgram {
    GLuint name = 0;
    GLint toClip = -1;
    GLint worldView = -1;
    GLint normalMatrix = -1;
    GLint globalAmbient = -1;
    GLint materialDiffuse = -1;
    GLint materialAmbient = -1;
    GLint materialSpecular = -1;
    GLint materialEmissive = -1;
    GLint materialPower = -1;
    GLint lightAmbient = -1;
    GLint lightDiffuse = -1;
    GLint lightSpecular = -1;
    GLint lightPosition = -1;
    GLint lightDirection = -1;
    GLint lightAttenuation = -1;
    GLint lightCone = -1;
    GLint textureFactor = -1;
    GLint alphaReference = -1;
    std::array<uint64_t, UNIFORM_GROUP_COUNT> versions{};  // 0: never sent
};

// Programs by key, compiled on first use and kept for the life of the context.
class ProgramCache {
  public:
    explicit ProgramCache(GlFlavour flavour) : flavour(flavour) {}
    ~ProgramCache();
    ProgramCache(const ProgramCache&) = delete;
    ProgramCache& operator=(const ProgramCache&) = delete;

    // Null when the driver refuses the shaders (logged once per key).
    GlProgram* Get(const ShaderKey& key);
    size_t Size() const { return programs.size(); }

  private:
    GlFlavour flavour;
    std::map<ShaderKey, std::unique_ptr<GlProgram>> programs;
};

}  // namespace platform::gl

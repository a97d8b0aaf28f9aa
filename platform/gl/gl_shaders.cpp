// GLSL for Direct3D 9's transform, lighting, texture stage and alpha test, written per key, and
// the cache of compiled programs.
#include "platform/gl/gl_shaders.h"

#include <cstdio>
#include <vector>

namespace platform::gl {

namespace {

// The only differences between the flavours: the version line and ES's precisions.
std::string Prelude(GlFlavour flavour) {
    if (flavour == GlFlavour::ES) {
        return "#version 300 es\n"
               "precision highp float;\n"
               "precision highp int;\n"
               "precision highp sampler3D;\n";
    }
    return "#version 330 core\n";
}

// Vertex attribute locations, shared with the draw code through the order of Vertex's parts.
const char* const VERTEX_INPUTS =
    "layout(location = 0) in vec4 position;\n"
    "layout(location = 1) in vec3 normal;\n"
    "layout(location = 2) in vec4 colour;\n"
    "layout(location = 3) in vec3 texel;\n";

std::string Varyings(const ShaderKey& key, const char* direction) {
    const std::string flat = key.flat ? "flat " : "";
    std::string code =
        flat + direction + " vec4 diffuseColour;\n" + flat + direction + " vec3 specularColour;\n";
    if (!key.untextured) {
        code += std::string(direction) + " vec3 texelCoordinate;\n";
    }
    return code;
}

// The texture stage's TEXTURE argument. Without a texture it is exactly the white that sampling
// the stand-in texture gave, at no cost per pixel.
std::string SamplerCode(const ShaderKey& key) {
    if (key.untextured) {
        return "";
    }
    return key.texture3D ? "uniform sampler3D sheet;\n" : "uniform sampler2D sheet;\n";
}

std::string SampleCode(const ShaderKey& key) {
    if (key.untextured) {
        return "    vec4 sampled = vec4(1.0);\n";
    }
    return key.texture3D ? "    vec4 sampled = texture(sheet, texelCoordinate);\n"
                         : "    vec4 sampled = texture(sheet, texelCoordinate.xy);\n";
}

std::string Index(int i) {
    return "[" + std::to_string(i) + "]";
}

// Direct3D's per-vertex lighting as OpenGL's fixed function computed it: in view space, each
// light's ambient, diffuse and (when on) specular terms scaled by attenuation and spot factor.
std::string LightingCode(const ShaderKey& key) {
    const auto source = [](bool fromVertex, const char* material) {
        return fromVertex ? std::string("colour") : std::string(material);
    };
    std::string code = "    vec3 n = normalMatrix * normal;\n";
    if (key.normalize) {
        code += "    n = normalize(n);\n";
    }
    code += "    vec4 md = " + source(key.diffuseFromVertex, "materialDiffuse") + ";\n" +
            "    vec4 ma = " + source(key.ambientFromVertex, "materialAmbient") + ";\n" +
            "    vec4 me = " + source(key.emissiveFromVertex, "materialEmissive") + ";\n" +
            "    vec4 ms = " + source(key.specularFromVertex, "materialSpecular") + ";\n" +
            "    vec3 p = eye.xyz;\n" +
            (key.localViewer ? "    vec3 v = normalize(-p);\n"
                             : "    vec3 v = vec3(0.0, 0.0, 1.0);\n") +
            "    vec3 lit = me.rgb + ma.rgb * globalAmbient.rgb;\n"
            "    vec3 shine = vec3(0.0);\n"
            "    vec3 l;\n"
            "    float att;\n"
            "    float nl;\n";
    for (int i = 0; i < key.lightCount; ++i) {
        const std::string at = Index(i);
        if (key.lightTypes[i] == D3DLIGHT_DIRECTIONAL) {
            code += "    l = normalize(lightPosition" + at + ");\n    att = 1.0;\n";
        } else {
            code += "    l = lightPosition" + at + " - p;\n" +
                    "    {\n"
                    "        float d = length(l);\n"
                    "        l /= d;\n"
                    "        att = 1.0 / dot(lightAttenuation" +
                    at +
                    ", vec3(1.0, d, d * d));\n"
                    "    }\n";
        }
        if (key.lightTypes[i] == D3DLIGHT_SPOT) {
            code +=
                "    {\n"
                "        float c = dot(-l, normalize(lightDirection" +
                at +
                "));\n"
                "        att *= c < lightCone" +
                at + ".x ? 0.0 : pow(max(c, 0.0), lightCone" + at +
                ".y);\n"
                "    }\n";
        }
        code +=
            "    nl = max(dot(n, l), 0.0);\n"
            "    lit += att * (ma.rgb * lightAmbient" +
            at + ".rgb + nl * md.rgb * lightDiffuse" + at + ".rgb);\n";
        if (key.specular) {
            code +=
                "    if (nl > 0.0) {\n"
                "        float nh = max(dot(n, normalize(l + v)), 0.0);\n"
                "        float f = materialPower > 0.0 ? pow(nh, materialPower) : 1.0;\n"
                "        shine += att * f * ms.rgb * lightSpecular" +
                at +
                ".rgb;\n"
                "    }\n";
        }
    }
    code +=
        "    diffuseColour = vec4(clamp(lit, 0.0, 1.0), md.a);\n"
        "    specularColour = clamp(shine, 0.0, 1.0);\n";
    return code;
}

std::string ArgumentCode(const StageArgument& argument, bool alpha) {
    std::string value;
    switch (argument.source) {
        case StageSource::TEXTURE:
            value = "sampled";
            break;
        case StageSource::FACTOR:
            value = "textureFactor";
            break;
        default:
            value = "diffuseColour";
            break;
    }
    if (argument.complement) {
        value = "(1.0 - " + value + ")";
    }
    if (alpha || argument.alphaReplicate) {
        return alpha ? value + ".a" : "vec3(" + value + ".a)";
    }
    return value + ".rgb";
}

std::string OperationCode(const StageHalf& half, bool alpha) {
    const std::string a = ArgumentCode(half.arguments[0], alpha);
    const std::string b = ArgumentCode(half.arguments[1], alpha);
    std::string value;
    switch (half.operation) {
        case StageOperation::DISABLE:
            return alpha ? "diffuseColour.a" : "diffuseColour.rgb";
        case StageOperation::SELECT_ARG1:
            return a;
        case StageOperation::SELECT_ARG2:
            return b;
        case StageOperation::MODULATE_2X:
            value = a + " * " + b + " * 2.0";
            break;
        case StageOperation::MODULATE_4X:
            value = a + " * " + b + " * 4.0";
            break;
        case StageOperation::ADD:
            value = a + " + " + b;
            break;
        case StageOperation::ADD_SIGNED:
            value = a + " + " + b + " - 0.5";
            break;
        case StageOperation::ADD_SIGNED_2X:
            value = "(" + a + " + " + b + " - 0.5) * 2.0";
            break;
        case StageOperation::SUBTRACT:
            value = a + " - " + b;
            break;
        default:
            value = a + " * " + b;
            break;
    }
    return "clamp(" + value + ", 0.0, 1.0)";
}

// The condition under which a fragment passes the alpha test.
const char* AlphaPasses(AlphaTest test) {
    switch (test) {
        case AlphaTest::NEVER:
            return "false";
        case AlphaTest::LESS:
            return "alpha < alphaReference";
        case AlphaTest::EQUAL:
            return "alpha == alphaReference";
        case AlphaTest::LESS_EQUAL:
            return "alpha <= alphaReference";
        case AlphaTest::GREATER:
            return "alpha > alphaReference";
        case AlphaTest::NOT_EQUAL:
            return "alpha != alphaReference";
        case AlphaTest::GREATER_EQUAL:
            return "alpha >= alphaReference";
        default:
            return "true";
    }
}

GLuint Compile(GLenum type, const std::string& source) {
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        std::vector<char> log(1024);
        glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
        std::fprintf(stderr, "gorvanti: shader refused: %s\n%s\n", log.data(), text);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GLuint Link(GLuint vertexShader, GLuint fragmentShader) {
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glLinkProgram(program);
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        std::vector<char> log(1024);
        glGetProgramInfoLog(program, static_cast<GLsizei>(log.size()), nullptr, log.data());
        std::fprintf(stderr, "gorvanti: shader program refused: %s\n", log.data());
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

void FindUniforms(GlProgram& program) {
    const GLuint name = program.name;
    const auto at = [name](const char* uniform) { return glGetUniformLocation(name, uniform); };
    program.toClip = at("toClip");
    program.worldView = at("worldView");
    program.normalMatrix = at("normalMatrix");
    program.globalAmbient = at("globalAmbient");
    program.materialDiffuse = at("materialDiffuse");
    program.materialAmbient = at("materialAmbient");
    program.materialSpecular = at("materialSpecular");
    program.materialEmissive = at("materialEmissive");
    program.materialPower = at("materialPower");
    program.lightAmbient = at("lightAmbient");
    program.lightDiffuse = at("lightDiffuse");
    program.lightSpecular = at("lightSpecular");
    program.lightPosition = at("lightPosition");
    program.lightDirection = at("lightDirection");
    program.lightAttenuation = at("lightAttenuation");
    program.lightCone = at("lightCone");
    program.textureFactor = at("textureFactor");
    program.alphaReference = at("alphaReference");
    glUseProgram(name);
    glUniform1i(at("sheet"), 0);
}

}  // namespace

std::string VertexShaderSource(GlFlavour flavour, const ShaderKey& key) {
    std::string code =
        Prelude(flavour) + VERTEX_INPUTS + Varyings(key, "out") + "uniform mat4 toClip;\n";
    if (!key.transformed) {
        code += "uniform mat4 worldView;\n";
    }
    if (key.lit) {
        code +=
            "uniform mat3 normalMatrix;\n"
            "uniform vec4 globalAmbient;\n"
            "uniform vec4 materialDiffuse;\n"
            "uniform vec4 materialAmbient;\n"
            "uniform vec4 materialSpecular;\n"
            "uniform vec4 materialEmissive;\n"
            "uniform float materialPower;\n";
        if (key.lightCount > 0) {
            const std::string count = Index(key.lightCount);
            code += "uniform vec4 lightAmbient" + count + ";\n" + "uniform vec4 lightDiffuse" +
                    count + ";\n" + "uniform vec4 lightSpecular" + count + ";\n" +
                    "uniform vec3 lightPosition" + count + ";\n" + "uniform vec3 lightDirection" +
                    count + ";\n" + "uniform vec3 lightAttenuation" + count + ";\n" +
                    "uniform vec2 lightCone" + count + ";\n";
        }
    }
    code += "void main() {\n";
    if (!key.untextured) {
        code += "    texelCoordinate = texel;\n";
    }
    code += "    gl_PointSize = 1.0;\n";
    if (key.transformed) {
        code += "    gl_Position = toClip * position;\n";
    } else {
        code +=
            "    vec4 eye = worldView * position;\n"
            "    gl_Position = toClip * eye;\n";
    }
    if (key.lit) {
        code += LightingCode(key);
    } else {
        code +=
            "    diffuseColour = colour;\n"
            "    specularColour = vec3(0.0);\n";
    }
    return code + "}\n";
}

std::string FragmentShaderSource(GlFlavour flavour, const ShaderKey& key) {
    std::string code = Prelude(flavour) + Varyings(key, "in") + SamplerCode(key) +
                       "uniform vec4 textureFactor;\n"
                       "uniform float alphaReference;\n"
                       "layout(location = 0) out vec4 fragmentColour;\n"
                       "void main() {\n";
    code += SampleCode(key);
    code += "    vec3 rgb = " + OperationCode(key.colour, false) + ";\n" +
            "    float alpha = " + OperationCode(key.alpha, true) + ";\n";
    if (key.alphaTest != AlphaTest::OFF) {
        code += std::string("    if (!(") + AlphaPasses(key.alphaTest) +
                ")) {\n"
                "        discard;\n"
                "    }\n";
    }
    if (key.lit && key.specular) {
        code += "    rgb = clamp(rgb + specularColour, 0.0, 1.0);\n";
    }
    return code + "    fragmentColour = vec4(rgb, alpha);\n}\n";
}

ProgramCache::~ProgramCache() {
    for (const auto& [key, program] : programs) {
        if (program->name != 0) {
            glDeleteProgram(program->name);
        }
    }
}

GlProgram* ProgramCache::Get(const ShaderKey& key) {
    auto found = programs.find(key);
    if (found == programs.end()) {
        auto program = std::make_unique<GlProgram>();
        const GLuint vertexShader = Compile(GL_VERTEX_SHADER, VertexShaderSource(flavour, key));
        const GLuint fragmentShader =
            Compile(GL_FRAGMENT_SHADER, FragmentShaderSource(flavour, key));
        if (vertexShader != 0 && fragmentShader != 0) {
            program->name = Link(vertexShader, fragmentShader);
        } else {
            glDeleteShader(vertexShader);
            glDeleteShader(fragmentShader);
        }
        if (program->name != 0) {
            FindUniforms(*program);
        }
        found = programs.emplace(key, std::move(program)).first;
    }
    return found->second->name != 0 ? found->second.get() : nullptr;
}

}  // namespace platform::gl

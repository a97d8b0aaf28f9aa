// Translations of Direct3D 9 values into OpenGL ones.
#include "platform/gl/gl_translate.h"

namespace platform::gl {

namespace {

constexpr float CHANNEL_MAX = 255.0f;

GLint ArgumentSource(DWORD argument) {
    switch (argument & D3DTA_SELECTMASK) {
        case D3DTA_TEXTURE:
            return GL_TEXTURE;
        case D3DTA_TFACTOR:
        case D3DTA_CONSTANT:
            return GL_CONSTANT;
        default:  // diffuse, current (the diffuse colour in stage 0), specular
            return GL_PRIMARY_COLOR;
    }
}

GLint ArgumentOperand(DWORD argument, bool alpha) {
    const bool complement = (argument & D3DTA_COMPLEMENT) != 0;
    if (alpha || (argument & D3DTA_ALPHAREPLICATE) != 0) {
        return complement ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA;
    }
    return complement ? GL_ONE_MINUS_SRC_COLOR : GL_SRC_COLOR;
}

CombineStage Combine(DWORD operation, DWORD argument1, DWORD argument2, bool alpha) {
    CombineStage stage;
    stage.sources[0] = ArgumentSource(argument1);
    stage.operands[0] = ArgumentOperand(argument1, alpha);
    stage.sources[1] = ArgumentSource(argument2);
    stage.operands[1] = ArgumentOperand(argument2, alpha);
    switch (operation) {
        case D3DTOP_DISABLE:  // in stage 0: no texturing, the diffuse colour passes
            stage.function = GL_REPLACE;
            stage.sources[0] = GL_PRIMARY_COLOR;
            stage.operands[0] = alpha ? GL_SRC_ALPHA : GL_SRC_COLOR;
            break;
        case D3DTOP_SELECTARG1:
            stage.function = GL_REPLACE;
            break;
        case D3DTOP_SELECTARG2:
            stage.function = GL_REPLACE;
            stage.sources[0] = stage.sources[1];
            stage.operands[0] = stage.operands[1];
            break;
        case D3DTOP_MODULATE2X:
            stage.scale = 2.0f;
            break;
        case D3DTOP_MODULATE4X:
            stage.scale = 4.0f;
            break;
        case D3DTOP_ADD:
            stage.function = GL_ADD;
            break;
        case D3DTOP_ADDSIGNED:
            stage.function = GL_ADD_SIGNED;
            break;
        case D3DTOP_ADDSIGNED2X:
            stage.function = GL_ADD_SIGNED;
            stage.scale = 2.0f;
            break;
        case D3DTOP_SUBTRACT:
            stage.function = GL_SUBTRACT;
            break;
        default:  // MODULATE, and the operations OpenGL 2.1's combiner lacks
            stage.function = GL_MODULATE;
            break;
    }
    return stage;
}

}  // namespace

GLenum BlendFactor(DWORD blend, GLenum fallback) {
    switch (blend) {
        case D3DBLEND_ZERO:
            return GL_ZERO;
        case D3DBLEND_ONE:
            return GL_ONE;
        case D3DBLEND_SRCCOLOR:
            return GL_SRC_COLOR;
        case D3DBLEND_INVSRCCOLOR:
            return GL_ONE_MINUS_SRC_COLOR;
        case D3DBLEND_SRCALPHA:
            return GL_SRC_ALPHA;
        case D3DBLEND_INVSRCALPHA:
            return GL_ONE_MINUS_SRC_ALPHA;
        case D3DBLEND_DESTALPHA:
            return GL_DST_ALPHA;
        case D3DBLEND_INVDESTALPHA:
            return GL_ONE_MINUS_DST_ALPHA;
        case D3DBLEND_DESTCOLOR:
            return GL_DST_COLOR;
        case D3DBLEND_INVDESTCOLOR:
            return GL_ONE_MINUS_DST_COLOR;
        case D3DBLEND_SRCALPHASAT:
            return GL_SRC_ALPHA_SATURATE;
        default:
            return fallback;
    }
}

GLenum CompareFunction(DWORD compare, GLenum fallback) {
    switch (compare) {
        case D3DCMP_NEVER:
            return GL_NEVER;
        case D3DCMP_LESS:
            return GL_LESS;
        case D3DCMP_EQUAL:
            return GL_EQUAL;
        case D3DCMP_LESSEQUAL:
            return GL_LEQUAL;
        case D3DCMP_GREATER:
            return GL_GREATER;
        case D3DCMP_NOTEQUAL:
            return GL_NOTEQUAL;
        case D3DCMP_GREATEREQUAL:
            return GL_GEQUAL;
        case D3DCMP_ALWAYS:
            return GL_ALWAYS;
        default:
            return fallback;
    }
}

void ColourToFloats(D3DCOLOR colour, float rgba[4]) {
    uint8_t bytes[4];
    ColourToBytes(colour, bytes);
    for (int i = 0; i < 4; ++i) {
        rgba[i] = static_cast<float>(bytes[i]) / CHANNEL_MAX;
    }
}

void ColourToBytes(D3DCOLOR colour, uint8_t rgba[4]) {
    rgba[0] = static_cast<uint8_t>(colour >> 16);
    rgba[1] = static_cast<uint8_t>(colour >> 8);
    rgba[2] = static_cast<uint8_t>(colour);
    rgba[3] = static_cast<uint8_t>(colour >> 24);
}

void ColourValueToFloats(const D3DCOLORVALUE& colour, float rgba[4]) {
    rgba[0] = colour.r;
    rgba[1] = colour.g;
    rgba[2] = colour.b;
    rgba[3] = colour.a;
}

// Both matrices below are written row by row as a column-vector transform and stored transposed,
// as glLoadMatrixf wants them: element (row r, column c) goes to matrix[4 * c + r].
void ClipFix(int width, int height, float matrix[16]) {
    const float shiftX = (1.0f - 2.0f * SAMPLE_NUDGE) / static_cast<float>(width);
    const float shiftY = (2.0f * SAMPLE_NUDGE - 1.0f) / static_cast<float>(height);
    const float rows[4][4] = {
        {1, 0, 0, shiftX},
        {0, 1, 0, shiftY},
        {0, 0, 2, -1},  // depth 0..w becomes -w..w
        {0, 0, 0, 1},
    };
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            matrix[4 * c + r] = rows[r][c];
        }
    }
}

void WindowToClip(int width, int height, float matrix[16]) {
    const float pixelsWide = static_cast<float>(width);
    const float pixelsHigh = static_cast<float>(height);
    const float shiftX = (1.0f - 2.0f * SAMPLE_NUDGE) / pixelsWide;
    const float shiftY = (2.0f * SAMPLE_NUDGE - 1.0f) / pixelsHigh;
    // ClipFix x (pixels to Direct3D's normalised coordinates, y flipped).
    const float rows[4][4] = {
        {2.0f / pixelsWide, 0, 0, -1.0f + shiftX},
        {0, -2.0f / pixelsHigh, 0, 1.0f + shiftY},
        {0, 0, 2, -1},
        {0, 0, 0, 1},
    };
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            matrix[4 * c + r] = rows[r][c];
        }
    }
}

CombineStage ColourCombine(DWORD operation, DWORD argument1, DWORD argument2) {
    return Combine(operation, argument1, argument2, false);
}

CombineStage AlphaCombine(DWORD operation, DWORD argument1, DWORD argument2) {
    return Combine(operation, argument1, argument2, true);
}

}  // namespace platform::gl

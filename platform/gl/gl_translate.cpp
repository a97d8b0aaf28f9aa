// Translations of Direct3D 9 values into OpenGL ones.
#include "platform/gl/gl_translate.h"

namespace platform::gl {

namespace {

constexpr float CHANNEL_MAX = 255.0f;

StageArgument TranslateArgument(DWORD argument) {
    StageArgument translated;
    switch (argument & D3DTA_SELECTMASK) {
        case D3DTA_TEXTURE:
            translated.source = StageSource::TEXTURE;
            break;
        case D3DTA_TFACTOR:
        case D3DTA_CONSTANT:
            translated.source = StageSource::FACTOR;
            break;
        default:  // diffuse, current (the diffuse colour in stage 0), specular
            translated.source = StageSource::DIFFUSE;
            break;
    }
    translated.complement = (argument & D3DTA_COMPLEMENT) != 0;
    translated.alphaReplicate = (argument & D3DTA_ALPHAREPLICATE) != 0;
    return translated;
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

// Both matrices below are written row by row as a column-vector transform and stored transposed:
// element (row r, column c) goes to matrix[4 * c + r].
void ClipFix(int width, int height, float matrix[16]) {
    const float shiftX = 1.0f / static_cast<float>(width);
    const float shiftY = -1.0f / static_cast<float>(height);
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
    // ClipFix x (pixels to Direct3D's normalised coordinates, y flipped).
    const float rows[4][4] = {
        {2.0f / pixelsWide, 0, 0, -1.0f + 1.0f / pixelsWide},
        {0, -2.0f / pixelsHigh, 0, 1.0f - 1.0f / pixelsHigh},
        {0, 0, 2, -1},
        {0, 0, 0, 1},
    };
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            matrix[4 * c + r] = rows[r][c];
        }
    }
}

void MultiplyColumnMajor(const float a[16], const float b[16], float product[16]) {
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a[4 * k + r] * b[4 * c + k];
            }
            product[4 * c + r] = sum;
        }
    }
}

StageHalf TranslateStage(DWORD operation, DWORD argument1, DWORD argument2) {
    StageHalf half;
    half.arguments[0] = TranslateArgument(argument1);
    half.arguments[1] = TranslateArgument(argument2);
    switch (operation) {
        case D3DTOP_DISABLE:  // in stage 0: no texturing, the diffuse colour passes
            half.operation = StageOperation::DISABLE;
            break;
        case D3DTOP_SELECTARG1:
            half.operation = StageOperation::SELECT_ARG1;
            break;
        case D3DTOP_SELECTARG2:
            half.operation = StageOperation::SELECT_ARG2;
            break;
        case D3DTOP_MODULATE2X:
            half.operation = StageOperation::MODULATE_2X;
            break;
        case D3DTOP_MODULATE4X:
            half.operation = StageOperation::MODULATE_4X;
            break;
        case D3DTOP_ADD:
            half.operation = StageOperation::ADD;
            break;
        case D3DTOP_ADDSIGNED:
            half.operation = StageOperation::ADD_SIGNED;
            break;
        case D3DTOP_ADDSIGNED2X:
            half.operation = StageOperation::ADD_SIGNED_2X;
            break;
        case D3DTOP_SUBTRACT:
            half.operation = StageOperation::SUBTRACT;
            break;
        default:
            half.operation = StageOperation::MODULATE;
            break;
    }
    // Arguments an operation does not read do not split the cache.
    const bool readsFirst =
        half.operation != StageOperation::DISABLE && half.operation != StageOperation::SELECT_ARG2;
    const bool readsSecond =
        half.operation != StageOperation::DISABLE && half.operation != StageOperation::SELECT_ARG1;
    if (!readsFirst) {
        half.arguments[0] = StageArgument{};
    }
    if (!readsSecond) {
        half.arguments[1] = StageArgument{};
    }
    return half;
}

AlphaTest TranslateAlphaTest(bool enabled, DWORD function) {
    if (!enabled) {
        return AlphaTest::OFF;
    }
    switch (function) {
        case D3DCMP_NEVER:
            return AlphaTest::NEVER;
        case D3DCMP_LESS:
            return AlphaTest::LESS;
        case D3DCMP_EQUAL:
            return AlphaTest::EQUAL;
        case D3DCMP_LESSEQUAL:
            return AlphaTest::LESS_EQUAL;
        case D3DCMP_GREATER:
            return AlphaTest::GREATER;
        case D3DCMP_NOTEQUAL:
            return AlphaTest::NOT_EQUAL;
        case D3DCMP_GREATEREQUAL:
            return AlphaTest::GREATER_EQUAL;
        default:  // ALWAYS, and unknown functions
            return AlphaTest::OFF;
    }
}

}  // namespace platform::gl

// SineDeg and CosineDeg: whole degrees through the game's own quarter-wave table.
#include <cstdint>

#include "render/sprites.h"

namespace {

constexpr int32_t DEGREES_PER_TURN = 360;
constexpr int32_t DEGREES_PER_QUADRANT = 90;

// sin(k degrees) to six significant digits; entries 38 and 53 differ from that in their last
// digit and are kept as the game has them, since sprite corners land on their values.
constexpr float SINE_TABLE[DEGREES_PER_QUADRANT] = {
    0.0f,      0.0174524f, 0.0348995f, 0.052336f, 0.0697565f, 0.0871557f, 0.104528f, 0.121869f,
    0.139173f, 0.156434f,  0.173648f,  0.190809f, 0.207912f,  0.224951f,  0.241922f, 0.258819f,
    0.275637f, 0.292372f,  0.309017f,  0.325568f, 0.34202f,   0.358368f,  0.374607f, 0.390731f,
    0.406737f, 0.422618f,  0.438371f,  0.45399f,  0.469472f,  0.48481f,   0.5f,      0.515038f,
    0.529919f, 0.544639f,  0.559193f,  0.573576f, 0.587785f,  0.601815f,  0.615662f, 0.62932f,
    0.642788f, 0.656059f,  0.669131f,  0.681998f, 0.694658f,  0.707107f,  0.71934f,  0.731354f,
    0.743145f, 0.75471f,   0.766044f,  0.777146f, 0.788011f,  0.798635f,  0.809017f, 0.819152f,
    0.829038f, 0.838671f,  0.848048f,  0.857167f, 0.866025f,  0.87462f,   0.882948f, 0.891007f,
    0.898794f, 0.906308f,  0.913545f,  0.920505f, 0.927184f,  0.93358f,   0.939693f, 0.945519f,
    0.951057f, 0.956305f,  0.961262f,  0.965926f, 0.970296f,  0.97437f,   0.978148f, 0.981627f,
    0.984808f, 0.987688f,  0.990268f,  0.992546f, 0.994522f,  0.996195f,  0.997564f, 0.99863f,
    0.999391f, 0.999848f,
};

}  // namespace

float SineDeg(int32_t degrees) {
    int32_t reduced = degrees % DEGREES_PER_TURN;
    // A negative multiple of a turn becomes a full turn here, which the last quadrant case covers.
    if (degrees < 0) {
        reduced += DEGREES_PER_TURN;
    }
    const int32_t quadrant = reduced / DEGREES_PER_QUADRANT;
    const int32_t withinQuadrant = reduced % DEGREES_PER_QUADRANT;
    switch (quadrant) {
        case 0:
            return SINE_TABLE[withinQuadrant];
        case 1:
            return withinQuadrant == 0 ? 1.0f : SINE_TABLE[DEGREES_PER_QUADRANT - withinQuadrant];
        case 2:
            return -SINE_TABLE[withinQuadrant];
        case 3:
            return withinQuadrant == 0 ? -1.0f : -SINE_TABLE[DEGREES_PER_QUADRANT - withinQuadrant];
        default:
            return 0.0f;
    }
}

float CosineDeg(int32_t degrees) {
    // Reduced first so that adding the quarter turn cannot overflow; the sine depends only on the
    // angle modulo a turn, so the result is that of SineDeg(degrees + 90).
    return SineDeg(degrees % DEGREES_PER_TURN + DEGREES_PER_QUADRANT);
}

// Matrices the title's rules describe, written out row by row, and a tolerant comparison.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "gfxutil/matrix.h"

namespace title_test {

constexpr float PI = 3.1415927f;

// Moved to (x, y, z) first, then turned by `angle` about Z: the row-vector product T x Rz.
inline Matrix MovedThenTurnedZ(float x, float y, float z, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    return Matrix{
        {{c, s, 0, 0}, {-s, c, 0, 0}, {0, 0, 1, 0}, {x * c - y * s, x * s + y * c, z, 1}}};
}

// Turned by `angle` about Z first, then moved: Rz x T.
inline Matrix TurnedZThenMoved(float angle, float x, float y, float z) {
    const float c = std::cos(angle), s = std::sin(angle);
    return Matrix{{{c, s, 0, 0}, {-s, c, 0, 0}, {0, 0, 1, 0}, {x, y, z, 1}}};
}

// Turned by `angle` about Y first, then moved: Ry x T.
inline Matrix TurnedYThenMoved(float angle, float x, float y, float z) {
    const float c = std::cos(angle), s = std::sin(angle);
    return Matrix{{{c, 0, -s, 0}, {0, 1, 0, 0}, {s, 0, c, 0}, {x, y, z, 1}}};
}

inline Matrix Moved(float x, float y, float z) {
    return Matrix{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {x, y, z, 1}}};
}

inline ::testing::AssertionResult MatrixNear(const Matrix& actual, const Matrix& expected,
                                             float tolerance = 1e-4f) {
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            if (std::fabs(actual.m[row][column] - expected.m[row][column]) > tolerance) {
                return ::testing::AssertionFailure()
                       << "element [" << row << "][" << column << "] is " << actual.m[row][column]
                       << ", expected " << expected.m[row][column];
            }
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace title_test

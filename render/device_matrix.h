// The game's Matrix handed to the device as the D3DMATRIX it has the layout of.
#pragma once

#include <cstring>

#include "gfxutil/matrix.h"
#include "platform/d3d9.h"

static_assert(sizeof(Matrix) == sizeof(D3DMATRIX));

// Copied rather than cast, so that no pointer of one type ever reads the other.
inline D3DMATRIX ToDeviceMatrix(const Matrix& matrix) {
    D3DMATRIX deviceMatrix;
    std::memcpy(&deviceMatrix, &matrix, sizeof(deviceMatrix));
    return deviceMatrix;
}

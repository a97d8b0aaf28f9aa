// The ray-against-box probe the ball physics uses to find which side of a block it touches.
#pragma once

#include "gfxutil/matrix.h"

// The classic fast ray-box test with closed bounds; a degenerate (point) box is never hit.
bool RayHitsBox(const Vector3& boxMin, const Vector3& boxMax, const Vector3& origin,
                const Vector3& direction);

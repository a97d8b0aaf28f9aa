// The classic fast ray-box test, step for step as the ball physics expects it.
#include "gfxutil/ray_box.h"

namespace {

constexpr int AXES = 3;
// The largest t starts below any hit, so a ray that only meets planes behind it fails.
constexpr float NO_HIT_YET = -1.0f;

float Component(const Vector3& v, int axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

}  // namespace

bool RayHitsBox(const Vector3& boxMin, const Vector3& boxMax, const Vector3& origin,
                const Vector3& direction) {
    if (boxMin.x == boxMax.x && boxMin.y == boxMax.y && boxMin.z == boxMax.z) {
        return false;
    }

    float candidate[AXES] = {};
    bool middle[AXES] = {};
    bool inside = true;
    for (int axis = 0; axis < AXES; ++axis) {
        const float o = Component(origin, axis);
        if (o < Component(boxMin, axis)) {
            candidate[axis] = Component(boxMin, axis);
            inside = false;
        } else if (o > Component(boxMax, axis)) {
            candidate[axis] = Component(boxMax, axis);
            inside = false;
        } else {
            middle[axis] = true;
        }
    }
    if (inside) {
        return true;
    }

    float largestT = NO_HIT_YET;
    int planeAxis = 0;
    for (int axis = 0; axis < AXES; ++axis) {
        const float d = Component(direction, axis);
        if (middle[axis] || d == 0.0f) {
            continue;
        }
        const float t = (candidate[axis] - Component(origin, axis)) / d;
        if (t > largestT) {  // strictly larger: on a tie the earlier axis stays
            largestT = t;
            planeAxis = axis;
        }
    }
    if (largestT < 0.0f) {
        return false;
    }

    for (int axis = 0; axis < AXES; ++axis) {
        if (axis == planeAxis) {
            continue;
        }
        const float point = Component(origin, axis) + largestT * Component(direction, axis);
        if (point < Component(boxMin, axis) || point > Component(boxMax, axis)) {
            return false;
        }
    }
    return true;
}

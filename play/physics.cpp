// The tilt of the board and the roll of the ball, one tick at a time.
#include <cmath>

#include "app/key_bits.h"
#include "gfxutil/ray_box.h"
#include "play/board_geometry.h"
#include "play/play_scene.h"

namespace {

constexpr float TILT_STEP = 0.017453f;  // one degree
constexpr float TILT_LIMIT = 0.17453f;  // ten degrees
constexpr float SPEED_PER_DEGREE = 0.15f;
// The reciprocal of TILT_STEP, not 180/pi: with 180/pi every truncation to whole degrees below
// would come out one short.
constexpr float RAD_TO_DEG = 57.29674f;
constexpr float FRICTION = SPEED_PER_DEGREE;
// Holes and goals catch the ball when its centre is less than 2.5 + 0.1 from theirs.
constexpr float PROBE_HALF = 0.1f;

// The corner pass's diagonal rays from the ball's centre, in the order they are tried, and the
// side of the block (in cells) the ball is put on when that ray hits.
struct CornerRay {
    float directionX, directionZ;
    float sideX, sideZ;
};
constexpr CornerRay CORNER_RAYS[] = {
    {HALF_CELL, HALF_CELL, -1.0f, -1.0f},
    {HALF_CELL, -HALF_CELL, -1.0f, 1.0f},
    {-HALF_CELL, -HALF_CELL, 1.0f, 1.0f},
    {-HALF_CELL, HALF_CELL, 1.0f, -1.0f},
};

// A flat box in the plane of the board: centre +- half on x and z, both y bounds at the centre's y.
struct FlatBox {
    Vector3 min, max;
};

FlatBox BoxAround(const Vector3& centre, float half) {
    return {{centre.x - half, centre.y, centre.z - half},
            {centre.x + half, centre.y, centre.z + half}};
}

bool Overlap(const BoxTest& test, const FlatBox& a, const FlatBox& b) {
    return test.BoxesOverlap(a.min.x, a.min.y, a.min.z, a.max.x, a.max.y, a.max.z, b.min.x, b.min.y,
                             b.min.z, b.max.x, b.max.y, b.max.z) != 0;
}

bool RayHits(const FlatBox& box, const Vector3& origin, float directionX, float directionZ) {
    return RayHitsBox(box.min, box.max, origin, {directionX, 0, directionZ});
}

void AddTilt(std::vector<MeshInstance>& instances, float MeshInstance::*angle, float step) {
    for (MeshInstance& instance : instances) {
        instance.*angle += step;
    }
}

// Stops the ball at one edge of the board: changes the stored position at once.
void StopAtEdge(float& position, float& step) {
    if (position + step < -BOARD_HALF) {
        position = -BOARD_HALF;
        step = 0;
    } else if (position + step > BOARD_HALF) {
        position = BOARD_HALF;
        step = 0;
    }
}

// Calls `visit(centre, cellBox)` for each block whose box overlaps `ballBox`, in map order, until
// it returns false. `ballBox` is read afresh for every block: a visit may move it.
template <typename Visit>
void VisitBlocksUnder(const StageMap& map, const std::vector<MeshInstance>& instances,
                      const FlatBox& ballBox, Visit visit) {
    const BoxTest test;
    for (int cell = 0; cell < MAP_CELLS; ++cell) {
        if (map.cells[cell] != Block) {
            continue;
        }
        const Vector3& centre = instances[FIRST_CELL_INSTANCE + cell].position;
        const FlatBox cellBox = BoxAround(centre, HALF_CELL);
        if (Overlap(test, ballBox, cellBox) && !visit(centre, cellBox)) {
            return;
        }
    }
}

void ApplyFriction(float& step) {
    if (step < 0) {
        step += FRICTION;
    }
    if (step > 0) {
        step -= FRICTION;
    }
}

}  // namespace

void PlayScene::TiltInput(KeyState& keys) {
    const int bits = keys.bits;
    // Everything reads the ball's angles; every instance gets the same change.
    const MeshInstance& ball = instances[BALL_INSTANCE];
    if ((bits & KEY_BIT_UP) && ball.rotationX < TILT_LIMIT) {
        AddTilt(instances, &MeshInstance::rotationX, TILT_STEP);
    } else if ((bits & KEY_BIT_DOWN) && ball.rotationX > -TILT_LIMIT) {
        AddTilt(instances, &MeshInstance::rotationX, -TILT_STEP);
    }
    if ((bits & KEY_BIT_RIGHT) && ball.rotationZ > -TILT_LIMIT) {
        AddTilt(instances, &MeshInstance::rotationZ, -TILT_STEP);
    } else if ((bits & KEY_BIT_LEFT) && ball.rotationZ < TILT_LIMIT) {
        AddTilt(instances, &MeshInstance::rotationZ, TILT_STEP);
    }
}

void PlayScene::MoveBall() {
    if (falling) {
        FallTick();
        return;
    }

    Vector3& ball = instances[BALL_INSTANCE].position;
    // Negative Z angle lowers the right edge, so it rolls the ball towards +x.
    const int degreesX = static_cast<int>(instances[BALL_INSTANCE].rotationZ * -RAD_TO_DEG);
    const int degreesZ = static_cast<int>(instances[BALL_INSTANCE].rotationX * RAD_TO_DEG);
    float stepX = degreesX * SPEED_PER_DEGREE;
    float stepZ = degreesZ * SPEED_PER_DEGREE;

    // The edge is tested with the step before friction.
    StopAtEdge(ball.x, stepX);
    StopAtEdge(ball.z, stepZ);
    ApplyFriction(stepX);
    ApplyFriction(stepZ);
    // A ball moving mostly along z is pushed off a corner in x, and the other way round.
    const bool pushAlongX = std::fabs(stepX) <= std::fabs(stepZ);

    const Vector3 origin = ball;
    Vector3 target = {ball.x + stepX, ball.y, ball.z + stepZ};
    FlatBox ballBox = BoxAround(target, HALF_CELL);

    // Axis pass: each block the ball would enter pushes it back out along x and z; the rays from
    // where the ball stood tell which side of the block it came from.
    VisitBlocksUnder(*stageMap, instances, ballBox,
                     [&](const Vector3& centre, const FlatBox& cellBox) {
                         if (RayHits(cellBox, origin, HALF_CELL, 0)) {
                             ballBox.min.x = centre.x - CELL_SIZE - HALF_CELL;
                             ballBox.max.x = centre.x - CELL_SIZE + HALF_CELL;
                         } else if (RayHits(cellBox, origin, -HALF_CELL, 0)) {
                             ballBox.min.x = centre.x + CELL_SIZE - HALF_CELL;
                             ballBox.max.x = centre.x + CELL_SIZE + HALF_CELL;
                         }
                         if (RayHits(cellBox, origin, 0, HALF_CELL)) {
                             ballBox.min.z = centre.z - CELL_SIZE - HALF_CELL;
                             ballBox.max.z = centre.z - CELL_SIZE + HALF_CELL;
                         } else if (RayHits(cellBox, origin, 0, -HALF_CELL)) {
                             ballBox.min.z = centre.z + CELL_SIZE - HALF_CELL;
                             ballBox.max.z = centre.z + CELL_SIZE + HALF_CELL;
                         }
                         target = {ballBox.min.x + HALF_CELL, target.y, ballBox.min.z + HALF_CELL};
                         return true;
                     });
    ball = target;
    ballBox = BoxAround(target, HALF_CELL);

    // Corner pass: the first block still overlapped pushes the ball sideways off its corner, so
    // that it slides past corners instead of sticking to them. One block a tick at most.
    VisitBlocksUnder(*stageMap, instances, ballBox,
                     [&](const Vector3& centre, const FlatBox& cellBox) {
                         for (const CornerRay& ray : CORNER_RAYS) {
                             if (!RayHits(cellBox, target, ray.directionX, ray.directionZ)) {
                                 continue;
                             }
                             if (pushAlongX) {
                                 target.x = centre.x + ray.sideX * CELL_SIZE;
                             } else {
                                 target.z = centre.z + ray.sideZ * CELL_SIZE;
                             }
                             break;
                         }
                         return false;
                     });
    ball = target;
}

void PlayScene::CheckHoleAndGoal() {
    const BoxTest test;
    Vector3& ball = instances[BALL_INSTANCE].position;
    const FlatBox probe = BoxAround(ball, PROBE_HALF);
    for (int cell = 0; cell < MAP_CELLS; ++cell) {
        const int32_t kind = stageMap->cells[cell];
        if (kind != Hole && kind != Goal) {
            continue;
        }
        // A hole's mesh lies far below the board, but it catches the ball at board level.
        const Vector3& mesh = instances[FIRST_CELL_INSTANCE + cell].position;
        const FlatBox cellBox = BoxAround({mesh.x, 0, mesh.z}, HALF_CELL);
        if (Overlap(test, probe, cellBox)) {
            ball = {mesh.x, 0, mesh.z};
            if (kind == Hole) {
                falling = 1;
            } else {
                goalReached = 1;
            }
            return;
        }
    }
}

void PlayScene::UpdateWorldMatrices() {
    const MeshInstance& ball = instances[BALL_INSTANCE];
    const Matrix tiltX = RotationX(ball.rotationX);
    const Matrix tiltZ = RotationZ(ball.rotationZ);
    // The board turns about the world origin, the centre of the board, and all on it with it.
    for (size_t index = 0; index < instances.size(); ++index) {
        MeshInstance& instance = instances[index];
        if (index == BOX_INSTANCE) {
            Multiply(instance.world, tiltX, tiltZ);
            continue;
        }
        const Vector3& p = instance.position;
        Multiply(instance.world, Translation(p.x, p.y, p.z), tiltX);
        Multiply(instance.world, instance.world, tiltZ);
    }
}

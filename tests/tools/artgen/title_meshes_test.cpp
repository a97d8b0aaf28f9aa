// Tests of the title scene's meshes: the title word the camera ends up facing, and the box
// lattice the camera flies through.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

#include "tests/tools/artgen/art_test_support.h"

namespace {

float Area(const Vector3& winding) {
    return 0.5f * std::sqrt(Dot(winding, winding));
}

TEST(TitleMesh, IsCentredOnItsOriginAndAboutTwelveUnitsWide) {
    const LoadedMesh mesh = LoadGraphicMesh("title.x");
    ASSERT_TRUE(mesh.loaded);
    // centred, since the title scene spins it about its own origin
    EXPECT_NEAR((mesh.min.x + mesh.max.x) / 2, 0.0f, 0.01f);
    EXPECT_NEAR((mesh.min.y + mesh.max.y) / 2, 0.0f, 0.01f);
    EXPECT_NEAR((mesh.min.z + mesh.max.z) / 2, 0.0f, 0.01f);
    EXPECT_GE(mesh.max.x - mesh.min.x, 11.0f);
    EXPECT_LE(mesh.max.x - mesh.min.x, 13.0f);
    // ten units in front of the camera, whose view is about 11.5 units high there
    EXPECT_LT(mesh.max.y - mesh.min.y, 5.0f);
}

// The camera looks along +z, so the word's face points to -z and is wound clockwise from there.
TEST(TitleMesh, ItsFaceTurnsTowardsTheCamera) {
    const LoadedMesh mesh = LoadGraphicMesh("title.x");
    ASSERT_TRUE(mesh.loaded);
    const float width = mesh.max.x - mesh.min.x;
    const float height = mesh.max.y - mesh.min.y;
    EXPECT_LT(mesh.max.z - mesh.min.z, height / 2) << "a slab seen face on, not edge on";
    float towardsCamera = 0;
    for (size_t t = 0; t < mesh.TriangleCount(); ++t) {
        const Vector3 winding = WindingNormal(mesh, t);
        const MeshVertex& a = mesh.Corner(t, 0);
        EXPECT_GT(Dot(winding, {a.nx, a.ny, a.nz}), 0.0f) << "triangle " << t;
        if (winding.z < 0 && std::abs(winding.x) < 1e-6f && std::abs(winding.y) < 1e-6f) {
            towardsCamera += Area(winding);
        }
    }
    // block letters cover a good part of the box they stand in
    EXPECT_GT(towardsCamera, 0.3f * width * height);
}

// Loaded without flags its ambient colour stays black, and the light points straight down, so a
// face turned to the camera shows nothing but its emissive colour.
TEST(TitleMesh, FacesTowardsTheCameraGlowOnTheirOwn) {
    const LoadedMesh mesh = LoadGraphicMesh("title.x");
    ASSERT_TRUE(mesh.loaded);
    bool checked = false;
    for (size_t t = 0; t < mesh.TriangleCount(); ++t) {
        if (WindingNormal(mesh, t).z >= 0) {
            continue;
        }
        const D3DCOLORVALUE& glow = mesh.materials.at(mesh.triangleMaterials[t]).material.Emissive;
        EXPECT_GE(std::max({glow.r, glow.g, glow.b}), 0.5f) << "triangle " << t;
        checked = true;
    }
    EXPECT_TRUE(checked);
}

// The scene scrolls the lattice to z = 0, -2, ... -8 and back to 0: only a period of 10 along z
// hides the jump.
TEST(BoxLattice, RepeatsEveryTenUnitsAlongZ) {
    const LoadedMesh mesh = LoadGraphicMesh("boxholl.x");
    ASSERT_TRUE(mesh.loaded);
    std::set<std::tuple<long, long, long>> corners;
    auto key = [](float x, float y, float z) {
        return std::tuple{std::lround(x * 100), std::lround(y * 100), std::lround(z * 100)};
    };
    for (const MeshVertex& v : mesh.vertices) {
        corners.insert(key(v.x, v.y, v.z));
    }
    int unmatched = 0;
    for (const MeshVertex& v : mesh.vertices) {
        if (v.z + 10.0f <= mesh.max.z + 1e-3f && corners.count(key(v.x, v.y, v.z + 10.0f)) == 0) {
            ++unmatched;
        }
    }
    EXPECT_EQ(unmatched, 0);
    // from behind the title camera's eye (z = -100, less the scroll's 8) to far ahead
    EXPECT_LE(mesh.min.z, -100.0f);
    EXPECT_GE(mesh.max.z, 100.0f);
    EXPECT_GE(mesh.max.x - mesh.min.x, 60.0f);
}

// Every corner's normal points out of its box along the diagonal, so it leans towards the outside
// of each face the corner belongs to: a face wound clockwise seen from outside agrees with it.
TEST(BoxLattice, FacesAreWoundClockwiseSeenFromOutside) {
    const LoadedMesh mesh = LoadGraphicMesh("boxholl.x");
    ASSERT_TRUE(mesh.loaded);
    int wrong = 0;
    for (size_t t = 0; t < mesh.TriangleCount(); ++t) {
        for (int corner = 0; corner < 3; ++corner) {
            const MeshVertex& v = mesh.Corner(t, corner);
            wrong += Dot(WindingNormal(mesh, t), {v.nx, v.ny, v.nz}) <= 0;
        }
    }
    EXPECT_EQ(wrong, 0);
}

// One instance stands at y = 15 and one at y = -15, with the eye at y = 10; turned half a turn
// about z they swap. A lattice within |y| < 5 stays above the eye as the ceiling and below it as
// the floor either way.
TEST(BoxLattice, StaysClearOfTheEyeAsCeilingAndFloor) {
    const LoadedMesh mesh = LoadGraphicMesh("boxholl.x");
    ASSERT_TRUE(mesh.loaded);
    EXPECT_GT(mesh.min.y, -5.0f);
    EXPECT_LT(mesh.max.y, 5.0f);
    ASSERT_EQ(mesh.materials.size(), 1u);
    const D3DCOLORVALUE& diffuse = mesh.materials[0].material.Diffuse;
    EXPECT_GT(std::max({diffuse.r, diffuse.g, diffuse.b}), 0.3f) << "lines that show on black";
}

}  // namespace

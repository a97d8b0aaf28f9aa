// What a frame of the opening sends to the device: the title's render-state overrides around each
// instance's world transform.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "title_fixture.h"
#include "title_matrices.h"

namespace title_test {
namespace {

using TitleFrame = TitleFixture;

constexpr int FILL_MODE = 8;
constexpr int CULL_MODE = 22;
constexpr int WORLD = 256;

// The calls of the last frame that matter for the instance pass, in order.
std::vector<std::string> InstancePassCalls(const platform::headless::CallLog& log) {
    std::vector<std::string> calls;
    for (const platform::headless::RecordedCall& call : log.calls) {
        if (call.args.empty()) {
            continue;
        }
        const int first = static_cast<int>(call.args[0]);
        if (call.name == "SetRenderState" && (first == FILL_MODE || first == CULL_MODE)) {
            calls.push_back(call.ToString());
        } else if (call.name == "SetTransform" && first == WORLD) {
            calls.push_back("SetTransform 256");
        }
    }
    return calls;
}

Matrix WorldOf(const platform::headless::RecordedCall& call) {
    Matrix world{};
    for (int i = 0; i < 16; ++i) {
        world.m[i / 4][i % 4] = static_cast<float>(call.args[1 + i]);
    }
    return world;
}

TEST_F(TitleFrame, HiddenInstancesGetNeitherOverridesNorTransforms) {
    Tick();
    EXPECT_TRUE(InstancePassCalls(log).empty());
    RunUntilState(BoxesSlideIn);
    EXPECT_TRUE(InstancePassCalls(log).empty());
}

TEST_F(TitleFrame, EachInstanceGetsItsOverridesBeforeItsWorld) {
    RunUntilState(TitleFlyIn);
    Tick();
    const std::vector<std::string> expected = {
        "SetRenderState 8 2", "SetRenderState 22 1", "SetTransform 256",  // box above
        "SetRenderState 8 2", "SetRenderState 22 1", "SetTransform 256",  // box below
        "SetRenderState 8 3", "SetRenderState 22 3", "SetTransform 256",  // title mesh
    };
    EXPECT_EQ(InstancePassCalls(log), expected);

    std::vector<Matrix> worlds;
    for (const platform::headless::RecordedCall& call : log.calls) {
        if (call.name == "SetTransform" && static_cast<int>(call.args[0]) == WORLD) {
            ASSERT_EQ(call.args.size(), 17u);
            worlds.push_back(WorldOf(call));
        }
    }
    ASSERT_EQ(worlds.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(MatrixNear(worlds[i], app->instances[i].world, 0)) << "instance " << i;
    }
}

TEST_F(TitleFrame, LoadingSetsWhiteAmbientOnTheDevice) {
    Tick();
    size_t ambient = 0;
    for (const platform::headless::RecordedCall& call : log.calls) {
        if (call.name == "SetRenderState" && call.args.size() == 2 && call.args[0] == 139) {
            EXPECT_EQ(call.args[1], 4294967295.0);
            ++ambient;
        }
    }
    EXPECT_EQ(ambient, 1u);
    // Later ticks leave it alone.
    Tick();
    for (const platform::headless::RecordedCall& call : log.calls) {
        EXPECT_FALSE(call.name == "SetRenderState" && call.args[0] == 139);
    }
}

}  // namespace
}  // namespace title_test

// The full game drawn by the OpenGL device, frame by frame against tests/replays/frames/: pictures
// the fixed-function layer drew before the shaders replaced it, with sprites at whole pixels.
#include <gtest/gtest.h>

#include <string>

#include "tests/replay_frames/frame_images.h"
#include "tests/support/run_folder.h"
#include "tools/replay/replay_runner.h"

namespace {

enum class Content {
    // Only sprites drawn 1:1, unrotated: every pixel as before.
    FLAT_SPRITES,
    // The board in 3-D with the play HUD, whose digits and labels are 1:1 sprites.
    PLAY,
    // The title's 3-D boxes and scaled letters: nothing is exact.
    TITLE_3D,
};

struct Frame {
    int tick;
    Content content;
};

// Ticks of tests/replays/full-game.replay across the title, all ten stages with their banners
// and the ending.
constexpr Frame FRAMES[] = {
    {3, Content::FLAT_SPRITES},    {12, Content::TITLE_3D},       {60, Content::PLAY},
    {100, Content::PLAY},          {300, Content::PLAY},          {475, Content::PLAY},
    {800, Content::PLAY},          {1120, Content::PLAY},         {1400, Content::PLAY},
    {1600, Content::PLAY},         {1750, Content::PLAY},         {2200, Content::PLAY},
    {2480, Content::PLAY},         {2640, Content::PLAY},         {3000, Content::PLAY},
    {3110, Content::PLAY},         {3400, Content::PLAY},         {3770, Content::PLAY},
    {3830, Content::PLAY},         {3860, Content::PLAY},         {3900, Content::FLAT_SPRITES},
    {3990, Content::FLAT_SPRITES}, {4100, Content::FLAT_SPRITES}, {4170, Content::TITLE_3D},
};

// The 3-D picture moved by 1/256 pixel when the old layer's nudge went, so polygon edges and the
// borders between nearest-sampled texels may fall on the other side of a pixel centre; rotated
// and scaled sprites moved by the half-pixel correction. Each such pixel takes a neighbour's
// colour, so few pixels change, some of them much.
constexpr double MOST_CHANGED_SHARE = 0.04;
constexpr double MOST_STRONGLY_CHANGED_SHARE = 0.01;
constexpr int STRONG_CHANGE = 16;  // per channel, of 255

void Compare(const Image& drawn, const Image& reference, Content content, int tick) {
    ASSERT_EQ(drawn.width, reference.width) << "tick " << tick;
    ASSERT_EQ(drawn.height, reference.height) << "tick " << tick;
    int changed = 0;
    int stronglyChanged = 0;
    int changedExactly = 0;  // where nothing may change
    for (int y = 0; y < drawn.height; ++y) {
        for (int x = 0; x < drawn.width; ++x) {
            const int difference = ChannelDifference(drawn, x, y, reference, x, y);
            if (difference == 0) {
                continue;
            }
            ++changed;
            stronglyChanged += difference > STRONG_CHANGE ? 1 : 0;
            const bool inHud = x < HUD_RIGHT && y < HUD_BOTTOM;
            if (content == Content::FLAT_SPRITES || (content == Content::PLAY && inHud)) {
                ++changedExactly;
            }
        }
    }
    const double pixels = static_cast<double>(drawn.width) * drawn.height;
    EXPECT_EQ(changedExactly, 0) << "tick " << tick << ": 1:1 sprites moved";
    EXPECT_LE(changed, MOST_CHANGED_SHARE * pixels) << "tick " << tick;
    EXPECT_LE(stronglyChanged, MOST_STRONGLY_CHANGED_SHARE * pixels) << "tick " << tick;
}

TEST(FullGameFrames, MatchTheReferenceFramesOneToOneSpritesExactly) {
    ScratchDirectory folder;
    ASSERT_TRUE(CopyArt(folder));
    folder.Write("setup.ini", ARROW_KEYS_SETUP);
    folder.Write("besttime.dat", SLOWEST_BEST_TIMES);
    ReplayOptions options;
    options.directory = folder.Path().string();
    options.scriptFile = std::string(GORVANTI_SOURCE_DIR) + "/tests/replays/full-game.replay";
    for (const Frame& frame : FRAMES) {
        options.screenshots[frame.tick] = (folder.Path() / FrameName(frame.tick)).string();
    }
    // A replay that reaches its last tick ends as a confirmed quit.
    ASSERT_EQ(RunReplay(options), 1);

    for (const Frame& frame : FRAMES) {
        const Image reference = LoadPng(std::string(GORVANTI_SOURCE_DIR) +
                                        "/tests/replays/frames/" + FrameName(frame.tick));
        const Image drawn = LoadPng(options.screenshots[frame.tick]);
        ASSERT_FALSE(reference.rgba.empty()) << "tick " << frame.tick;
        ASSERT_FALSE(drawn.rgba.empty()) << "tick " << frame.tick;
        Compare(drawn, reference, frame.content, frame.tick);
    }
}

}  // namespace

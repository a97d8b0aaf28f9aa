// The full game drawn offscreen at twice and three times 640 x 480 against the same ticks at
// 640 x 480: the sprites are the exact enlargement, the 3-D board the same picture more finely.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

#include "tests/replay_frames/frame_images.h"
#include "tests/support/run_folder.h"
#include "tools/replay/replay_runner.h"

namespace {

constexpr int GAME_WIDTH = 640;
constexpr int GAME_HEIGHT = 480;
// Ticks of tests/replays/full-game.replay: the title's first picture, only 1:1 sprites; and stage
// 1 in play, the board in 3-D with the HUD column.
constexpr int TITLE_TICK = 3;
constexpr int PLAY_TICK = 300;

struct Frames {
    Image title;
    Image play;
};

Frames DrawFrames(int scale) {
    ScratchDirectory folder;
    Frames frames;
    if (!CopyArt(folder)) {
        ADD_FAILURE() << "no art in the run folder";
        return frames;
    }
    folder.Write("setup.ini", ARROW_KEYS_SETUP);
    folder.Write("besttime.dat", SLOWEST_BEST_TIMES);
    ReplayOptions options;
    options.directory = folder.Path().string();
    options.scriptFile = std::string(GORVANTI_SOURCE_DIR) + "/tests/replays/full-game.replay";
    options.ticks = PLAY_TICK + 1;
    options.scale = scale;
    const std::string titleFile = (folder.Path() / FrameName(TITLE_TICK)).string();
    const std::string playFile = (folder.Path() / FrameName(PLAY_TICK)).string();
    options.screenshots[TITLE_TICK] = titleFile;
    options.screenshots[PLAY_TICK] = playFile;
    // A replay that reaches its last tick ends as a confirmed quit.
    EXPECT_EQ(RunReplay(options), 1);
    frames.title = LoadPng(titleFile);
    frames.play = LoadPng(playFile);
    EXPECT_EQ(frames.title.width, GAME_WIDTH * scale);
    EXPECT_EQ(frames.title.height, GAME_HEIGHT * scale);
    EXPECT_EQ(frames.play.width, GAME_WIDTH * scale);
    EXPECT_EQ(frames.play.height, GAME_HEIGHT * scale);
    return frames;
}

// Pixels of `region` (in game pixels) where the scaled frame is not the nearest-neighbour
// enlargement of the 640 x 480 one: every game pixel an s x s block of its colour.
int PixelsNotEnlarged(const Image& scaled, const Image& original, int scale, int right,
                      int bottom) {
    int wrong = 0;
    for (int y = 0; y < bottom * scale; ++y) {
        for (int x = 0; x < right * scale; ++x) {
            wrong += ChannelDifference(scaled, x, y, original, x / scale, y / scale) != 0;
        }
    }
    return wrong;
}

// The mean red, green and blue of a size x size square.
using BlockMean = std::array<double, 3>;

BlockMean MeanOf(const Image& image, int left, int top, int size) {
    BlockMean sums = {};
    for (int y = top; y < top + size; ++y) {
        for (int x = left; x < left + size; ++x) {
            const size_t at = (static_cast<size_t>(y) * image.width + x) * 4;
            for (size_t channel = 0; channel < sums.size(); ++channel) {
                sums[channel] += image.rgba[at + channel];
            }
        }
    }
    for (double& sum : sums) {
        sum /= size * size;
    }
    return sums;
}

struct FramePair {
    Frames original;
    Frames scaled;
};

// Draws the frames at factor 1 and `scale`, and expects the scaled sprites to be the exact
// enlargement: the whole title, and the HUD column of play.
FramePair DrawAndCompareSprites(int scale) {
    FramePair frames{DrawFrames(1), DrawFrames(scale)};
    const Frames& original = frames.original;
    const Frames& scaled = frames.scaled;
    if (scaled.title.rgba.empty() || original.title.rgba.empty() || scaled.play.rgba.empty() ||
        original.play.rgba.empty()) {
        ADD_FAILURE() << "a frame was not drawn at factor " << scale;
        return frames;
    }
    EXPECT_EQ(PixelsNotEnlarged(scaled.title, original.title, scale, GAME_WIDTH, GAME_HEIGHT), 0)
        << "the title at factor " << scale;
    EXPECT_EQ(PixelsNotEnlarged(scaled.play, original.play, scale, HUD_RIGHT, HUD_BOTTOM), 0)
        << "the HUD column at factor " << scale;
    return frames;
}

}  // namespace

TEST(ScaledFrames, AtFactorThreeSpritesAreEnlargedExactlyAndTheBoardIsSampledAlike) {
    constexpr int SCALE = 3;
    // The middle pixel of each 3 x 3 block is sampled at the very point of the scene the game
    // pixel is (3 (x + 1/2) = 3x + 1 + 1/2), so it has the same colour, except where rounding puts
    // a polygon edge or a texel border on the other side of that point: a few pixels along the
    // edges, far fewer than one in a hundred.
    constexpr double MOST_DIFFERING_SHARE = 0.01;
    const auto [original, scaled] = DrawAndCompareSprites(SCALE);
    ASSERT_FALSE(HasFailure());
    int differing = 0;
    for (int y = 0; y < GAME_HEIGHT; ++y) {
        for (int x = 0; x < GAME_WIDTH; ++x) {
            const int middleX = SCALE * x + SCALE / 2;
            const int middleY = SCALE * y + SCALE / 2;
            differing += ChannelDifference(scaled.play, middleX, middleY, original.play, x, y) != 0;
        }
    }
    EXPECT_LE(differing, MOST_DIFFERING_SHARE * GAME_WIDTH * GAME_HEIGHT);
}

TEST(ScaledFrames, AtFactorTwoSpritesAreEnlargedExactlyAndTheBoardAveragesAlike) {
    constexpr int SCALE = 2;
    // No pixel centre of factor 2 lies on one of factor 1, and the board's textures are sampled
    // nearest and mostly shrunk, so single pixels are different samples of the same texels. Means
    // over 8 x 8 game pixels (64 samples against 256) agree within a few levels, and polygon
    // edges move by no more than the sampling pitch; a block may differ by more than 16 levels
    // in a channel only where a wall's edge and a high-contrast texture meet, rarely.
    constexpr int BLOCK = 8;
    constexpr double LARGEST_MEAN_DIFFERENCE = 16.0;
    constexpr double MOST_DIFFERING_SHARE = 0.01;
    const auto [original, scaled] = DrawAndCompareSprites(SCALE);
    ASSERT_FALSE(HasFailure());
    int differing = 0;
    for (int top = 0; top < GAME_HEIGHT; top += BLOCK) {
        for (int left = 0; left < GAME_WIDTH; left += BLOCK) {
            const BlockMean originalMean = MeanOf(original.play, left, top, BLOCK);
            const BlockMean scaledMean =
                MeanOf(scaled.play, SCALE * left, SCALE * top, SCALE * BLOCK);
            for (int channel = 0; channel < 3; ++channel) {
                if (std::abs(originalMean[channel] - scaledMean[channel]) >
                    LARGEST_MEAN_DIFFERENCE) {
                    ++differing;
                    break;
                }
            }
        }
    }
    const int blocks = (GAME_WIDTH / BLOCK) * (GAME_HEIGHT / BLOCK);
    EXPECT_LE(differing, MOST_DIFFERING_SHARE * blocks);
}

TEST(ScaledFrames, AtRenderScaleOneTheBoardIsDrawnAtFactorOneAndEnlarged) {
    // GORVANTI_RENDER_SCALE=1 draws the 3-D board at factor 1 into a layer of its own and
    // enlarges it pixel for pixel; the sprites over it are the exact enlargement as always. So
    // every 2 x 2 block is one colour, the colour of the frame drawn at factor 1 but where the
    // layer's depth buffer settles a near tie of two surfaces the other way: a few pixels along
    // the board's rim, far fewer than one in a hundred.
    constexpr int SCALE = 2;
    constexpr double MOST_DIFFERING_SHARE = 0.01;
    const Frames original = DrawFrames(1);
    setenv("GORVANTI_RENDER_SCALE", "1", 1);
    const Frames scaled = DrawFrames(SCALE);
    unsetenv("GORVANTI_RENDER_SCALE");
    ASSERT_FALSE(scaled.play.rgba.empty() || original.play.rgba.empty());
    int mixedBlocks = 0;
    for (int y = 0; y < GAME_HEIGHT * SCALE; y += SCALE) {
        for (int x = 0; x < GAME_WIDTH * SCALE; x += SCALE) {
            mixedBlocks += ChannelDifference(scaled.play, x, y, scaled.play, x + 1, y) != 0 ||
                           ChannelDifference(scaled.play, x, y, scaled.play, x, y + 1) != 0 ||
                           ChannelDifference(scaled.play, x, y, scaled.play, x + 1, y + 1) != 0;
        }
    }
    EXPECT_EQ(mixedBlocks, 0);
    EXPECT_LE(PixelsNotEnlarged(scaled.play, original.play, SCALE, GAME_WIDTH, GAME_HEIGHT),
              MOST_DIFFERING_SHARE * GAME_WIDTH * GAME_HEIGHT * SCALE * SCALE);
}

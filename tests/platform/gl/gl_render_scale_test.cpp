// The render scale: a lower factor for the 3-D scene after a second of late frames, the picture's
// own again only when the frames would fit well at it, and nothing adaptive offscreen.
#include "platform/gl/gl_render_scale.h"

#include <gtest/gtest.h>

namespace {

using platform::gl::RenderScale;
using std::chrono::milliseconds;

void Frames(RenderScale& scale, int count, milliseconds busy, int full) {
    for (int frame = 0; frame < count; ++frame) {
        scale.NoteFrame(busy, full);
    }
}

TEST(RenderScale, DrawsLowerAfterASecondOfLateFramesAndBackUpOnlyWithRoomToSpare) {
    RenderScale scale(0, true);
    Frames(scale, RenderScale::FRAMES_MEASURED - 1, milliseconds(30), 2);
    EXPECT_EQ(scale.Factor(2), 2);  // not yet a whole second
    scale.NoteFrame(milliseconds(30), 2);
    EXPECT_EQ(scale.Factor(2), 1);
    // At the lower factor a frame costs 12 ms: 30 ms again at the picture's, so it stays low.
    Frames(scale, 10 * RenderScale::FRAMES_MEASURED, milliseconds(12), 2);
    EXPECT_EQ(scale.Factor(2), 1);
    // The other work on the machine stopped: 5 ms, 12.5 ms at the picture's factor.
    Frames(scale, RenderScale::FRAMES_KEPT, milliseconds(5), 2);
    EXPECT_EQ(scale.Factor(2), 2);
}

TEST(RenderScale, StepsOneFactorAtATimeAndNeverBelowOne) {
    RenderScale scale(0, true);
    Frames(scale, RenderScale::FRAMES_MEASURED, milliseconds(60), 3);
    EXPECT_EQ(scale.Factor(3), 2);
    Frames(scale, 5 * RenderScale::FRAMES_MEASURED, milliseconds(60), 3);
    EXPECT_EQ(scale.Factor(3), 1);
    RenderScale small(0, true);
    Frames(small, 5 * RenderScale::FRAMES_MEASURED, milliseconds(60), 1);
    EXPECT_EQ(small.Factor(1), 1);
}

TEST(RenderScale, AFixedFactorOrAnOffscreenPictureIgnoresTheFramesCost) {
    RenderScale fixed(1, true);
    RenderScale offscreen(0, false);
    Frames(fixed, 5 * RenderScale::FRAMES_MEASURED, milliseconds(1), 3);
    Frames(offscreen, 5 * RenderScale::FRAMES_MEASURED, milliseconds(60), 3);
    EXPECT_EQ(fixed.Factor(3), 1);
    EXPECT_EQ(fixed.Factor(1), 1);
    EXPECT_EQ(RenderScale(4, false).Factor(2), 2);  // never finer than the picture
    EXPECT_EQ(offscreen.Factor(3), 3);
}

}  // namespace

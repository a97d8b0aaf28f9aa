// The game steered by a pad through its real key polling (SDL's keyboard and the pads behind
// GetAsyncKeyState), on the headless clock, windows and recording device.
#include <filesystem>

#include "tests/platform/sdl/virtual_pad.h"
#include "tests/play/play_fixture.h"
#include "tools/replay/headless_run.h"

namespace gamepad_test {
namespace {

const std::vector<std::string> OPEN_FLOOR(20, "00000000000000000000");
constexpr double ANGLE_TOLERANCE = 1e-6;  // the game adds its steps in single precision

class PadPlay : public play_test::PlayFixture {
  protected:
    void SetUp() override {
        PlayFixture::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        StartStage(1);
        // The shipped key set, read as the game reads it.
        std::filesystem::copy_file(std::filesystem::path(GORVANTI_RUN_DIR) / "setup.ini",
                                   folder / "setup.ini");
        ASSERT_EQ(app->LoadKeyConfig(), 1);
        platform::SetKeyboard(nullptr);  // the real keyboard and pads
        UseMap(OPEN_FLOOR);
        PlaceBall(0, 0);
    }
};

TEST_F(PadPlay, TheDpadHeldUpTiltsTheBoardAStepATickAndRollsTheBallUpUntilReleased) {
    VirtualPad pad;
    pad.Set(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    const int heldTicks = 3;
    for (int tick = 0; tick < heldTicks; ++tick) {
        RunOneTick(*app);
    }
    // The up key (slot 0) adds one step towards the top a tick; a board tilted two steps or more
    // rolls the ball towards the top, which is +z, and leaves x alone.
    EXPECT_NEAR(Ball().rotationX, heldTicks * play_test::STEP, ANGLE_TOLERANCE);
    EXPECT_EQ(Ball().rotationZ, 0.0f);
    EXPECT_GT(Ball().position.z, 0.0f);
    EXPECT_EQ(Ball().position.x, 0.0f);

    pad.Set(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    RunOneTick(*app);
    EXPECT_NEAR(Ball().rotationX, heldTicks * play_test::STEP, ANGLE_TOLERANCE);
}

}  // namespace
}  // namespace gamepad_test

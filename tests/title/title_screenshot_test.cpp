// Pictures of the opening drawn by the OpenGL device, for looking at by eye; off unless asked for
// with --gtest_also_run_disabled_tests. Needs the generated art in the run folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/game_app.h"
#include "platform/backends.h"
#include "platform/gl/gl_readback.h"

namespace {

TEST(TitleScreenshots, DISABLED_WritesTheOpeningAtItsMomentsToLookAt) {
    const char* shotFolder = std::getenv("GORVANTI_SHOT_DIR");
    const std::filesystem::path folder = shotFolder != nullptr ? shotFolder : "/tmp/shots";
    std::filesystem::create_directories(folder);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(GORVANTI_RUN_DIR);

    // Ticks counted from the loading tick (1); the steps begin at 1, 52, 103, 154, 205, 231, 268,
    // 449 and 572.
    const std::map<int, std::string> moments = {
        {26, "fade_in_upper"}, {77, "fade_in_lower"}, {128, "hold"},
        {179, "fade_out"},     {249, "slide_in"},     {358, "spin"},
        {448, "fly_in_end"},   {494, "letter_hop"},   {580, "wait_for_start"},
    };
    {
        platform::SetDirect3DFactory({});
        GameApp app;
        ASSERT_EQ(app.WinInit(), 1);
        ASSERT_EQ(app.CreateDevice(), 1);
        for (int tick = 1; tick <= moments.rbegin()->first; ++tick) {
            app.keyState.bits = 0;
            app.TitleScene::Tick(app.keyState);
            app.DrawFrame();
            const auto moment = moments.find(tick);
            if (moment != moments.end()) {
                std::vector<uint32_t> texels;
                int width = 0, height = 0;
                ASSERT_TRUE(platform::gl::ReadBackBuffer(app.device, texels, width, height));
                const std::string name = (folder / ("title_" + moment->second + ".png")).string();
                EXPECT_TRUE(platform::gl::WritePng(name.c_str(), texels, width, height));
            }
            app.PresentFrame();
        }
    }
    std::filesystem::current_path(previous);
}

}  // namespace

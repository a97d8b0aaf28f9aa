// The set-up window on SDL's offscreen driver, driven by events put in its queue.
#include "tools/setup/setup_window.h"

#include <gtest/gtest.h>

#include "tests/support/run_folder.h"
#include "tests/tools/setup/game_keys.h"

namespace {

using setup::KeyCodes;

constexpr uint32_t FOCUS_BORDER = 0xFF0078D7;

class SetupWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory.Write("setup.ini", ARROW_KEYS_SETUP);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        font = setup::LoadSetupFont();
        if (font == nullptr) {
            GTEST_SKIP() << "no font for the window";
        }
        layout = setup::LayoutSetup(font->LineHeight());
    }

    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

    static void PushKey(SDL_Scancode scancode, int repeat = 0) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.scancode = scancode;
        event.key.repeat = static_cast<Uint8>(repeat);
        SDL_PushEvent(&event);
    }

    static void PushClick(const platform::box::BoxRect& rect) {
        SDL_Event event{};
        event.type = SDL_MOUSEBUTTONDOWN;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.x = rect.x + rect.width / 2;
        event.button.y = rect.y + rect.height / 2;
        SDL_PushEvent(&event);
    }

    ScratchDirectory directory;
    std::unique_ptr<platform::box::BoxFont> font;
    setup::SetupLayout layout;
};

}  // namespace

TEST_F(SetupWindowTest, KeysAndClicksFromTheQueueChangeSlotsAndSave) {
    setup::SetupModel model("./setup.ini", setup::ReadKeyFile("./setup.ini"));
    setup::SetupWindow window(model, *font);
    ASSERT_TRUE(window.Open()) << SDL_GetError();
    // Two rows down is roll left; a repeated Return while it waits is the same press.
    for (SDL_Scancode key : {SDL_SCANCODE_DOWN, SDL_SCANCODE_DOWN, SDL_SCANCODE_RETURN}) {
        PushKey(key);
    }
    PushKey(SDL_SCANCODE_RETURN, 1);
    PushKey(SDL_SCANCODE_J);
    PushKey(SDL_SCANCODE_S);
    // A click on the fifth row waits for its key; Quit leaves, the changes saved.
    PushClick(layout.items[4]);
    PushKey(SDL_SCANCODE_F);
    PushClick(layout.items[setup::SAVE_ITEM]);
    PushClick(layout.items[setup::QUIT_ITEM]);
    window.Run();

    EXPECT_EQ(GameReadsSetup(), (KeyCodes{0x26, 0x28, 0x27, 'J', 'F'}));
    const platform::box::BoxRect& save = layout.items[setup::SAVE_ITEM];
    EXPECT_EQ(window.Picture().At(save.x, save.y + save.height / 2), FOCUS_BORDER);
}
